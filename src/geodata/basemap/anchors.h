// Anchor points: where an area's name and symbol go.
#pragma once

#include <vector>

#include "model/area_list.h"

namespace kartela::basemap {

// A whole-pixel point inside `ring` (a closed ring, first point not repeated),
// as far from its edges as can be found: the pole of inaccessibility. A ring
// too thin to hold a whole pixel gets the pixel nearest to that pole.
MapPoint AnchorInside(const std::vector<MapPoint>& ring);

}  // namespace kartela::basemap
