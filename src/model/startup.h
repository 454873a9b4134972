// Bringing the model up: program paths, defaults, the settings file, the
// command line and the area list of the default base map, in that order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "model/area_list.h"
#include "model/settings.h"
#include "model/user_dirs.h"

namespace kartela {

struct ProgramPaths {
  std::filesystem::path ProgramDir;  // the program's files: base maps, help, samples
  std::string ProgramName;           // the executable's name without extension
  // Where the settings file and the user tools are kept, and the data
  // directory of a fresh start; empty: the program directory.
  std::filesystem::path SettingsDir{};
  std::filesystem::path DefaultDataDir{};
  // The directory of the executables, where a user tool named without a
  // directory is looked for; empty: the program directory.
  std::filesystem::path ExecutableDir{};

  // SettingsDir (or ProgramDir) + ProgramName + ".INI".
  std::filesystem::path SettingsFile() const;
  std::filesystem::path ConfigDir() const;
  std::filesystem::path DataDir() const;
  std::filesystem::path ToolDir() const;
  // Where a base map the user makes is saved: the program directory while
  // the settings are kept there, else the user's own base maps.
  std::filesystem::path MadeBaseMapDir() const;
  // The directories whose base maps the choosers list: the program
  // directory, then the user's own base maps.
  std::vector<std::filesystem::path> BaseMapDirs() const;

  // Whether DataDir() can be written in Shift-JIS, the form in which the
  // settings keep it as the default data directory (left empty otherwise).
  bool HasShiftJisForm() const;
};

// `name` in the first of `directories` that holds it; in the first
// directory when none does.
std::filesystem::path FirstHolding(const std::vector<std::filesystem::path>& directories,
                                   const std::filesystem::path& name);

// A file every copy of the program ships beside its base maps (the help),
// by which its files are recognised.
inline constexpr const char* kProgramFilesMark = "kartela.html";

// Where the program's files are, found from the executable:
// - beside it (the build folder, a portable copy): everything stays there
//   as long as `writable` says the directory can be written; otherwise the
//   settings go to the user's configuration directory and the data
//   directory starts at the user's documents;
// - installed (the executable in P/bin, the files in P/share/kartela): the
//   files are read there, the settings and data directory are the user's.
// A directory with neither keeps everything beside the executable, as does
// an empty `user.config`.
ProgramPaths ProgramPathsOf(const std::filesystem::path& executable,
                            const UserDirectories& user = {},
                            bool (*writable)(const std::filesystem::path&) = IsWritableDirectory);

// Creates the settings directory when it is missing; false when it cannot.
bool EnsureSettingsDirectory(const ProgramPaths& paths);

// Sets the defaults, reads the settings file and applies `arguments` (the
// command line without the program name). The default base map takes the
// letter case of its file on disk. When no file is named there, the
// header of the default base map is read into `areas`; when that fails the
// area list stays empty and nothing is reported, as at every start without
// base maps. Returns the file to open at start, empty when there is none.
std::filesystem::path StartUp(const ProgramPaths& paths, const std::vector<std::string>& arguments,
                              Settings& settings, AreaList& areas);

}  // namespace kartela
