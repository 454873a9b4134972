#include "render/circle_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/circle_settings_check.h"
#include "render/map_painter.h"
#include "render_test_support.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::RecordedCall;
using gdi::Rect;

const gdi::Brush& Blue() {
  return BrushAt(30);  // circle colour 6, the default above the base value
}
const gdi::Brush& Yellow() {
  return BrushAt(25);  // circle colour 1, the default below it
}

class CircleMapTest : public testing::Test {
 protected:
  CircleMapTest() {
    test::SetUpSymbolAreas(ws_);
    ScanSymbolData(ws_.data, 7, ws_.class_tables.NumericValues);
    ws_.symbols.BaseValue = 20;
    ws_.symbols.RefValueText = "100";
    ws_.view.Kind = MapKind::kCircleGraph;
  }

  void Paint(PaintParams params = {}) {
    dc_.Clear();
    PaintMap(ws_, dc_, params);
  }

  std::vector<RecordedCall> Circles() const { return dc_.CallsOf(CallKind::kEllipse); }

  Workspace ws_;
  gdi::RecordingDeviceContext dc_;
};

TEST_F(CircleMapTest, RadiusFromTheBaseValueAndColourBySign) {
  ws_.settings.AreaNameFlags = 1;
  Paint();
  const std::vector<RecordedCall> circles = Circles();
  ASSERT_EQ(circles.size(), 5u);
  // 100 is the reference: radius 10, blue.
  EXPECT_EQ(circles[0].rect, (Rect{10, 10, 30, 30}));
  EXPECT_EQ(circles[0].state.brush, Blue());
  // 20 equals the base value: radius 0, and the brush of the circle before.
  EXPECT_EQ(circles[1].rect, (Rect{60, 20, 60, 20}));
  EXPECT_EQ(circles[1].state.brush, Blue());
  // 0 draws nothing; -60 is as far below the base as the reference above it.
  EXPECT_EQ(circles[2].rect, (Rect{130, 10, 150, 30}));
  EXPECT_EQ(circles[2].state.brush, Yellow());
  // 200: sqrt(180 / 80) = 1.5 times the reference radius.
  EXPECT_EQ(circles[3].rect, (Rect{165, 5, 195, 35}));
  EXPECT_EQ(circles[3].state.brush, Blue());
  // The reference circle with its corner at the legend corner, and its label.
  EXPECT_EQ(circles[4].rect, (Rect{300, 100, 320, 120}));
  EXPECT_EQ(circles[4].state.brush, Blue());
  const int h = ws_.settings.IndexFont.Height / 2;
  const std::vector<RecordedCall> texts = dc_.Texts();
  ASSERT_GE(texts.size(), 2u);  // the (empty) title, the label, then the names
  EXPECT_EQ(texts[1].text, "= 100");
  EXPECT_EQ(texts[1].at(), (gdi::Point{320 - h, 110 + h}));
  EXPECT_EQ(texts[1].state.font.Height, ws_.settings.IndexFont.Height);
  // The outlines come first, the names last, over the circles.
  using enum CallKind;
  const std::vector<CallKind> layers = test::DrawingLayers(dc_);
  EXPECT_EQ(layers.front(), kPolygon);
  EXPECT_EQ(layers.back(), kTextOut);
  EXPECT_EQ(dc_.TextStrings().back(), "G");

  // The horizontal magnification widens every radius; the vertical one does not.
  ws_.settings.DrawResX = 2;
  Paint();
  EXPECT_EQ(Circles()[0].rect, (Rect{20, 0, 60, 40}));
  EXPECT_EQ(Circles()[4].rect.right - Circles()[4].rect.left, 40);
}

TEST_F(CircleMapTest, ReferenceLabelBlankSignAndTexts) {
  ws_.symbols.RefValueText = "  150";
  Paint();
  EXPECT_EQ(dc_.TextStrings(), (std::vector<std::string>{"", "=  150"}));

  // A negative reference takes the colour below the base, whatever the base.
  ws_.symbols.RefValueText = "-100";
  ws_.symbols.BaseValue = -500;
  Paint();
  EXPECT_EQ(Circles().back().state.brush, Yellow());
  EXPECT_EQ(dc_.TextStrings().back(), "= -100");

  // Without texts the reference circle stays but its label goes.
  Paint(PaintParams{kPaintNoText, {}, 1.0});
  EXPECT_EQ(Circles().size(), 5u);
  EXPECT_TRUE(dc_.Texts().empty());

  // A hidden legend has no reference circle.
  ws_.settings.LegendStyle = 0;
  Paint();
  EXPECT_EQ(Circles().size(), 4u);

  // A reference equal to the base (a damaged document) gives no radius:
  // only the reference circle is drawn.
  ws_.settings.LegendStyle = 1;
  ws_.symbols.BaseValue = -100;
  Paint();
  EXPECT_EQ(Circles().size(), 1u);
}

TEST(StartCircleMapTest, MakesTheCircleMapCurrentWithoutDecorations) {
  Workspace ws;
  ws.view.ScrollReset = false;
  AddShapeDecoration(ws.decorations, ShapeDecoration{1, 1, 2, 2, kShapeLine});
  AddTextDecoration(ws.decorations, TextDecoration{1, 1, kTextCleared, "a"});
  StartCircleMap(ws);
  EXPECT_EQ(ws.view.Kind, MapKind::kCircleGraph);
  EXPECT_TRUE(ws.view.ScrollReset);
  EXPECT_FALSE(HasDecorations(ws.decorations));
}

}  // namespace
}  // namespace kartela
