// Shared borders as single arcs.
//
// The rings of neighbouring polygons meet in identical points. Cutting every
// ring at its junctions (points where the rings that pass through differ in
// their next or previous point) and keeping each cut piece once gives arcs
// that both neighbours use, so that a border simplified once stays the same
// on both sides. This works whether the database stores shared lines (japan,
// state) or a separate closed line per polygon (france).
#pragma once

#include <vector>

#include "geodata/basemap/geometry.h"

namespace kartela::basemap {

struct ArcUse {
  int arc = 0;
  bool reversed = false;
};

struct Topology {
  // The points of each arc; an arc that is a whole ring repeats its first point at the end.
  std::vector<std::vector<GeoPoint>> arcs;
  std::vector<std::vector<ArcUse>> rings;  // each input ring as a sequence of arcs
  std::vector<std::vector<int>> owners;    // the rings that use each arc
};

// `rings` are closed rings without their closing point and without repeated
// consecutive points.
Topology BuildTopology(const std::vector<std::vector<GeoPoint>>& rings);

// The closed ring `ring` of `topology` (first point not repeated) from the
// points of each arc in `arc_points` (after projection or simplification).
// A ring whose arcs have all shrunk to single points keeps that point.
template <typename Point>
std::vector<Point> AssembleRing(const Topology& topology, int ring,
                                const std::vector<std::vector<Point>>& arc_points) {
  std::vector<Point> points;
  for (const ArcUse& use : topology.rings[ring]) {
    const std::vector<Point>& arc = arc_points[use.arc];
    // Each arc's last point is the next arc's first, so it is left out.
    if (use.reversed) {
      for (std::size_t i = arc.size() - 1; i > 0; --i)
        points.push_back(arc[i]);
    } else {
      for (std::size_t i = 0; i + 1 < arc.size(); ++i)
        points.push_back(arc[i]);
    }
  }
  if (points.empty() && !topology.rings[ring].empty()) {
    points.push_back(arc_points[topology.rings[ring].front().arc].front());
  }
  return points;
}

}  // namespace kartela::basemap
