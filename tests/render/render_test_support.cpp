#include "render_test_support.h"

#include <utility>

namespace kartela::test {

std::vector<MapPoint> Square(std::int16_t x, std::int16_t y, std::int16_t side) {
  const auto right = static_cast<std::int16_t>(x + side);
  const auto bottom = static_cast<std::int16_t>(y + side);
  return {{x, y}, {right, y}, {right, bottom}, {x, bottom}};
}

BaseMapBuilder& BaseMapBuilder::Area(std::string name, std::vector<Run> runs,
                                     std::vector<MapPoint> anchors) {
  if (anchors.empty()) {
    for (const Run& run : runs)
      anchors.push_back(run.points.front());
  }
  areas_.push_back({std::move(name), std::move(runs), std::move(anchors)});
  return *this;
}

BaseMapBuilder& BaseMapBuilder::Line(std::int16_t code, std::vector<MapPoint> points) {
  lines_.push_back({code, std::move(points)});
  return *this;
}

namespace {

void Append(BaseMap& map, const Run& run) {
  std::int32_t next = map.PointCount + 1;
  map.Points.Grow(next + static_cast<std::int32_t>(run.points.size()));
  map.Points[next++] = MapPoint{0, run.code};
  for (const MapPoint& p : run.points)
    map.Points[next++] = p;
  map.PointCount = next - 1;
}

}  // namespace

BaseMap BaseMapBuilder::Build() const {
  BaseMap map;
  for (const AreaRecord& area : areas_) {
    map.MapAreaNames.push_back(area.name);
    auto& anchors = map.AreaAnchors.emplace_back();
    for (std::size_t c = 0; c < area.anchors.size() && c < kMaxAnchors; ++c)
      anchors[c] = area.anchors[c];
    for (const Run& run : area.runs)
      Append(map, run);
  }
  for (const Run& line : lines_)
    Append(map, line);
  return map;
}

void SetUpPaintMap(Workspace& workspace) {
  workspace.base_map = BaseMapBuilder()
                           .Area("A", {{0, Square(10, 10, 10)}})
                           .Area("B", {{0, Square(30, 10, 10)}})
                           .Area("C", {{0, Square(50, 10, 10)}})
                           .Line(0, {{10, 30}, {60, 30}})
                           .Build();
  workspace.base_map.IndexPosition = MapPoint{100, 100};
  workspace.data.DataTitle = "Title";
  const std::vector<std::string> values = {"5", "15", "25"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    workspace.area_list.AreaNames.push_back(workspace.base_map.MapAreaNames[i]);
    workspace.data.DataValues[i] = values[i];
  }
  ConvertDataValues(workspace.data, 3, workspace.class_tables);
  workspace.class_tables.IntWidth = 2;
  workspace.class_tables.ValueWidth = 3;
  workspace.class_tables.ClassBreaks[0] = "10";
  workspace.class_tables.ClassBreaks[1] = "20";
  workspace.view.Kind = MapKind::kPaintMap;
}

TestPaint::TestPaint(const Workspace& workspace, PaintParams params_in)
    : resources(CreateDrawingResources(workspace.settings, workspace.screen_colors,
                                       workspace.PrintLineWidth)),
      params(params_in),
      context(workspace, resources, dc, params) {}

std::vector<gdi::CallKind> DrawingLayers(const gdi::RecordingDeviceContext& dc) {
  std::vector<gdi::CallKind> layers;
  for (const gdi::RecordedCall& call : dc.calls()) {
    switch (call.kind) {
      case gdi::CallKind::kMoveTo:
      case gdi::CallKind::kLineTo:
      case gdi::CallKind::kPolyline:
      case gdi::CallKind::kPolygon:
      case gdi::CallKind::kRectangle:
      case gdi::CallKind::kEllipse:
      case gdi::CallKind::kTextOut:
        if (layers.empty() || layers.back() != call.kind) layers.push_back(call.kind);
        break;
      default:
        break;
    }
  }
  return layers;
}

void SetUpSymbolAreas(Workspace& workspace) {
  BaseMapBuilder builder;
  const std::vector<std::string> values = {"100", "20", "0", "-60", "200", "50", "x"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto x = static_cast<std::int16_t>(10 + 40 * i);
    const std::string name(1, static_cast<char>('A' + i));
    if (i == 5) {
      builder.Area(name, {});
    } else {
      builder.Area(name, {{0, Square(x, 10, 20)}}, {{static_cast<std::int16_t>(x + 10), 20}});
    }
    workspace.area_list.AreaNames.push_back(name);
    workspace.data.DataValues[i] = values[i];
  }
  workspace.base_map = builder.Build();
  workspace.base_map.IndexPosition = MapPoint{300, 100};
}

}  // namespace kartela::test
