#include "gdi/recording_device_context.h"

#include <gtest/gtest.h>

#include "model/test_support.h"

namespace kartela::gdi {
namespace {

using test::Sjis;

constexpr Brush kHatch{BrushKind::kHatch, {255, 0, 0}, HatchStyle::kCross};
constexpr Pen kDotted{PenStyle::kDot, 0, {0, 0, 255}};

TEST(RecordingDeviceContextTest, DrawingCallsCarryTheStateTheyWereDrawnWith) {
  RecordingDeviceContext dc;
  const Point triangle[] = {{0, 0}, {10, 0}, {5, 8}};
  dc.SelectBrush(kHatch);
  dc.SetFillMode(FillMode::kWinding);
  dc.Polygon(triangle);
  dc.SelectBrush(Brush{});
  dc.Polygon(triangle);

  const std::vector<RecordedCall> polygons = dc.Polygons();
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[0].points, (std::vector<Point>{{0, 0}, {10, 0}, {5, 8}}));
  EXPECT_EQ(polygons[0].state.brush, kHatch);
  EXPECT_EQ(polygons[0].state.fill_mode, FillMode::kWinding);
  EXPECT_EQ(polygons[1].state.brush.kind, BrushKind::kHollow);
  EXPECT_EQ(dc.Count(CallKind::kSelectBrush), 2u);
  EXPECT_EQ(dc.calls().size(), 5u);
}

TEST(RecordingDeviceContextTest, FreshStateIsThatOfANewDeviceContext) {
  RecordingDeviceContext dc;
  const DeviceState& state = dc.state();
  EXPECT_EQ(state.pen, (Pen{PenStyle::kSolid, 0, kBlack}));
  EXPECT_EQ(state.brush, (Brush{BrushKind::kSolid, kWhite}));
  EXPECT_EQ(state.background_mode, BackgroundMode::kOpaque);
  EXPECT_EQ(state.fill_mode, FillMode::kAlternate);
  EXPECT_EQ(state.raster_op, RasterOp::kCopyPen);
  EXPECT_EQ(state.font, LogFont{});
}

TEST(RecordingDeviceContextTest, LinesStartAtTheCurrentPositionAndPolylinesLeaveIt) {
  RecordingDeviceContext dc;
  const Point zigzag[] = {{50, 50}, {60, 40}, {70, 50}};
  dc.SelectPen(kDotted);
  dc.MoveTo({1, 2});
  dc.LineTo({3, 4});
  dc.Polyline(zigzag);
  dc.LineTo({5, 6});

  const std::vector<RecordedCall> lines = dc.CallsOf(CallKind::kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<Point>{{1, 2}, {3, 4}}));
  EXPECT_EQ(lines[1].points, (std::vector<Point>{{3, 4}, {5, 6}}));
  EXPECT_EQ(lines[1].state.pen, kDotted);
  EXPECT_EQ(dc.CallsOf(CallKind::kPolyline).at(0).points.size(), 3u);
}

TEST(RecordingDeviceContextTest, TextsKeepTheirPositionFontAndModes) {
  RecordingDeviceContext dc;
  LogFont font;
  font.Height = -20;
  dc.SelectFont(font);
  dc.SetTextAlign(kAlignCenter | kAlignTop);
  dc.SetBackgroundMode(BackgroundMode::kTransparent);
  dc.TextOut({100, 7}, Sjis("東京都"));
  dc.SetTextAlign(kAlignLeft | kAlignTop);
  dc.TextOut({3, 4}, "x");

  EXPECT_EQ(dc.TextStrings(), (std::vector<std::string>{Sjis("東京都"), "x"}));
  const RecordedCall title = dc.Texts().at(0);
  EXPECT_EQ(title.at(), (Point{100, 7}));
  EXPECT_EQ(title.state.font.Height, -20);
  EXPECT_EQ(title.state.text_align, kAlignCenter | kAlignTop);
  EXPECT_EQ(title.state.background_mode, BackgroundMode::kTransparent);
  EXPECT_EQ(dc.Texts().at(1).state.text_align, kAlignLeft | kAlignTop);

  dc.Clear();
  EXPECT_TRUE(dc.calls().empty());
  EXPECT_EQ(dc.state().font.Height, -20);
}

TEST(RecordingDeviceContextTest, TextExtentIsHalfTheHeightPerByteOrFailsOnRequest) {
  RecordingDeviceContext dc;
  LogFont font;
  font.Height = -12;
  dc.SelectFont(font);
  EXPECT_EQ(dc.TextExtent(Sjis("日本")), (Size{24, 12}));
  EXPECT_EQ(dc.TextExtent(" 9"), (Size{12, 12}));
  font.Height = 15;
  dc.SelectFont(font);
  EXPECT_EQ(dc.TextExtent("abc"), (Size{22, 15}));

  dc.set_measure_fails(true);
  EXPECT_EQ(dc.TextExtent("abc"), std::nullopt);
  // Failed attempts are recorded too, so a test can see what was measured.
  const std::vector<RecordedCall> measured = dc.CallsOf(CallKind::kTextExtent);
  ASSERT_EQ(measured.size(), 4u);
  EXPECT_EQ(measured.back().text, "abc");
  EXPECT_EQ(measured.back().state.font.Height, 15);
}

}  // namespace
}  // namespace kartela::gdi
