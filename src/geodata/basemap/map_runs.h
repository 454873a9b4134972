// The runs of a loaded base map, walked as the renderer walks them: one
// outline run per anchor of each area, then the boundary lines.
#pragma once

#include <cstdint>
#include <vector>

#include "model/base_map.h"

namespace kartela::basemap {

struct MapRun {
  int area = -1;    // 0-based area of an outline run; -1 for a boundary line
  int anchor = -1;  // the outline's anchor column
  std::int16_t code = 0;
  std::vector<MapPoint> points;
};

std::vector<MapRun> WalkRuns(const BaseMap& map);

struct BaseMapFigures {
  int areas = 0;
  std::int32_t records = 0;
  std::size_t longest_run = 0;
  std::size_t outline_runs = 0;
  std::size_t line_runs = 0;
  // Areas (0-based) whose first anchor lies within a pixel of their first
  // outline but not inside it: outlines too thin or small to hold one.
  std::vector<int> anchors_on_edge;
  // Areas whose first anchor lies farther away from their first outline.
  std::vector<int> misplaced_anchors;
};

BaseMapFigures Summarise(const BaseMap& map);

}  // namespace kartela::basemap
