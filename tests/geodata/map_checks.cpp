#include "map_checks.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "geodata/basemap/idt_writer.h"
#include "geodata/basemap/map_builder.h"
#include "geodata/basemap/map_runs.h"

namespace kartela::test {
namespace {

using Vertex = std::pair<int, int>;
using Segment = std::pair<Vertex, Vertex>;

// An area's outline vertices and undirected outline segments.
struct AreaEdges {
  std::set<Vertex> points;
  std::set<Segment> segments;
};

std::vector<AreaEdges> EdgesOf(const BaseMap& map) {
  std::vector<AreaEdges> areas(map.MapAreaCount());
  for (const basemap::MapRun& run : basemap::WalkRuns(map)) {
    if (run.area < 0) continue;
    AreaEdges& area = areas[run.area];
    for (std::size_t i = 0; i < run.points.size(); ++i) {
      const MapPoint& p = run.points[i];
      const MapPoint& q = run.points[(i + 1) % run.points.size()];
      const Vertex a{p.x, p.y}, b{q.x, q.y};
      area.points.insert(a);
      if (a != b) area.segments.insert(a < b ? Segment{a, b} : Segment{b, a});
    }
  }
  return areas;
}

// The segments of `from` between two vertices of `onto`.
std::set<Segment> SegmentsOnto(const AreaEdges& from, const AreaEdges& onto) {
  std::set<Segment> shared;
  for (const Segment& s : from.segments) {
    if (onto.points.contains(s.first) && onto.points.contains(s.second)) shared.insert(s);
  }
  return shared;
}

}  // namespace

void ExpectSharedBordersIdentical(const BaseMap& map) {
  const std::vector<AreaEdges> areas = EdgesOf(map);
  for (std::size_t a = 0; a < areas.size(); ++a) {
    for (std::size_t b = a + 1; b < areas.size(); ++b) {
      EXPECT_EQ(SegmentsOnto(areas[a], areas[b]), SegmentsOnto(areas[b], areas[a]))
          << "areas " << a + 1 << " and " << b + 1;
    }
  }
}

void ExpectLikeShippedMaps(const BaseMap& map) {
  const basemap::BaseMapFigures figures = basemap::Summarise(map);
  EXPECT_LE(figures.areas, kMaxAreas);
  EXPECT_LE(static_cast<std::size_t>(figures.records), basemap::kMaxPointRecords);
  EXPECT_LE(figures.longest_run, basemap::kMaxRunVertices);
  EXPECT_TRUE(figures.misplaced_anchors.empty());
  EXPECT_GT(map.IndexPosition.x, 0);
}

}  // namespace kartela::test
