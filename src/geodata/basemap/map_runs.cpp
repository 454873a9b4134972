#include "geodata/basemap/map_runs.h"

#include <algorithm>

#include "geodata/basemap/geometry.h"

namespace kartela::basemap {
namespace {

class Cursor {
 public:
  explicit Cursor(const BaseMap& map) : map_(map) {}

  bool AtEnd() const { return next_ > map_.PointCount; }

  // Skips separators, remembering the last one's code, then takes the
  // vertices up to the next separator.
  MapRun Next() {
    MapRun run;
    while (!AtEnd() && IsSeparator(map_.Points[next_]))
      run.code = map_.Points[next_++].y;
    while (!AtEnd() && !IsSeparator(map_.Points[next_]))
      run.points.push_back(map_.Points[next_++]);
    return run;
  }

 private:
  const BaseMap& map_;
  std::int32_t next_ = 0;
};

}  // namespace

std::vector<MapRun> WalkRuns(const BaseMap& map) {
  std::vector<MapRun> runs;
  Cursor cursor(map);
  for (int a = 0; a < map.MapAreaCount(); ++a) {
    for (int k = 0; k <= kMaxAnchors && map.AreaAnchors[a][k].x >= 1; ++k) {
      MapRun& run = runs.emplace_back(cursor.Next());
      run.area = a;
      run.anchor = k;
    }
  }
  while (!cursor.AtEnd()) {
    MapRun run = cursor.Next();
    if (!run.points.empty()) runs.push_back(std::move(run));
  }
  return runs;
}

BaseMapFigures Summarise(const BaseMap& map) {
  BaseMapFigures figures;
  figures.areas = map.MapAreaCount();
  figures.records = map.PointCount + 1;
  for (const MapRun& run : WalkRuns(map)) {
    figures.longest_run = std::max(figures.longest_run, run.points.size());
    ++(run.area >= 0 ? figures.outline_runs : figures.line_runs);
    if (run.anchor != 0) continue;
    const MapPoint& anchor = map.AreaAnchors[run.area][0];
    if (run.points.size() >= 3 && RingContains(run.points, anchor.x, anchor.y)) continue;
    const bool near = !run.points.empty() && DistanceToRing(run.points, anchor.x, anchor.y) <= 1.0;
    (near ? figures.anchors_on_edge : figures.misplaced_anchors).push_back(run.area);
  }
  return figures;
}

}  // namespace kartela::basemap
