#include "model/startup.h"

#include "base/sjis.h"
#include "model/base_map_file.h"
#include "model/command_line.h"
#include "model/settings_file.h"

namespace kartela {
namespace {

// The program directory as the Shift-JIS text the settings keep, with its
// trailing separator; empty when the name has no Shift-JIS form.
std::string ProgramDirText(const std::filesystem::path& program_dir) {
  const std::u8string utf8 = (program_dir / "").u8string();
  return sjis::FromUtf8({reinterpret_cast<const char*>(utf8.data()), utf8.size()})
      .value_or(std::string());
}

void ReadDefaultAreaList(const ProgramPaths& paths, const Settings& settings, AreaList& areas) {
  AreaList read;
  const auto path = ResolveBaseMapPath(paths.ProgramDir, settings.BaseMapFile);
  if (path && ReadBaseMapHeader(*path, read) == BaseMapStatus::kOk) {
    read.CurrentBaseMapFile = settings.BaseMapFile;
    areas = std::move(read);
  } else {
    areas.AreaNames.clear();
  }
}

}  // namespace

std::filesystem::path ProgramPaths::SettingsFile() const {
  return ProgramDir / std::filesystem::path(ProgramName + ".INI");
}

ProgramPaths ProgramPathsOf(const std::filesystem::path& executable) {
  return ProgramPaths{executable.parent_path(), executable.stem().string()};
}

std::filesystem::path StartUp(const ProgramPaths& paths, const std::vector<std::string>& arguments,
                              Settings& settings, AreaList& areas) {
  settings = DefaultSettings(ProgramDirText(paths.ProgramDir));
  areas.CurrentBaseMapFile = settings.BaseMapFile;
  ReadSettings(paths.SettingsFile(), settings);
  std::filesystem::path open_on_start = ApplyCommandLine(arguments, settings);
  if (open_on_start.empty()) ReadDefaultAreaList(paths, settings, areas);
  return open_on_start;
}

}  // namespace kartela
