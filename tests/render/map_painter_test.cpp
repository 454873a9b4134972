#include "render/map_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/legend.h"
#include "render_test_support.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::Pen;
using gdi::PenStyle;
using gdi::Point;
using gdi::RecordedCall;
using test::BaseMapBuilder;
using test::Square;

constexpr gdi::Color kScreenText{10, 20, 30};

class MapPainterTest : public testing::Test {
 protected:
  MapPainterTest() {
    test::SetUpPaintMap(ws_);
    ws_.screen_colors.window_text = kScreenText;
  }

  void Paint(PaintParams params = {}) {
    dc_.Clear();
    PaintMap(ws_, dc_, params);
  }

  // Polygons drawn with the border pen of the paint: the areas, not the legend boxes.
  std::vector<RecordedCall> AreaPolygons() const {
    std::vector<RecordedCall> areas;
    for (const RecordedCall& call : dc_.Polygons())
      if (call.points.size() != 5 || call.points.front() != call.points.back())
        areas.push_back(call);
    return areas;
  }

  // The polylines drawn, as (pen, first point) pairs.
  std::vector<std::pair<Pen, Point>> Lines() const {
    std::vector<std::pair<Pen, Point>> lines;
    for (const RecordedCall& call : dc_.CallsOf(CallKind::kPolyline))
      lines.emplace_back(call.state.pen, call.points.front());
    return lines;
  }

  void SetValues(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      ws_.data.DataValues[i] = values[i];
    ConvertDataValues(ws_.data, static_cast<int>(values.size()), ws_.class_tables);
  }

  std::vector<gdi::Brush> AreaBrushes() const {
    std::vector<gdi::Brush> brushes;
    for (const RecordedCall& call : AreaPolygons())
      brushes.push_back(call.state.brush);
    return brushes;
  }

  Workspace ws_;
  gdi::RecordingDeviceContext dc_;
};

TEST_F(MapPainterTest, PaintMapLayersInOrder) {
  ws_.settings.AreaNameFlags = 1;
  ws_.base_map = BaseMapBuilder()
                     .Area("A", {{0, Square(10, 10, 10)}})
                     .Area("B", {{0, Square(30, 10, 10)}})
                     .Area("C", {{0, Square(50, 10, 10)}})
                     .Line(0, {{10, 30}, {60, 30}})
                     .Line(-9, {{10, 40}, {60, 40}})
                     .Build();
  Paint();
  using enum CallKind;
  EXPECT_EQ(test::DrawingLayers(dc_),
            (std::vector<CallKind>{kPolygon, kPolyline,  // areas, boundary lines
                                   kTextOut,             // title
                                   kPolygon, kTextOut, kPolygon, kTextOut, kPolygon, kTextOut,
                                   kPolyline,    // special lines
                                   kTextOut}));  // area names
}

TEST_F(MapPainterTest, AreasFilledByClassInOnePolygonEach) {
  Paint();
  const auto areas = AreaPolygons();
  ASSERT_EQ(areas.size(), 3u);
  EXPECT_EQ(areas[0].points, (std::vector<Point>{{10, 10}, {20, 10}, {20, 20}, {10, 20}}));
  const auto& order = ws_.settings.PatternOrder[1];
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(areas[i].state.brush, Brushes()[order[i]]) << i;
  EXPECT_EQ(areas[0].state.fill_mode, gdi::FillMode::kWinding);
  EXPECT_EQ(areas[0].state.background_mode, gdi::BackgroundMode::kTransparent);
  EXPECT_EQ(areas[0].state.pen, (Pen{PenStyle::kSolid, 0, kScreenText}));
}

