#include "geodata/basemap/anchors.h"

#include <cmath>
#include <limits>
#include <queue>

#include "geodata/basemap/geometry.h"

namespace kartela::basemap {
namespace {

constexpr double kPrecision = 0.5;  // pixels

// Distance to the nearest edge; negative outside the ring.
double SignedDistance(const std::vector<MapPoint>& ring, double x, double y) {
  const double distance = DistanceToRing(ring, x, y);
  return RingContains(ring, x, y) ? distance : -distance;
}

struct Cell {
  double x, y, half, distance, potential;
  Cell(double cx, double cy, double h, const std::vector<MapPoint>& ring)
      : x(cx),
        y(cy),
        half(h),
        distance(SignedDistance(ring, cx, cy)),
        potential(distance + h * std::sqrt(2.0)) {}
  bool operator<(const Cell& other) const { return potential < other.potential; }
};

// Polylabel: cells that may hold a farther point are split until none can
// beat the best by more than the precision.
PlanePoint PoleOfInaccessibility(const std::vector<MapPoint>& ring) {
  const Bounds bounds = BoundsOf(ring);
  const double size = std::min(bounds.width(), bounds.height());
  Cell best((bounds.min_x + bounds.max_x) / 2, (bounds.min_y + bounds.max_y) / 2, 0, ring);
  if (size <= 0) return {best.x, best.y};
  std::priority_queue<Cell> cells;
  for (double x = bounds.min_x; x < bounds.max_x; x += size) {
    for (double y = bounds.min_y; y < bounds.max_y; y += size)
      cells.emplace(x + size / 2, y + size / 2, size / 2, ring);
  }
  while (!cells.empty()) {
    const Cell cell = cells.top();
    cells.pop();
    if (cell.distance > best.distance) best = cell;
    if (cell.potential - best.distance <= kPrecision) continue;
    const double h = cell.half / 2;
    for (const auto& [dx, dy] : {std::pair{-h, -h}, {h, -h}, {-h, h}, {h, h}}) {
      cells.emplace(cell.x + dx, cell.y + dy, h, ring);
    }
  }
  return {best.x, best.y};
}

}  // namespace

MapPoint AnchorInside(const std::vector<MapPoint>& ring) {
  const PlanePoint pole = PoleOfInaccessibility(ring);
  const double cx = std::nearbyint(pole.x), cy = std::nearbyint(pole.y);
  MapPoint anchor{static_cast<std::int16_t>(cx), static_cast<std::int16_t>(cy)};
  // The rounded pole may fall just outside a narrow ring: a deeper whole
  // pixel next to it is taken instead.
  double deepest = SignedDistance(ring, cx, cy);
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const double d = SignedDistance(ring, cx + dx, cy + dy);
      if (d > deepest) {
        deepest = d;
        anchor = {static_cast<std::int16_t>(cx + dx), static_cast<std::int16_t>(cy + dy)};
      }
    }
  }
  return anchor;
}

}  // namespace kartela::basemap
