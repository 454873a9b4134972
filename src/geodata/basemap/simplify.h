// Line simplification in pixels.
#pragma once

#include <vector>

#include "geodata/basemap/geometry.h"
#include "model/area_list.h"

namespace kartela::basemap {

// Douglas-Peucker: keeps the points of `line` needed to stay within
// `tolerance` of it, and always both ends. A closed line (first point equal
// to last) also keeps the point farthest from its start, so it cannot
// collapse to a segment.
std::vector<PlanePoint> SimplifyLine(const std::vector<PlanePoint>& line, double tolerance);

// Rounded to whole pixels (halves to even), without repeated consecutive points.
std::vector<MapPoint> RoundToPixels(const std::vector<PlanePoint>& line);

}  // namespace kartela::basemap
