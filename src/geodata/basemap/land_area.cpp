#include "geodata/basemap/land_area.h"

#include <geodesic.h>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace kartela::basemap {
namespace {

constexpr double kWgs84Radius = 6378137;
constexpr double kWgs84Flattening = 1 / 298.257223563;
constexpr double kSquareMetresPerKm2 = 1e6;
}  // namespace

double RingArea(const std::vector<GeoPoint>& ring) {
  if (ring.size() < 3) return 0;
  constexpr double kDegrees = 180 / std::numbers::pi;
  geod_geodesic ellipsoid;
  geod_init(&ellipsoid, kWgs84Radius, kWgs84Flattening);
  geod_polygon polygon;
  geod_polygon_init(&polygon, 0);
  for (const GeoPoint& p : ring)
    geod_polygon_addpoint(&ellipsoid, &polygon, p.lat * kDegrees, p.lon * kDegrees);
  double area = 0;
  geod_polygon_compute(&ellipsoid, &polygon, 0, 1, &area, nullptr);
  return std::fabs(area) / kSquareMetresPerKm2;
}

std::string LandAreaText(double km2) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", km2);
  return text;
}

}  // namespace kartela::basemap
