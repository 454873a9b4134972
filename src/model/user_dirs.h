// The user's own directories on a Linux desktop (the XDG base directories),
// used when the program is installed where its own directory is not the
// user's to write: settings and user tools, and base maps the user adds.
// Read from the environment as the desktop's libraries do, so that code
// without the toolkit finds the same places.
#pragma once

#include <filesystem>

namespace kartela {

struct UserDirectories {
  std::filesystem::path config;     // settings file and user tools
  std::filesystem::path base_maps;  // the user's own base maps
  std::filesystem::path documents;  // the default data directory
};

// $XDG_CONFIG_HOME/kartela (default ~/.config/kartela) and
// $XDG_DATA_HOME/kartela/basemaps (default ~/.local/share/…); `documents`
// is left empty for the caller (the desktop's documents folder). A relative
// XDG value is ignored, as the XDG rules ask; without HOME the defaults are
// empty.
UserDirectories UserDirectoriesFromEnvironment();

// The user's own base maps: searched after the program's.
std::filesystem::path UserBaseMapDirectory();

}  // namespace kartela
