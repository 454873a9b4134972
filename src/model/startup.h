// Bringing the model up: program paths, defaults, the settings file, the
// command line and the area list of the default base map, in that order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/area_list.h"
#include "model/settings.h"

namespace kartela {

struct ProgramPaths {
  std::filesystem::path ProgramDir;  // the directory of the executable
  std::string ProgramName;           // the executable's name without extension

  // ProgramDir + ProgramName + ".INI", the settings file beside the program.
  std::filesystem::path SettingsFile() const;

  // Whether ProgramDir can be written in Shift-JIS, the form in which the
  // settings keep it as the default data directory (left empty otherwise).
  bool HasShiftJisForm() const;
};

ProgramPaths ProgramPathsOf(const std::filesystem::path& executable);

// Sets the defaults, reads the settings file and applies `arguments` (the
// command line without the program name). The default base map takes the
// letter case of its file on disk. When no file is named there, the
// header of the default base map is read into `areas`; when that fails the
// area list stays empty and nothing is reported, as at every start without
// base maps. Returns the file to open at start, empty when there is none.
std::filesystem::path StartUp(const ProgramPaths& paths, const std::vector<std::string>& arguments,
                              Settings& settings, AreaList& areas);

}  // namespace kartela
