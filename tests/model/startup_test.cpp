#include "model/startup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "model/settings_file.h"

#include "test_support.h"

namespace kartela {
namespace {

using test::ScratchDir;
using test::Sjis;

// A header-only base map of two areas: enough for the area list.
std::string TwoAreaHeader(std::string_view title) {
  return Sjis(title) + "\r\n" + Sjis("北\r\n南\r\n") + "@STARTOFPOINTS\r\n" + std::string(4, '\0');
}

class StartUpTest : public testing::Test {
 protected:
  ProgramPaths Paths() const { return ProgramPathsOf(dir_.path() / "kartela"); }

  std::filesystem::path Start(const std::vector<std::string>& arguments = {}) {
    return StartUp(Paths(), arguments, settings_, areas_);
  }

  ScratchDir dir_;
  Settings settings_;
  AreaList areas_;
};

TEST_F(StartUpTest, PathsOfTheProgram) {
  EXPECT_EQ(Paths().ProgramDir, dir_.path());
  EXPECT_EQ(Paths().ProgramName, "kartela");
  EXPECT_EQ(Paths().SettingsFile(), dir_.path() / "kartela.INI");
}

TEST_F(StartUpTest, ReadsTheDefaultBaseMapFromTheProgramDirectory) {
  dir_.Write("全国２.IDT", TwoAreaHeader("日本"));
  EXPECT_TRUE(Start().empty());
  EXPECT_EQ(areas_.AreaCount(), 2);
  EXPECT_EQ(areas_.CurrentBaseMapFile, Sjis("全国２.IDT"));
  EXPECT_EQ(settings_.DataDir, Sjis(dir_.path().string() + "/"));
}

TEST_F(StartUpTest, TheSettingsFileChoosesTheBaseMap) {
  dir_.Write("全国２.IDT", TwoAreaHeader("日本"));
  dir_.Write("OTHER.IDT", TwoAreaHeader("他"));
  dir_.Write("kartela.INI", "BaseMap = /elsewhere/OTHER.XYZ\r\n");
  Start();
  EXPECT_EQ(areas_.CurrentBaseMapFile, "OTHER.IDT");
  EXPECT_EQ(areas_.BaseMapTitle, Sjis("他"));
}

// The settings file keeps ".IDT"; a base map chosen as "tokyo.idt" must
// still be the one loaded at the next start.
TEST_F(StartUpTest, TheBaseMapIsFoundWhateverItsLetterCaseAndKeptAsOnDisk) {
  dir_.Write("tokyo.idt", TwoAreaHeader("東京"));
  for (const char* line :
       {"BaseMap = tokyo.idt\r\n", "BaseMap = TOKYO.IDT ; chosen\r\n", "BaseMap=Tokyo.Idt"}) {
    SCOPED_TRACE(line);
    dir_.Write("kartela.INI", line);
    EXPECT_TRUE(Start().empty());
    EXPECT_EQ(settings_.BaseMapFile, "tokyo.idt");
    EXPECT_EQ(areas_.CurrentBaseMapFile, "tokyo.idt");
    EXPECT_EQ(areas_.BaseMapTitle, Sjis("東京"));
  }
  Start({(dir_.path() / "x.DAT").string()});
  EXPECT_EQ(settings_.BaseMapFile, "tokyo.idt") << "also when a file is opened at start";
}

TEST_F(StartUpTest, AProgramDirectoryWithoutAShiftJisFormIsRecognised) {
  EXPECT_TRUE(Paths().HasShiftJisForm());
  // U+20BB7 has no Shift-JIS form.
  EXPECT_FALSE(ProgramPathsOf(dir_.path() / "\xF0\xA0\xAE\xB7" / "kartela").HasShiftJisForm());
}

TEST_F(StartUpTest, AMissingBaseMapLeavesAnEmptyAreaListSilently) {
  areas_.AreaNames = {"stale"};
  EXPECT_TRUE(Start().empty());
  EXPECT_EQ(areas_.AreaCount(), 0);
  EXPECT_EQ(areas_.CurrentBaseMapFile, Sjis("全国２.IDT"));
}

TEST_F(StartUpTest, AFileOnTheCommandLineIsOpenedInsteadOfTheDefaultBaseMap) {
  dir_.Write("全国２.IDT", TwoAreaHeader("日本"));
  const auto data = dir_.path() / "b.DAT";
  EXPECT_EQ(Start({(dir_.path() / "a.DAT").string(), "/z", data.string()}), data);
  EXPECT_EQ(areas_.AreaCount(), 0);
  EXPECT_EQ(settings_.EmfMode, 5);
}

// Where the program's files, the settings and the data directory lie, for
// each way the program can be laid out. A read-only program directory is
// made by taking its write bits away, which the check honours even for root.
TEST(ProgramPathsTest, FilesSettingsAndDataDirectoryByLayout) {
  namespace fs = std::filesystem;
  ScratchDir root;
  const fs::path build = root.path() / "build" / "bin";
  const fs::path portable = root.path() / "portable";
  const fs::path prefix = root.path() / "usr";
  const fs::path bare = root.path() / "bare";
  for (const fs::path& dir : {build, portable, prefix / "bin", prefix / "share" / "kartela", bare})
    fs::create_directories(dir);
  for (const fs::path& dir : {build, portable, prefix / "share" / "kartela"})
    std::ofstream(dir / kProgramFilesMark) << "help";
  fs::permissions(portable,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const UserDirectories user{root.path() / "config" / "kartela", root.path() / "maps",
                             root.path() / "documents"};
  struct Case {
    const char* layout;
    fs::path executable;
    UserDirectories user;
    fs::path program_dir, settings_file, data_dir, tool_dir;
  };
  const Case cases[] = {
      {"build folder", build / "kartela", user, build, build / "kartela.INI", build, build},
      {"read-only portable copy", portable / "kartela", user, portable, user.config / "kartela.INI",
       user.documents, portable},
      {"installed", prefix / "bin" / "kartela", user, prefix / "share" / "kartela",
       user.config / "kartela.INI", user.documents, prefix / "bin"},
      {"installed, no home",
       prefix / "bin" / "kartela",
       {},
       prefix / "share" / "kartela",
       prefix / "share" / "kartela" / "kartela.INI",
       prefix / "share" / "kartela",
       prefix / "bin"},
      {"no program files anywhere", bare / "kartela", user, bare, bare / "kartela.INI", bare, bare},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    const ProgramPaths paths = ProgramPathsOf(c.executable, c.user);
    EXPECT_EQ(paths.ProgramDir, c.program_dir);
    EXPECT_EQ(paths.SettingsFile(), c.settings_file);
    EXPECT_EQ(paths.DataDir(), c.data_dir);
    EXPECT_EQ(paths.ToolDir(), c.tool_dir);
  }
  fs::permissions(portable, fs::perms::owner_all, fs::perm_options::add);
}

// Installed: a setting written at the end of one run, into a configuration
// directory that did not exist, is read at the next start.
TEST(ProgramPathsTest, SettingsSurviveInTheUsersConfigurationDirectory) {
  ScratchDir root;
  std::filesystem::create_directories(root.path() / "usr" / "bin");
  std::filesystem::create_directories(root.path() / "usr" / "share" / "kartela");
  std::ofstream(root.path() / "usr" / "share" / "kartela" / kProgramFilesMark) << "help";
  const UserDirectories user{root.path() / "home" / ".config" / "kartela", {}, root.path()};
  const ProgramPaths paths = ProgramPathsOf(root.path() / "usr" / "bin" / "kartela", user);
  Settings settings;
  AreaList areas;
  StartUp(paths, {}, settings, areas);
  EXPECT_EQ(settings.DataDir, Sjis(root.path().string() + "/"));
  settings.ClassCount = 7;
  settings.ChangedMask = 0xFFFF;
  ASSERT_TRUE(EnsureSettingsDirectory(paths));
  ASSERT_TRUE(WriteSettings(paths.SettingsFile(), settings).ok());
  StartUp(paths, {}, settings, areas);
  EXPECT_EQ(settings.ClassCount, 7);
}

// The XDG variables name the user's directories when they are absolute.
TEST(ProgramPathsTest, UserDirectoriesFollowTheXdgVariables) {
  struct Case {
    const char* config_home;
    const char* data_home;
    const char* home;
    const char* config;
    const char* base_maps;
  };
  const Case cases[] = {
      {"/x/conf", "/x/data", "/home/u", "/x/conf/kartela", "/x/data/kartela/basemaps"},
      {"", "relative/data", "/home/u", "/home/u/.config/kartela",
       "/home/u/.local/share/kartela/basemaps"},
      {"", "", "", "", ""},
  };
  const std::string saved[] = {std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "",
                               std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "",
                               std::getenv("HOME") ? std::getenv("HOME") : ""};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    setenv("XDG_CONFIG_HOME", c.config_home, 1);
    setenv("XDG_DATA_HOME", c.data_home, 1);
    setenv("HOME", c.home, 1);
    const UserDirectories user = UserDirectoriesFromEnvironment();
    EXPECT_EQ(user.config, std::filesystem::path(c.config));
    EXPECT_EQ(user.base_maps, std::filesystem::path(c.base_maps));
  }
  setenv("XDG_CONFIG_HOME", saved[0].c_str(), 1);
  setenv("XDG_DATA_HOME", saved[1].c_str(), 1);
  setenv("HOME", saved[2].c_str(), 1);
}

}  // namespace
}  // namespace kartela
