#include "basemap/land_area.h"

#include <geodesic.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace kartela::basemap {
namespace {

constexpr double kWgs84Radius = 6378137;
constexpr double kWgs84Flattening = 1 / 298.257223563;
constexpr double kSquareMetresPerKm2 = 1e6;
// Below a square metre an area is shown as 0, which keeps a value within eight decimals.
constexpr double kLeastShown = 1e-6;

std::string Formatted(int decimals, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

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
  // Rounded to three significant digits first, so that 99.96 becomes 100
  // and 9.996 becomes 10.0.
  char rounded_text[32];
  std::snprintf(rounded_text, sizeof rounded_text, "%.2e", km2);
  const double rounded = std::strtod(rounded_text, nullptr);
  if (rounded >= 100) return Formatted(0, km2);
  if (rounded < kLeastShown) return "0";
  return Formatted(2 - static_cast<int>(std::floor(std::log10(rounded))), rounded);
}

}  // namespace kartela::basemap
