// The texts of a map as plain text, for the copy that puts the picture and
// its texts on the clipboard separately: the title, then the legend's value
// ranges (paint map) or the reference value (circle map, picture graph).
#pragma once

#include <string>

#include "render/workspace.h"

namespace kartela {

// Shift-JIS; every line ends with kClipLineEnd. Line 1 is the data title
// (possibly empty). A shown legend adds, for a paint map, one line per
// class, "lower ～ upper" with both columns padded to the longest boundary
// and blanks for the open ends, in the legend's order; for a circle map or
// a picture graph "= " and the reference value text.
std::string LegendClipText(const Workspace& workspace);

}  // namespace kartela
