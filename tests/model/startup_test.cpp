#include "model/startup.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace kartela {
namespace {

using testing::ScratchDir;
using testing::Sjis;

// A header-only base map of two areas: enough for the area list.
std::string TwoAreaHeader(std::string_view title) {
  return Sjis(title) + "\r\n" + Sjis("北\r\n南\r\n") + "@STARTOFPOINTS\r\n" + std::string(4, '\0');
}

class StartUpTest : public ::testing::Test {
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

}  // namespace
}  // namespace kartela