// With the thick border (2 pixels on screen; twice the print magnification's
// whole part in print) a run less than twice the pen's width across is
// outlined with the thin pen; other runs, the lines after the areas and the
// other border settings keep the border pen.
TEST_F(MapPainterTest, ThickBorderOutlinesRunsSmallerThanTwiceThePenThin) {
  ws_.base_map =
      BaseMapBuilder()
          .Area("A", {{0, Square(10, 10, 10)}}, {{15, 15}})
          .Area("B", {{0, Square(30, 10, 3)}}, {{31, 11}})
          .Area("C", {{0, Square(50, 10, 10)}, {0, Square(70, 10, 1)}}, {{55, 15}, {70, 10}})
          .Line(0, {{10, 30}, {60, 30}})
          .Build();
  ws_.PrintLineWidth = 1;
  const struct {
    std::int16_t border_style;
    double magnification;
    bool monochrome;
    std::vector<bool> thin;  // per run: A, B, C, C's island
  } cases[] = {
      {1, 1.0, false, {false, true, false, true}},
      {1, 2.0, false, {false, false, false, true}},  // B is 6 pixels across
      {1, 1.0, true, {false, true, false, true}},
      {0, 1.0, false, {false, false, false, false}},
      {2, 1.0, false, {false, false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.thin));
    ws_.settings.BorderStyle = c.border_style;
    ws_.settings.DrawResX = ws_.settings.DrawResY = c.magnification;
    Paint({.PaintFlags = static_cast<std::uint8_t>(c.monochrome ? kPaintMonochrome : 0)});
    const DrawingResources resources =
        CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
    const Pen& border = resources.PenFor(kPenBorder, c.monochrome);
    const Pen& thin = resources.PenFor(kPenLegend, c.monochrome);
    const auto areas = AreaPolygons();
    ASSERT_EQ(areas.size(), c.thin.size());
    for (std::size_t i = 0; i < areas.size(); ++i)
      EXPECT_EQ(areas[i].state.pen, c.thin[i] ? thin : border) << i;
    EXPECT_EQ(Lines().front().first, border) << "the boundary line";
  }
}

TEST_F(MapPainterTest, AreaWithoutValueShowsItsOutlineOnly) {
  SetValues({"5", "", "x"});
  Paint();
  const auto brushes = AreaBrushes();
  ASSERT_EQ(brushes.size(), 3u);
  EXPECT_EQ(brushes[0], Brushes()[24]);
  EXPECT_EQ(brushes[1].kind, gdi::BrushKind::kHollow);
  EXPECT_EQ(brushes[2].kind, gdi::BrushKind::kHollow);
}

TEST_F(MapPainterTest, ValueOnABoundaryGoesWhereTheMethodSays) {
  SetValues({"10", "20", "9"});
  Paint();
  EXPECT_EQ(AreaBrushes(), (std::vector<gdi::Brush>{Brushes()[25], Brushes()[26], Brushes()[24]}));
  ws_.class_tables.DivisionMethod = 2;
  Paint();
  EXPECT_EQ(AreaBrushes(), (std::vector<gdi::Brush>{Brushes()[24], Brushes()[25], Brushes()[24]}));
}

TEST_F(MapPainterTest, BoundariesOutOfOrderTakeTheFirstClassThatFits) {
  ws_.class_tables.ClassBreaks[0] = "20";
  ws_.class_tables.ClassBreaks[1] = "10";
  Paint();  // 5 and 15 fit class 0 first; 25 only class 2
  EXPECT_EQ(AreaBrushes(), (std::vector<gdi::Brush>{Brushes()[24], Brushes()[24], Brushes()[26]}));
}

TEST_F(MapPainterTest, OneEffectiveClassFillsWithTheFirstTwoClassEntry) {
  ws_.class_tables.ClassBreaks[0] = "";
  ws_.settings.PatternOrder[0][0] = 40;
  Paint();
  EXPECT_EQ(AreaBrushes(), (std::vector<gdi::Brush>(3, Brushes()[40])));
  EXPECT_EQ(dc_.Polygons().size(), 3u + 1u) << "one legend row";
}

// Painting only reads: the boundary texts are normalised where they are
// committed, not by the paint.
TEST_F(MapPainterTest, PaintLeavesTheBoundaryTextsAsTheyAre) {
  const BreakTexts before = ws_.class_tables.ClassBreaks;
  Paint();
  EXPECT_EQ(ws_.class_tables.ClassBreaks, before);
}

TEST_F(MapPainterTest, NoTextFlagKeepsFillsLinesAndLegendBoxes) {
  ws_.settings.AreaNameFlags = 1;
  Paint({.PaintFlags = kPaintNoText});
  EXPECT_EQ(dc_.Count(CallKind::kTextOut), 0u);
  EXPECT_EQ(dc_.Polygons().size(), 3u + 3u);
  EXPECT_EQ(dc_.Count(CallKind::kPolyline), 1u);
}

TEST_F(MapPainterTest, MonochromeBlackPensAndTexts) {
  ws_.settings.BorderStyle = 1;
  ws_.PrintLineWidth = 3;
  ws_.settings.PrintSize = 2.0;
  Paint({.PaintFlags = kPaintMonochrome});
  const auto areas = AreaPolygons();
  EXPECT_EQ(areas[0].state.pen, (Pen{PenStyle::kSolid, 4, gdi::kBlack}));
  EXPECT_EQ(dc_.Texts()[0].state.text_color, gdi::kBlack);
  EXPECT_EQ(dc_.Texts()[0].state.background_color, gdi::kWhite);
  EXPECT_EQ(dc_.Polygons().back().state.pen, (Pen{PenStyle::kSolid, 3, gdi::kBlack}));
}

