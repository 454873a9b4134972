// Reading a metafile as the picture under the map, and where it is placed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "render/workspace.h"

namespace kartela {

// Reads the metafile at `path` as the background picture, chosen by the
// extension: ".emf" (any letter case) an EMF, placed at (0, 0) with its
// size; anything else a placeable WMF, placed by its bounding box, or at
// (0, 0) with its stored size when it carries an EMF (as the program's own
// saves may). Returns why the file is refused (not a placeable WMF, not an
// EMF, a damaged record, unreadable); the background then stays as it was.
std::optional<std::string> LoadBackgroundPicture(const std::filesystem::path& path,
                                                 Workspace& workspace);

}  // namespace kartela
