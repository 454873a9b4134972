#include "render/decoration_painter.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/map_painter.h"
#include "render_test_support.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::Point;
using gdi::RecordedCall;
using gdi::Rect;

// The shape routines drawn from a press at (100, 100): the call they make,
// its rectangle or points, the brush of the fill and the size returned.
TEST(ShapeRoutinesTest, PointsBrushAndSizeOfEachShape) {
  gdi::RecordingDeviceContext dc;
  const Point centre{100, 100};

  EXPECT_EQ(DrawCircleShape(dc, centre, {103, 104}, 3), 5);
  EXPECT_EQ(dc.calls().back().kind, CallKind::kEllipse);
  EXPECT_EQ(dc.calls().back().rect, (Rect{95, 95, 105, 105}));
  EXPECT_EQ(dc.calls().back().state.brush, BrushAt(27));  // green

  // Apex up, inscribed in the circle of radius 5; v = Round(2.5) = 2.
  EXPECT_EQ(DrawTriangleShape(dc, centre, {103, 104}, 0), 5);
  EXPECT_EQ(dc.calls().back().points,
            (std::vector<Point>{{100, 95}, {96, 102}, {104, 102}, {100, 95}}));
  EXPECT_EQ(dc.calls().back().state.brush, BrushAt(24));  // white

  // A pure diagonal: both distances are equal, and the larger one counts.
  EXPECT_EQ(DrawSquareShape(dc, centre, {90, 110}, kFillHollow), 10);
  EXPECT_EQ(dc.calls().back().kind, CallKind::kRectangle);
  EXPECT_EQ(dc.calls().back().rect, (Rect{90, 90, 110, 110}));
  EXPECT_EQ(dc.calls().back().state.brush, BrushAt(kHollowBrush));

  // m = 10 gives arms t = 6; twelve corners and the first again.
  EXPECT_EQ(DrawCrossShape(dc, centre, {110, 96}, 8), 10);
  EXPECT_EQ(dc.calls().back().points, (std::vector<Point>{{94, 90},
                                                          {100, 96},
                                                          {106, 90},
                                                          {110, 94},
                                                          {104, 100},
                                                          {110, 106},
                                                          {106, 110},
                                                          {100, 104},
                                                          {94, 110},
                                                          {90, 106},
                                                          {96, 100},
                                                          {90, 94},
                                                          {94, 90}}));
  EXPECT_EQ(dc.calls().back().state.brush, BrushAt(32));  // light grey
}

TEST(ShapeRoutinesTest, RubberBandsAreUnfilledAndLinesHaveNoSize) {
  gdi::RecordingDeviceContext dc;
  EXPECT_EQ(DrawRubberBand(dc, DecorationMode::kCircle, {10, 10}, {13, 14}), 5);
  EXPECT_EQ(dc.CallsOf(CallKind::kEllipse).back().state.brush, BrushAt(kHollowBrush));
  dc.Clear();
  EXPECT_EQ(DrawRubberBand(dc, DecorationMode::kRectangle, {10, 10}, {20, 30}), 0);
  std::vector<Point> path;
  for (const RecordedCall& call : dc.calls())
    path.push_back(call.state.position);
  EXPECT_EQ(path, (std::vector<Point>{{10, 10}, {20, 10}, {20, 30}, {10, 30}, {10, 10}}));
  dc.Clear();
  EXPECT_EQ(DrawRubberBand(dc, DecorationMode::kTextCleared, {10, 10}, {20, 30}), 0);
  EXPECT_TRUE(dc.calls().empty());
}

// The size known without drawing is the one the routine returns.
TEST(ShapeRoutinesTest, ShapeSizeIsWhatTheRoutineReturns) {
  const std::uint8_t kinds[] = {kShapeLine,       kShapeDottedLine,  kShapeRectangle,
                                kShapeCircle + 2, kShapeSquare,      kShapeTriangle + 9,
                                kShapeCross + 5,  kShapeCircle + 10, 0};
  const Point ends[] = {{103, 104}, {90, 110}, {100, 100}, {-2147483000, 100}};
  gdi::RecordingDeviceContext dc;
  for (const std::uint8_t kind : kinds) {
    for (const Point end : ends) {
      EXPECT_EQ(ShapeSize(kind, {100, 100}, end), DrawShapeOfKind(dc, kind, {100, 100}, end))
          << int(kind) << " to " << end.x << "," << end.y;
    }
  }
  EXPECT_EQ(ShapeSize(kShapeTriangle, {100, 100}, {103, 104}), 5);
}

