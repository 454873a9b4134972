// Land areas on the ellipsoid, from the source geometry before projection.
#pragma once

#include <string>
#include <vector>

#include "basemap/geometry.h"

namespace kartela::basemap {

// The area in km² on the WGS84 ellipsoid inside `ring` (longitude and
// latitude in radians, not closed), whichever way it turns.
double RingArea(const std::vector<GeoPoint>& ring);

// A data value for `km2`: whole km² from 100 up, else three significant
// digits without an exponent ("61.4", "2.02", "0.440"); 0 below a square
// metre.
std::string LandAreaText(double km2);

}  // namespace kartela::basemap
