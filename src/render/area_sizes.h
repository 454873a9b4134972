// The size of each area of a base map, for placing the names of large areas
// before those of small ones.
#pragma once

#include <vector>

#include "model/base_map.h"

namespace kartela {

// The areas 1..MapAreaCount, the largest first by the surface of their
// outline runs (every run an anchor has, enclaves and exclaves included);
// areas of equal size keep their order.
std::vector<int> AreasLargestFirst(const BaseMap& map);

}  // namespace kartela
