// The checks every base map passes, shipped or imported.
#pragma once

#include "model/base_map.h"

namespace kartela::test {

// Within the limits of the format, every first anchor inside its outline and
// a legend position on the map.
void ExpectLikeShippedMaps(const BaseMap& map);

// Every segment of an outline between two vertices of another area's outline
// is a segment of that outline too: a shared border is the same on both
// sides. (Dense maps such as the shipped world map fail it by coincidence,
// where rounding to pixels puts a coast vertex on a neighbour's vertex.)
void ExpectSharedBordersIdentical(const BaseMap& map);

}  // namespace kartela::test
