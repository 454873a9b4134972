// Helpers shared by the rendering tests: a base map built in memory, a
// workspace ready for painting, and questions asked of a recording.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/recording_device_context.h"
#include "model/base_map.h"
#include "render/drawing_resources.h"
#include "render/paint_context.h"
#include "render/workspace.h"

namespace kartela::test {

// One run of the point stream: its separator's line code and its vertices.
struct Run {
  std::int16_t code = 0;
  std::vector<MapPoint> points;
};

// The four corners of a square with its top-left corner at (x, y).
std::vector<MapPoint> Square(std::int16_t x, std::int16_t y, std::int16_t side);

// Builds a base map in memory: the areas' runs first, in area order, then
// the lines after them, each run behind its own separator.
class BaseMapBuilder {
 public:
  // An area with one anchor per run (the anchors given, or each run's first
  // vertex when `anchors` is empty).
  BaseMapBuilder& Area(std::string name, std::vector<Run> runs, std::vector<MapPoint> anchors = {});
  // A line after the last area.
  BaseMapBuilder& Line(std::int16_t code, std::vector<MapPoint> points);
  BaseMap Build() const;

 private:
  struct AreaRecord {
    std::string name;
    std::vector<Run> runs;
    std::vector<MapPoint> anchors;
  };
  std::vector<AreaRecord> areas_;
  std::vector<Run> lines_;
};

// A workspace with three square areas "A", "B", "C" (sides 10 at x = 10, 30,
// 50), one boundary line, values 5, 15 and 25, boundaries "10" and "20", and
// the paint map as the current map.
void SetUpPaintMap(Workspace& workspace);

// A workspace for the symbol maps: areas "A".."G" in a row (squares of side
// 20 at x = 10, 50, ..., anchored at (x + 10, 20), except "F", which has no
// run), values 100, 20, 0, -60, 200, 50 and "x", and the legend corner at
// (300, 100). The values are not converted.
void SetUpSymbolAreas(Workspace& workspace);

// The context of one paint, with the objects made from the settings.
struct TestPaint {
  explicit TestPaint(const Workspace& workspace, PaintParams params = {});
  DrawingResources resources;
  PaintParams params;
  gdi::RecordingDeviceContext dc;
  PaintContext context;
};

// The kinds of the drawing calls (lines, shapes, texts), in order, with
// consecutive repeats folded into one.
std::vector<gdi::CallKind> DrawingLayers(const gdi::RecordingDeviceContext& dc);

}  // namespace kartela::test