TEST_F(MapPainterTest, PaintedMapAtScaleAndOrigin) {
  Paint({.PaintOrigin = Point{5, 6}, .PaintScale = 2.0});
  EXPECT_EQ(AreaPolygons()[0].points, (std::vector<Point>{{15, 14}, {35, 14}, {35, 34}, {15, 34}}));
  EXPECT_EQ(Lines()[0].second, (Point{15, 54}));
}

// A printer's scale is computed (here 自動調整 on A4 at 600 dpi for a map 702
// wide); outlines and text sizes both follow the stored real, where full
// double precision would give 464, 876 and a title 52 high.
TEST_F(MapPainterTest, ComputedScaleDrawsAsTheStoredReal) {
  ws_.base_map = BaseMapBuilder().Area("A", {{0, Square(81, 81, 72)}}).Build();
  ws_.settings.TitleFont.Height = 9;
  Paint({.PaintScale = 4017.0 / 702});
  EXPECT_EQ(AreaPolygons()[0].points,
            (std::vector<Point>{{463, 463}, {875, 463}, {875, 875}, {463, 875}}));
  const std::vector<RecordedCall> texts = dc_.Texts();
  const auto title = std::ranges::find(texts, std::string("Title"), &RecordedCall::text);
  ASSERT_NE(title, texts.end());
  EXPECT_EQ(title->state.font.Height, 51);
}

TEST_F(MapPainterTest, MapWithoutLinesAfterTheAreasDrawsOnlyTheOutlines) {
  ws_.base_map = BaseMapBuilder().Area("A", {{0, Square(10, 10, 10)}}).Build();
  ws_.settings.LegendStyle = 3;
  Paint({.PaintFlags = kPaintNoText});
  EXPECT_EQ(test::DrawingLayers(dc_), (std::vector<CallKind>{CallKind::kPolygon}));
}

// Areas B and C: B has two runs (an exclave); C's only anchor is (0, 0), so
// it has no run and the line after it is a boundary line.
TEST_F(MapPainterTest, OneRunPerAnchor) {
  ws_.base_map = BaseMapBuilder()
                     .Area("A", {{0, Square(10, 10, 10)}})
                     .Area("B", {{0, Square(30, 10, 10)}, {0, Square(30, 30, 5)}})
                     .Area("C", {}, {{0, 0}})
                     .Line(0, {{0 + 1, 50}, {60, 50}})
                     .Build();
  Paint();
  const auto brushes = AreaBrushes();
  ASSERT_EQ(brushes.size(), 3u);
  EXPECT_EQ(brushes[2], brushes[1]);
  EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(MapPainterTest, LongRunIsDrawnWhole) {
  std::vector<MapPoint> outline;
  for (std::int16_t i = 1; i <= 1500; ++i)
    outline.push_back(MapPoint{i, static_cast<std::int16_t>(i % 2 == 0 ? 1 : 1000)});
  ws_.base_map =
      BaseMapBuilder().Area("A", {{0, outline}}).Area("B", {{0, Square(5, 5, 5)}}).Build();
  Paint();
  const auto areas = AreaPolygons();
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0].points.size(), 1500u);
  EXPECT_EQ(areas[1].points.front(), (Point{5, 5}));
}

// Lines after the areas with each special code, and one plain boundary.
class SpecialLinesTest : public MapPainterTest {
 protected:
  SpecialLinesTest() {
    ws_.view.Kind = MapKind::kWhiteMap;
    ws_.base_map = BaseMapBuilder()
                       .Area("A", {{-9, Square(10, 10, 10)}})
                       .Line(0, {{1, 100}, {50, 100}})
                       .Line(-1, {{1, 200}, {50, 200}})
                       .Line(-8, {{1, 300}, {50, 300}})
                       .Line(-9, {{1, 400}, {50, 400}})
                       .Line(-5, {{1, 500}, {50, 500}})
                       .Build();
  }

  const DrawingResources& Resources() {
    resources_ = CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
    return resources_;
  }

  DrawingResources resources_;
};

