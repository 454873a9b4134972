#include "render/map_painter.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "render/circle_map.h"
#include "render/classification.h"
#include "render/decoration_painter.h"
#include "render/legend.h"
#include "render/map_frame.h"
#include "render/map_furniture.h"
#include "render/picture_graph.h"

namespace kartela {
namespace {

// Line codes of the separators that start special runs: second borders,
// auxiliary lines, and lines stroked thin and solid whatever the setting.
constexpr std::int16_t kCodeSecondBorder = -1;
constexpr std::int16_t kCodeAuxiliaryLine = -8;
constexpr std::int16_t kCodeThinLine = -9;

// The device points of one run, mapped through the frame of the paint. It
// holds the longest run of the shipped maps without growing; a longer run
// makes it grow once, so that every run is drawn whole, and it is reused for
// every run of the paint.
class RunBuffer {
 public:
  static constexpr std::size_t kPoints = 1001;

  explicit RunBuffer(const MapFrame& frame) : mapper_(frame) { points_.reserve(kPoints); }
  void Clear() { points_.clear(); }
  void Add(MapPoint p) { points_.push_back(mapper_(p)); }
  const std::vector<gdi::Point>& points() const { return points_; }

 private:
  PointMapper mapper_;
  std::vector<gdi::Point> points_;
};

// Walks the point stream run by run. A separator (x = 0) starts a run; its y
// is the line code of the run.
class RunCursor {
 public:
  explicit RunCursor(const BaseMap& map)
      : points_(map.Points), last_(std::min(map.PointCount, map.Points.Capacity() - 1)) {}

  // Moves past the separators before the next run; false at the end.
  bool SeekRun() {
    while (next_ <= last_ && IsSeparator(points_[next_])) {
      code_ = points_[next_].y;
      if (code_ < 0) special_seen_ = true;
      ++next_;
    }
    return next_ <= last_;
  }

  std::int16_t code() const { return code_; }
  // Whether a separator with a negative code was passed.
  bool special_seen() const { return special_seen_; }

  void ReadRun(RunBuffer& run) {
    run.Clear();
    for (; next_ <= last_ && !IsSeparator(points_[next_]); ++next_)
      run.Add(points_[next_]);
  }

  void SkipRun() {
    while (next_ <= last_ && !IsSeparator(points_[next_]))
      ++next_;
  }

 private:
  const PointStore& points_;
  std::int32_t last_;
  std::int32_t next_ = 0;
  std::int16_t code_ = 0;
  bool special_seen_ = false;
};

void DrawOpenRun(gdi::DeviceContext& dc, const RunBuffer& run) {
  if (run.points().size() >= 2) dc.Polyline(run.points());
}

// Draws the outline runs of the areas. With the thick border a run smaller
// than twice the pen's width (a small island) would be all pen, a black
// blob: such a run is outlined with the thin pen instead.
class OutlinePens {
 public:
  explicit OutlinePens(const PaintContext& context)
      : context_(context),
        border_(context.Pen(kPenBorder)),
        thick_(NormalBorderOf(context.workspace.settings.BorderStyle) == NormalBorder::kThick) {}
  OutlinePens(const OutlinePens&) = delete;
  OutlinePens& operator=(const OutlinePens&) = delete;
  // The border pen stays selected after the outlines, as the lines after
  // them expect.
  ~OutlinePens() {
    if (thin_selected_) context_.dc.SelectPen(border_);
  }

  void DrawRun(const std::vector<gdi::Point>& points) {
    const bool thin = thick_ && SmallerThanTwicePen(points);
    if (thin != thin_selected_) {
      context_.dc.SelectPen(thin ? context_.Pen(kPenLegend) : border_);
      thin_selected_ = thin;
    }
    context_.dc.Polygon(points);
  }

 private:
  bool SmallerThanTwicePen(const std::vector<gdi::Point>& points) const {
    const auto [min_x, max_x] = std::minmax_element(
        points.begin(), points.end(), [](gdi::Point a, gdi::Point b) { return a.x < b.x; });
    const auto [min_y, max_y] = std::minmax_element(
        points.begin(), points.end(), [](gdi::Point a, gdi::Point b) { return a.y < b.y; });
    const std::int64_t twice = 2 * std::int64_t{border_.width};
    return std::int64_t{max_x->x} - min_x->x < twice && std::int64_t{max_y->y} - min_y->y < twice;
  }