class DecorationPaintTest : public testing::Test {
 protected:
  DecorationPaintTest() {
    ws_.screen_colors.window_text = gdi::Color{10, 20, 30};
    auto& lists = ws_.decorations;
    AddShapeDecoration(lists, {10, 20, 30, 40, kShapeLine});
    AddShapeDecoration(lists, {10, 20, 30, 40, kShapeDottedLine});
    AddShapeDecoration(lists, {50, 50, 53, 54, kShapeCircle + 6});
    AddShapeDecoration(lists, {50, 50, 60, 60, 26});  // no such kind
    AddTextDecoration(lists, {7, 9, kTextCleared, "A"});
    AddTextDecoration(lists, {8, 11, kTextTransparent, "B"});
  }

  void Paint(PaintParams params) {
    dc_.Clear();
    PaintMap(ws_, dc_, params);
  }

  Workspace ws_;  // no map: only the decorations are drawn
  gdi::RecordingDeviceContext dc_;
};

TEST_F(DecorationPaintTest, ShapesAtScaledPointsInTheirPensThenTexts) {
  Paint(PaintParams{0, Point{10, 5}, 2.0});
  const DrawingResources resources =
      CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
  const std::vector<RecordedCall> lines = dc_.CallsOf(CallKind::kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<Point>{{10, 35}, {50, 75}}));
  EXPECT_EQ(lines[0].state.pen, resources.pens[kPenLegend]);
  EXPECT_EQ(lines[1].state.pen, resources.pens[kPenDotted]);
  EXPECT_EQ(lines[1].state.background_mode, gdi::BackgroundMode::kTransparent);
  // The circle's radius comes from the scaled points: (90, 95) to (96, 103).
  const std::vector<RecordedCall> circles = dc_.CallsOf(CallKind::kEllipse);
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(circles[0].rect, (Rect{80, 85, 100, 105}));
  EXPECT_EQ(circles[0].state.brush, BrushAt(30));  // blue
  EXPECT_EQ(dc_.state().raster_op, gdi::RasterOp::kCopyPen);

  const std::vector<RecordedCall> texts = dc_.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].at(), (Point{4, 13}));
  EXPECT_EQ(texts[0].state.background_mode, gdi::BackgroundMode::kOpaque);
  EXPECT_EQ(texts[0].state.text_color, (gdi::Color{10, 20, 30}));
  EXPECT_EQ(texts[0].state.font.Height, 2 * ws_.settings.FancyFont.Height);
  EXPECT_EQ(texts[1].at(), (Point{6, 17}));
  EXPECT_EQ(texts[1].state.background_mode, gdi::BackgroundMode::kTransparent);
}

TEST_F(DecorationPaintTest, WithoutTextsShapesStayAndMonochromeIsBlack) {
  Paint(PaintParams{kPaintNoText | kPaintMonochrome, Point{}, 1.0});
  EXPECT_TRUE(dc_.Texts().empty());
  EXPECT_EQ(dc_.Count(CallKind::kEllipse), 1u);
  const DrawingResources resources =
      CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
  EXPECT_EQ(dc_.CallsOf(CallKind::kLineTo)[1].state.pen, resources.pens[kPenDottedMono]);

  Paint(PaintParams{kPaintMonochrome, Point{}, 1.0});
  ASSERT_EQ(dc_.Texts().size(), 2u);
  EXPECT_EQ(dc_.Texts()[0].state.text_color, gdi::kBlack);
  EXPECT_EQ(dc_.Texts()[0].state.background_color, gdi::kWhite);
}

}  // namespace
}  // namespace kartela
