// Reading a metafile as the picture under the map, and where it is placed.
#pragma once

#include <filesystem>

#include "base/status.h"
#include "render/workspace.h"

namespace kartela {

// Reads the metafile at `path` as the background picture, chosen by the
// extension: ".emf" (any letter case) an EMF, placed at (0, 0) with its
// size; anything else a placeable WMF, placed by its bounding box, or at
// (0, 0) with its stored size when it carries an EMF (as the program's own
// saves may). A refused file (not a placeable WMF, not an EMF, a damaged
// record, unreadable: kBadFormat) leaves the background as it was; the
// detail says why, in the words shown under the failure message.
Status LoadBackgroundPicture(const std::filesystem::path& path, Workspace& workspace);

}  // namespace kartela