  const PaintContext& context_;
  gdi::Pen border_;
  bool thick_;
  bool thin_selected_ = false;
};

// One closed polygon per anchor of each area, after `select_brush(area)`.
template <typename SelectBrush>
void DrawAreaOutlines(const PaintContext& context, RunCursor& cursor, RunBuffer& run,
                      SelectBrush select_brush) {
  const Workspace& ws = context.workspace;
  const BaseMap& map = ws.base_map;
  const int count = std::min(map.MapAreaCount(), static_cast<int>(map.AreaAnchors.size()));
  // Values are told only with the data of the map drawn.
  const bool values = map.LoadedMapFile == ws.area_list.CurrentBaseMapFile;
  OutlinePens pens(context);
  for (int area = 1; area <= count; ++area) {
    const auto index = static_cast<std::size_t>(area - 1);
    context.dc.BeginArea(
        area, index < map.MapAreaNames.size() ? map.MapAreaNames[index] : std::string_view(),
        values && index < ws.data.DataValues.size() ? ws.data.DataValues[index]
                                                    : std::string_view());
    select_brush(area);
    const auto& anchors = map.AreaAnchors[index];
    for (std::size_t c = 0; c < anchors.size() && anchors[c].x >= 1; ++c) {
      cursor.SeekRun();
      cursor.ReadRun(run);
      if (run.points().size() >= 2) pens.DrawRun(run.points());
    }
    context.dc.EndArea();
  }
}

// The runs after the last area, in the pen already selected; auxiliary
// lines (code -8) are left to the special lines.
void DrawBoundaryLines(const PaintContext& context, RunCursor& cursor, RunBuffer& run) {
  while (cursor.SeekRun()) {
    if (cursor.code() == kCodeAuxiliaryLine) {
      cursor.SkipRun();
      continue;
    }
    cursor.ReadRun(run);
    DrawOpenRun(context.dc, run);
  }
}

std::optional<PenIndex> SpecialLinePen(std::int16_t code, std::int16_t border_style) {
  switch (code) {
    case kCodeSecondBorder:
      return kPenSecondBorder;
    case kCodeAuxiliaryLine:
      if (AuxiliaryLineOf(border_style) == AuxiliaryLine::kNone) return std::nullopt;
      return kPenAuxiliary;
    case kCodeThinLine:
      return kPenLegend;
    default:
      return std::nullopt;
  }
}

// Every run of the stream with code -1, -8 or -9 stroked again in its own
// pen, area outlines included.
void DrawSpecialLines(const PaintContext& context, RunBuffer& run) {
  RunCursor cursor(context.workspace.base_map);
  const std::int16_t border_style = context.workspace.settings.BorderStyle;
  while (cursor.SeekRun()) {
    const std::optional<PenIndex> pen = SpecialLinePen(cursor.code(), border_style);
    if (!pen) {
      cursor.SkipRun();
      continue;
    }
    context.dc.SelectPen(context.Pen(*pen));
    cursor.ReadRun(run);
    DrawOpenRun(context.dc, run);
  }
}

// The brush of the area's class; hollow without a value, and hollow for a
// value beyond the outer thresholds, the only values no class holds
// (boundaries out of order still leave every value between them a class).
gdi::Brush AreaBrush(const PaintContext& context, const PaintClasses& classes, int area) {
  const ClassTables& tables = context.workspace.class_tables;
  const auto index = static_cast<std::size_t>(area - 1);
  if (index >= tables.NumericValues.size()) return BrushAt(kHollowBrush);
  const std::optional<int> cls =
      ClassOfValue(tables.NumericValues[index], classes, tables.DivisionMethod);
  if (!cls) return BrushAt(kHollowBrush);
  return context.resources.ClassBrush(classes.EffectiveClassCount, *cls);
}

void FillAreas(const PaintContext& context, const PaintClasses& classes, RunCursor& cursor,
               RunBuffer& run) {
  DrawAreaOutlines(context, cursor, run,
                   [&](int area) { context.dc.SelectBrush(AreaBrush(context, classes, area)); });
}

// The choropleth. The palette option needs no step: colours are plain RGB.
void PaintChoropleth(const PaintContext& context) {
  const ClassTables& tables = context.workspace.class_tables;
  gdi::DeviceContext& dc = context.dc;
  dc.SelectPen(context.Pen(kPenBorder));
  dc.SetBackgroundColor(context.BackgroundColor());
  dc.SetTextColor(context.TextColor());
  const PaintClasses classes = BuildClassThresholds(tables.ClassBreaks);
  const Settings& settings = context.workspace.settings;
  LegendTexts legend = PrepareLegendTexts(tables, classes, settings.LegendStyle,
                                          context.resources.fonts[kFontLegend].FaceName);
  ApplyLegendOptions(legend, tables, classes, settings.LegendStyle, settings.LegendOptions,
                     context.workspace.base_map.MapAreaCount());
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  dc.SetFillMode(gdi::FillMode::kWinding);
  RunBuffer run(context.frame);
  RunCursor cursor(context.workspace.base_map);
  InLayer(dc, gdi::Layer::kAreas, [&] { FillAreas(context, classes, cursor, run); });
  InLayer(dc, gdi::Layer::kBoundaries, [&] { DrawBoundaryLines(context, cursor, run); });
  InLayer(dc, gdi::Layer::kTitle, [&] { DrawTitle(context); });
  InLayer(dc, gdi::Layer::kLegend, [&] { DrawLegend(context, legend); });
  if (cursor.special_seen())
    InLayer(dc, gdi::Layer::kBoundaries, [&] { DrawSpecialLines(context, run); });
  InLayer(dc, gdi::Layer::kNames, [&] {
    DrawAreaNames(context, [&](int area) { return AreaBrush(context, classes, area); });
  });
}

// The background layer: the picture, when one is loaded, played into its
// rectangle.
void PaintBackgroundPicture(const PaintContext& context) {
  const MapView& view = context.workspace.view;
  if (view.Background == BackgroundMode::kNone || !view.Picture) return;
  view.Picture->PlayInto(
      context.dc, BackgroundRect(view, context.params.PaintScale, context.params.PaintOrigin));
}

void PaintMapOfKind(const PaintContext& context) {
  switch (context.workspace.view.Kind) {
    case MapKind::kWhiteMap:
      PaintWhiteMap(context);
      break;
    case MapKind::kPaintMap:
      PaintChoropleth(context);
      break;
    case MapKind::kCircleGraph:
      DrawCircleMap(context);
      break;
    case MapKind::kPictureGraph:
      DrawPictureGraph(context);
      break;
    case MapKind::kNone:
      break;
  }
}

}  // namespace

void PaintMap(const Workspace& workspace, gdi::DeviceContext& dc, const PaintParams& params) {
  PaintMap(
      workspace,
      CreateDrawingResources(workspace.settings, workspace.screen_colors, workspace.PrintLineWidth),
      dc, params);
}

void PaintMap(const Workspace& workspace, const DrawingResources& resources, gdi::DeviceContext& dc,
              const PaintParams& params) {
  const PaintContext context(workspace, resources, dc, params);
  InLayer(dc, gdi::Layer::kBackground, [&] { PaintBackgroundPicture(context); });
  PaintMapOfKind(context);
  if (workspace.view.Kind != MapKind::kNone)
    InLayer(dc, gdi::Layer::kTitle, [&] { DrawSourceLine(context); });
  InLayer(dc, gdi::Layer::kDecorations, [&] {
    DrawShapeDecorations(context);
    DrawTextDecorations(context);
  });
}

void PaintWhiteMap(const PaintContext& context) {
  gdi::DeviceContext& dc = context.dc;
  dc.SelectPen(context.Pen(kPenBorder));
  dc.SelectBrush(BrushAt(kHollowBrush));
  dc.SetFillMode(gdi::FillMode::kWinding);
  RunBuffer run(context.frame);
  RunCursor cursor(context.workspace.base_map);
  InLayer(dc, gdi::Layer::kAreas, [&] { DrawAreaOutlines(context, cursor, run, [](int) {}); });
  InLayer(dc, gdi::Layer::kBoundaries, [&] {
    DrawBoundaryLines(context, cursor, run);
    if (cursor.special_seen()) DrawSpecialLines(context, run);
  });
  if ((context.params.PaintFlags & kPaintOutlineOnly) == 0)
    InLayer(dc, gdi::Layer::kNames, [&] { DrawAreaNames(context); });
}

}  // namespace kartela
