#include "model/startup.h"

#include "base/text_encoding.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/command_line.h"
#include "model/settings_file.h"

namespace kartela {
namespace {

// The program directory as the Shift-JIS text the settings keep, with its
// trailing separator; nullopt when the name has no Shift-JIS form.
std::optional<std::string> ProgramDirText(const std::filesystem::path& program_dir) {
  const std::u8string utf8 = (program_dir / "").u8string();
  return sjis::FromUtf8({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
}

// The default base map under its name as it is on disk, so that a name
// whose letter case differs (the settings file keeps ".IDT") is kept as the
// file is called; unchanged when no such file exists.
void UseNameOnDisk(const ProgramPaths& paths, Settings& settings) {
  if (const auto base_map = FindBaseMap(settings.BaseMapFile, paths.ProgramDir)) {
    settings.BaseMapFile = base_map->reference;
  }
}

void ReadDefaultAreaList(const ProgramPaths& paths, const Settings& settings, AreaList& areas) {
  AreaList read;
  const auto base_map = FindBaseMap(settings.BaseMapFile, paths.ProgramDir);
  if (base_map && ReadBaseMapHeader(base_map->path, read).ok()) {
    read.CurrentBaseMapFile = settings.BaseMapFile;
    areas = std::move(read);
  } else {
    areas.AreaNames.clear();
  }
}

bool HoldsProgramFiles(const std::filesystem::path& directory) {
  std::error_code error;
  return std::filesystem::is_regular_file(directory / kProgramFilesMark, error);
}

}  // namespace

std::filesystem::path ProgramPaths::SettingsFile() const {
  return ConfigDir() / std::filesystem::path(ProgramName + ".INI");
}

std::filesystem::path ProgramPaths::ConfigDir() const {
  return SettingsDir.empty() ? ProgramDir : SettingsDir;
}

std::filesystem::path ProgramPaths::DataDir() const {
  return DefaultDataDir.empty() ? ProgramDir : DefaultDataDir;
}

std::filesystem::path ProgramPaths::ToolDir() const {
  return ExecutableDir.empty() ? ProgramDir : ExecutableDir;
}

std::filesystem::path ProgramPaths::MadeBaseMapDir() const {
  std::filesystem::path user = UserBaseMapDirectory();
  return SettingsDir.empty() || user.empty() ? ProgramDir : user;
}

std::vector<std::filesystem::path> ProgramPaths::BaseMapDirs() const {
  std::vector<std::filesystem::path> directories{ProgramDir};
  if (std::filesystem::path user = UserBaseMapDirectory(); !user.empty())
    directories.push_back(std::move(user));
  return directories;
}

bool ProgramPaths::HasShiftJisForm() const {
  return ProgramDirText(DataDir()).has_value();
}

ProgramPaths ProgramPathsOf(const std::filesystem::path& executable, const UserDirectories& user,
                            bool (*writable)(const std::filesystem::path&)) {
  ProgramPaths paths{executable.parent_path(), executable.stem().string()};
  paths.ExecutableDir = paths.ProgramDir;
  const std::filesystem::path shared =
      (paths.ProgramDir / ".." / "share" / "kartela").lexically_normal();
  const bool beside = HoldsProgramFiles(paths.ProgramDir);
  const bool installed = !beside && HoldsProgramFiles(shared);
  if (installed) paths.ProgramDir = shared;
  if (user.config.empty() || (!installed && (!beside || writable(paths.ProgramDir)))) return paths;
  paths.SettingsDir = user.config;
  paths.DefaultDataDir = user.documents;
  return paths;
}

std::filesystem::path FirstHolding(const std::vector<std::filesystem::path>& directories,
                                   const std::filesystem::path& name) {
  for (const std::filesystem::path& directory : directories) {
    std::error_code error;
    if (std::filesystem::exists(directory / name, error)) return directory / name;
  }
  return directories.empty() ? name : directories.front() / name;
}

bool EnsureSettingsDirectory(const ProgramPaths& paths) {
  std::error_code error;
  std::filesystem::create_directories(paths.ConfigDir(), error);
  return !error;
}

std::filesystem::path StartUp(const ProgramPaths& paths, const std::vector<std::string>& arguments,
                              Settings& settings, AreaList& areas) {
  settings = DefaultSettings(ProgramDirText(paths.DataDir()).value_or(std::string()));
  areas.CurrentBaseMapFile = settings.BaseMapFile;
  ReadSettings(paths.SettingsFile(), settings);
  std::filesystem::path open_on_start = ApplyCommandLine(arguments, settings);
  UseNameOnDisk(paths, settings);
  if (open_on_start.empty()) ReadDefaultAreaList(paths, settings, areas);
  return open_on_start;
}

}  // namespace kartela