TEST_F(SpecialLinesTest, BoundaryPassSkipsAuxiliaryRunsSpecialPassStrokesTheirPens) {
  ws_.settings.BorderStyle = 2 | 4 | 48;  // dotted border, thick second, dotted auxiliary
  Paint();
  const auto& pens = Resources().pens;
  EXPECT_EQ(Lines(), (std::vector<std::pair<Pen, Point>>{
                         {pens[kPenBorder], {1, 100}},
                         {pens[kPenBorder], {1, 200}},
                         {pens[kPenBorder], {1, 400}},
                         {pens[kPenBorder], {1, 500}},
                         {pens[kPenLegend], {10, 10}},  // the area's run, stroked again
                         {pens[kPenSecondBorder], {1, 200}},
                         {pens[kPenAuxiliary], {1, 300}},
                         {pens[kPenLegend], {1, 400}},
                     }));
  EXPECT_EQ(pens[kPenAuxiliary].style, PenStyle::kDot);
  EXPECT_EQ(pens[kPenSecondBorder].width, 2);
}

TEST_F(SpecialLinesTest, AuxiliaryNoneLeavesMinusEightUndrawn) {
  ws_.settings.BorderStyle = 0;
  Paint();
  for (const auto& [pen, start] : Lines())
    EXPECT_NE(start, (Point{1, 300}));
  // "None" for the second border draws it thin and solid.
  EXPECT_EQ(Lines()[5], (std::pair<Pen, Point>{Pen{PenStyle::kSolid, 0, kScreenText}, {1, 200}}));
}

TEST_F(SpecialLinesTest, AuxiliaryThinThickDottedUseItsPen) {
  for (const std::int16_t field : {16, 32, 48}) {
    ws_.settings.BorderStyle = field;
    Paint();
    const Pen expected = Resources().pens[kPenAuxiliary];
    EXPECT_EQ(Lines()[6], (std::pair<Pen, Point>{expected, {1, 300}})) << field;
  }
}

TEST_F(SpecialLinesTest, MonochromeSpecialPens) {
  ws_.settings.BorderStyle = 16;
  Paint({.PaintFlags = kPaintMonochrome});
  const auto& pens = Resources().pens;
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0].first, pens[kPenBorderMono]);
  EXPECT_EQ(lines[5].first, pens[kPenSecondBorderMono]);
  EXPECT_EQ(lines[6].first, pens[kPenAuxiliaryMono]);
  EXPECT_EQ(lines[7].first, pens[kPenLegendMono]);
  EXPECT_EQ(lines[7].first, (Pen{PenStyle::kSolid, 2, gdi::kBlack}));
}

TEST_F(SpecialLinesTest, WithoutNegativeCodesThereIsNoSecondPass) {
  ws_.base_map = BaseMapBuilder()
                     .Area("A", {{0, Square(10, 10, 10)}})
                     .Line(0, {{1, 100}, {50, 100}})
                     .Line(3, {{1, 200}, {50, 200}})
                     .Build();
  Paint();
  EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(SpecialLinesTest, WhiteMapIsHollowWithNamesUnlessOutlineOnly) {
  ws_.settings.AreaNameFlags = 1;
  Paint();
  EXPECT_EQ(dc_.Polygons()[0].state.brush.kind, gdi::BrushKind::kHollow);
  EXPECT_EQ(dc_.TextStrings(), (std::vector<std::string>{"A"}));
  Paint({.PaintFlags = kPaintOutlineOnly});
  EXPECT_EQ(dc_.Count(CallKind::kTextOut), 0u);
  EXPECT_EQ(dc_.Polygons().size(), 1u);
}

class RecordingPicture : public BackgroundPicture {
 public:
  explicit RecordingPicture(std::vector<gdi::Rect>& played) : played_(played) {}
  void PlayInto(gdi::DeviceContext& dc, const gdi::Rect& rect) const override {
    played_.push_back(rect);
    dc.Rectangle(rect);  // marks where in the paint the picture came
  }

 private:
  std::vector<gdi::Rect>& played_;
};

TEST_F(MapPainterTest, BackgroundPictureFirstInItsRectangle) {
  std::vector<gdi::Rect> played;
  ws_.view.Picture = std::make_unique<RecordingPicture>(played);
  Paint();
  EXPECT_TRUE(played.empty()) << "no picture without a background mode";
  ws_.view.Background = BackgroundMode::kSize;
  ws_.view.BackgroundSize = PictureSize{200, 100};
  Paint({.PaintOrigin = Point{10, 20}, .PaintScale = 1.5});
  EXPECT_EQ(played, (std::vector<gdi::Rect>{{-10, -20, 290, 130}}));
  EXPECT_EQ(test::DrawingLayers(dc_).front(), CallKind::kRectangle);
}

TEST_F(MapPainterTest, NothingForNoMapOrAPictureGraphWithoutItsPicture) {
  for (const MapKind kind : {MapKind::kNone, MapKind::kPictureGraph}) {
    ws_.view.Kind = kind;
    Paint();
    EXPECT_TRUE(test::DrawingLayers(dc_).empty());
  }
}

}  // namespace
}  // namespace kartela
