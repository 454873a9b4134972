// Land areas on the ellipsoid, from the source geometry before projection.
#pragma once

#include <string>
#include <vector>

#include "geodata/basemap/geometry.h"

namespace kartela::basemap {

// The area in km² on the WGS84 ellipsoid inside `ring` (longitude and
// latitude in radians, not closed), whichever way it turns.
double RingArea(const std::vector<GeoPoint>& ring);

// A data value for `km2`: whole km², so that the values and the legend of
// a map of them show no decimals (the Vatican's 0.44 km² is 0).
std::string LandAreaText(double km2);

}  // namespace kartela::basemap
