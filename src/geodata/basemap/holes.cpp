#include "geodata/basemap/holes.h"

#include <algorithm>
#include <limits>
#include <map>

#include "geodata/basemap/geometry.h"

namespace kartela::basemap {
namespace {

struct Bridge {
  std::size_t outer = 0;
  std::size_t hole = 0;
};

Bridge NearestVertices(const std::vector<MapPoint>& outer, const std::vector<MapPoint>& hole) {
  Bridge bridge;
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < outer.size(); ++i) {
    for (std::size_t j = 0; j < hole.size(); ++j) {
      const double dx = outer[i].x - hole[j].x, dy = outer[i].y - hole[j].y;
      if (dx * dx + dy * dy < nearest) nearest = dx * dx + dy * dy, bridge = {i, j};
    }
  }
  return bridge;
}

// The sorted arcs of a part's boundary: equal for parts with the same boundary.
std::vector<int> Signature(const Sheet& sheet, int part) {
  std::vector<int> arcs;
  for (const ArcUse& use : sheet.topology.rings[part])
    arcs.push_back(use.arc);
  std::sort(arcs.begin(), arcs.end());
  return arcs;
}

bool InsideOwnArea(const Sheet& sheet, int part, const std::vector<int>& twins) {
  for (int other = 0; other < static_cast<int>(sheet.parts.size()); ++other) {
    if (sheet.parts[other].area == sheet.parts[part].area &&
        std::find(twins.begin(), twins.end(), other) == twins.end() && sheet.Inside(part, other)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<MapPoint> CutHole(const std::vector<MapPoint>& outer, std::vector<MapPoint> hole) {
  if (outer.empty() || hole.empty()) return outer;
  if ((TwiceSignedArea(outer) > 0) == (TwiceSignedArea(hole) > 0))
    std::reverse(hole.begin(), hole.end());
  const Bridge bridge = NearestVertices(outer, hole);
  std::vector<MapPoint> ring(outer.begin(), outer.begin() + bridge.outer + 1);
  ring.insert(ring.end(), hole.begin() + bridge.hole, hole.end());
  ring.insert(ring.end(), hole.begin(), hole.begin() + bridge.hole + 1);
  ring.insert(ring.end(), outer.begin() + bridge.outer, outer.end());
  return ring;
}

std::vector<std::vector<int>> FindEnclaves(const Sheet& sheet,
                                           const std::vector<int>& outline_parts) {
  std::vector<std::vector<int>> enclaves(sheet.parts.size());
  for (const int outer : outline_parts) {
    for (const int inner : outline_parts) {
      if (sheet.parts[inner].area < sheet.parts[outer].area && sheet.Inside(inner, outer)) {
        enclaves[outer].push_back(inner);
      }
    }
  }
  return enclaves;
}

std::vector<bool> FindHoleMarkers(const Sheet& sheet) {
  std::map<std::vector<int>, std::vector<int>> twins;
  for (int part = 0; part < static_cast<int>(sheet.parts.size()); ++part) {
    twins[Signature(sheet, part)].push_back(part);
  }
  std::vector<bool> markers(sheet.parts.size(), false);
  for (const auto& [signature, parts] : twins) {
    for (const int part : parts) {
      const bool has_foreign_twin = std::any_of(parts.begin(), parts.end(), [&](int other) {
        return sheet.parts[other].area != sheet.parts[part].area;
      });
      markers[part] = has_foreign_twin && InsideOwnArea(sheet, part, parts);
    }
  }
  return markers;
}

}  // namespace kartela::basemap
