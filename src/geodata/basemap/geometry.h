// Points and small plane geometry shared by the builder's steps.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace kartela::basemap {

// Longitude and latitude in radians, as the polygon databases store them.
struct GeoPoint {
  double lon = 0;
  double lat = 0;
  bool operator==(const GeoPoint&) const = default;
};

// A point of the plane: projected metres, or map pixels once placed.
struct PlanePoint {
  double x = 0;
  double y = 0;
};

using PlaneRing = std::vector<PlanePoint>;

struct Bounds {
  double min_x = std::numeric_limits<double>::infinity();
  double min_y = std::numeric_limits<double>::infinity();
  double max_x = -std::numeric_limits<double>::infinity();
  double max_y = -std::numeric_limits<double>::infinity();

  bool empty() const { return min_x > max_x; }
  double width() const { return max_x - min_x; }
  double height() const { return max_y - min_y; }
  void Add(double x, double y) {
    min_x = std::min(min_x, x);
    min_y = std::min(min_y, y);
    max_x = std::max(max_x, x);
    max_y = std::max(max_y, y);
  }
  void Add(const PlanePoint& p) { Add(p.x, p.y); }
  void Add(const Bounds& b) {
    if (!b.empty()) {
      Add(b.min_x, b.min_y);
      Add(b.max_x, b.max_y);
    }
  }
  bool Contains(const Bounds& b) const {
    return min_x <= b.min_x && min_y <= b.min_y && b.max_x <= max_x && b.max_y <= max_y;
  }
};

template <typename Ring>
Bounds BoundsOf(const Ring& ring) {
  Bounds bounds;
  for (const auto& p : ring)
    bounds.Add(p.x, p.y);
  return bounds;
}

// Twice the signed area of a closed ring (first point not repeated):
// positive when the ring turns counter-clockwise in a y-up plane.
template <typename Ring>
double TwiceSignedArea(const Ring& ring) {
  double sum = 0;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    sum +=
        (static_cast<double>(ring[j].x) - ring[i].x) * (static_cast<double>(ring[j].y) + ring[i].y);
  }
  return sum;
}

// Even-odd test of (x, y) against a closed ring (first point not repeated).
template <typename Ring>
bool RingContains(const Ring& ring, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const double xi = ring[i].x, yi = ring[i].y, xj = ring[j].x, yj = ring[j].y;
    if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi)) inside = !inside;
  }
  return inside;
}

// Distance from (x, y) to the segment from `a` to `b`.
template <typename Point>
double DistanceToSegment(double x, double y, const Point& a, const Point& b) {
  const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

// Distance from (x, y) to the nearest edge of a closed ring.
template <typename Ring>
double DistanceToRing(const Ring& ring, double x, double y) {
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    nearest = std::min(nearest, DistanceToSegment(x, y, ring[j], ring[i]));
  }
  return nearest;
}

}  // namespace kartela::basemap
