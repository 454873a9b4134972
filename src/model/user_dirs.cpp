#include "model/user_dirs.h"

#include <cstdlib>

namespace kartela {
namespace {

namespace fs = std::filesystem;

// An XDG base directory: the variable when it holds an absolute path, else
// `fallback` under the home directory; empty without either.
fs::path BaseDirectory(const char* variable, const char* fallback) {
  if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
    const fs::path path(value);
    if (path.is_absolute()) return path;
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return {};
  return fs::path(home) / fallback;
}

}  // namespace

UserDirectories UserDirectoriesFromEnvironment() {
  UserDirectories directories;
  if (fs::path config = BaseDirectory("XDG_CONFIG_HOME", ".config"); !config.empty()) {
    directories.config = config / "kartela";
  }
  directories.base_maps = UserBaseMapDirectory();
  return directories;
}

fs::path UserBaseMapDirectory() {
  const fs::path data = BaseDirectory("XDG_DATA_HOME", ".local/share");
  return data.empty() ? fs::path() : data / "kartela" / "basemaps";
}

}  // namespace kartela
