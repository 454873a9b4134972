#include "geodata/basemap/simplify.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kartela::basemap {
namespace {

// Marks in `keep` the points between `first` and `last` that the tolerance needs.
void MarkNeeded(const std::vector<PlanePoint>& line, std::size_t first, std::size_t last,
                double tolerance, std::vector<bool>& keep) {
  std::vector<std::pair<std::size_t, std::size_t>> pending{{first, last}};
  while (!pending.empty()) {
    const auto [from, to] = pending.back();
    pending.pop_back();
    double farthest = -1;
    std::size_t index = from;
    for (std::size_t i = from + 1; i < to; ++i) {
      const double d = DistanceToSegment(line[i].x, line[i].y, line[from], line[to]);
      if (d > farthest) farthest = d, index = i;
    }
    if (farthest > tolerance) {
      keep[index] = true;
      pending.emplace_back(from, index);
      pending.emplace_back(index, to);
    }
  }
}

std::size_t FarthestFrom(const std::vector<PlanePoint>& line, const PlanePoint& p) {
  std::size_t index = 0;
  double farthest = -1;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const double d = std::hypot(line[i].x - p.x, line[i].y - p.y);
    if (d > farthest) farthest = d, index = i;
  }
  return index;
}

}  // namespace

std::vector<PlanePoint> SimplifyLine(const std::vector<PlanePoint>& line, double tolerance) {
  if (line.size() < 3) return line;
  const std::size_t last = line.size() - 1;
  std::vector<bool> keep(line.size(), false);
  keep[0] = keep[last] = true;
  const bool closed = line[0].x == line[last].x && line[0].y == line[last].y;
  if (closed) {
    const std::size_t middle = FarthestFrom(line, line[0]);
    keep[middle] = true;
    MarkNeeded(line, 0, middle, tolerance, keep);
    MarkNeeded(line, middle, last, tolerance, keep);
  } else {
    MarkNeeded(line, 0, last, tolerance, keep);
  }
  std::vector<PlanePoint> kept;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (keep[i]) kept.push_back(line[i]);
  }
  return kept;
}

std::vector<MapPoint> RoundToPixels(const std::vector<PlanePoint>& line) {
  std::vector<MapPoint> points;
  for (const PlanePoint& p : line) {
    const MapPoint q{static_cast<std::int16_t>(std::nearbyint(p.x)),
                     static_cast<std::int16_t>(std::nearbyint(p.y))};
    if (points.empty() || points.back().x != q.x || points.back().y != q.y) points.push_back(q);
  }
  return points;
}

}  // namespace kartela::basemap
