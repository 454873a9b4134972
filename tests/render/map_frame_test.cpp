#include "render/map_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "base/real48.h"
#include "render/workspace.h"

namespace kartela {
namespace {

using gdi::Point;

MapFrame Frame(double res_x, double res_y, double scale = 1.0, Point origin = {}) {
  MapFrame frame;
  frame.DrawResX = res_x;
  frame.DrawResY = res_y;
  frame.PaintScale = scale;
  frame.PaintOrigin = origin;
  return frame;
}

TEST(MapToDeviceTest, IdentityAtMagnificationOne) {
  EXPECT_EQ(MapToDevice(Frame(1.0, 1.0), 100, 50), (Point{100, 50}));
}

TEST(MapToDeviceTest, AddsPositionThenMagnifiesScalesAndSubtractsOrigin) {
  MapFrame frame = Frame(2.0, 3.0, 1.5, Point{7, 9});
  frame.DrawPosX = 10;
  frame.DrawPosY = -5;
  // x: (100 + 10) * 2 * 1.5 - 7; y: (50 - 5) * 3 * 1.5 - 9 = 202.5 - 9 -> 202 - 9.
  EXPECT_EQ(MapToDevice(frame, 100, 50), (Point{323, 193}));
}

TEST(MapToDeviceTest, TiesRoundToEven) {
  const MapFrame half = Frame(0.5, 0.5);
  EXPECT_EQ(MapToDevice(half, 5, 7), (Point{2, 4}));  // 2.5 and 3.5
  EXPECT_EQ(MapToDevice(half, -5, -7), (Point{-2, -4}));
  EXPECT_EQ(MapToDevice(Frame(1.0, 1.0, 0.5), 5, 7), (Point{2, 4}));
}

// A product a hair above n + 0.5 is stored at 48 bits, where it becomes the
// tie itself and rounds to even; kept in extended precision it would round up.
TEST(MapToDeviceTest, StoresEachProductAtFortyEightBits) {
  const double scale = 2.5 + std::ldexp(1.0, -45);
  EXPECT_EQ(MapToDevice(Frame(1.0, 1.0, scale), 1, 3), (Point{2, 8}));
}

TEST(MapToDeviceTest, MagnificationZeroCollapsesTheMapToTheOrigin) {
  EXPECT_EQ(MapToDevice(Frame(0.0, 0.0, 1.0, Point{3, 4}), 100, 50), (Point{-3, -4}));
}

// 自動調整 on A4 portrait at 600 dpi with margins of 20 mm, for a map 702
// units wide: 4017 / 702. Kept at full double precision, (81, 153) would
// land on (464, 876); the stored real puts it on (463, 875).
TEST(FrameOfTest, StoresAComputedPaintScaleAsA48BitReal) {
  const double fit = 4017.0 / 702;
  const MapFrame frame = FrameOf(DefaultSettings({}), fit, Point{});
  EXPECT_EQ(frame.PaintScale, RoundToReal48(fit));
  EXPECT_NE(frame.PaintScale, fit);
  EXPECT_EQ(MapToDevice(frame, 81, 153), (Point{463, 875}));
  EXPECT_EQ(MapToDevice(Frame(1.0, 1.0, fit), 81, 153), (Point{464, 876}));
}

// The mapper of a paint against MapToDevice itself, over frames that round
// every way (ties, zooms, computed and random scales, negative and zero
// magnifications, results beyond int32) and random points of the whole int16
// range, each point mapped twice so that the second comes from the tables.
TEST(PointMapperTest, GivesTheIntegersOfMapToDevice) {
  Settings zoomed = DefaultSettings({});
  for (int i = 0; i < 7; ++i)
    ZoomIn(zoomed);
  Settings unzoomed = zoomed;
  for (int i = 0; i < 11; ++i)
    ZoomOut(unzoomed);
  std::vector<MapFrame> frames = {
      Frame(1.0, 1.0),
      Frame(0.5, 1.5, 1.0, Point{3, -7}),
      Frame(1.0, 1.0, 2.5, Point{-40, 25}),
      FrameOf(zoomed, 1.0, Point{120, 48}),
      FrameOf(unzoomed, 1.0, Point{}),
      FrameOf(DefaultSettings({}), 4017.0 / 702, Point{-472, -472}),
      Frame(-1.25, 0.0, 3.0),
      Frame(1e6, 3e5, 1e4, Point{1, 1}),
  };
  frames[1].DrawPosX = -300;
  frames[1].DrawPosY = 32767;
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> real(0.01, 8.0);
  for (int i = 0; i < 8; ++i) {
    frames.push_back(Frame(RoundToReal48(real(random)), RoundToReal48(real(random)),
                           RoundToReal48(real(random)), Point{i * 13, -i * 7}));
    frames.back().DrawPosX = static_cast<std::int16_t>(i * 50 - 200);
  }
  std::uniform_int_distribution<int> coordinate(-32768, 32767);
  std::vector<MapPoint> points = {{-32768, 32767}, {32767, -32768}, {0, 0}, {1, -1}};
  for (int i = 0; i < 4000; ++i) {
    points.push_back(MapPoint{static_cast<std::int16_t>(coordinate(random)),
                              static_cast<std::int16_t>(coordinate(random))});
  }
  for (std::size_t f = 0; f < frames.size(); ++f) {
    PointMapper mapper(frames[f]);
    for (int pass = 0; pass < 2; ++pass) {
      for (const MapPoint p : points)
        ASSERT_EQ(mapper(p), MapToDevice(frames[f], p))
            << "frame " << f << " at " << p.x << ", " << p.y;
    }
  }
}

TEST(MapAnchorsTest, TitleIgnoresTheDrawingPositionLegendTakesIt) {
  Settings settings = DefaultSettings({});
  settings.DrawPosX = 100;
  settings.DrawPosY = 100;
  settings.TitleOffsetX = -20;
  settings.LegendOffsetX = 3;
  settings.LegendOffsetY = -4;
  MapFrame frame = FrameOf(settings, 2.0, Point{1, 1});
  frame.DrawResX = 1.5;
  // ((640 / 2 - 20) * 1.5) * 2 - 1 and (2 * 1.5) * 2 - 1.
  EXPECT_EQ(TitleAnchor(frame, settings, MapSize{640, 400}), (Point{899, 3}));
  EXPECT_EQ(LegendAnchor(frame, settings, MapPoint{10, 20}), (Point{(113 * 3) - 1, 232 - 1}));
}

TEST(BackgroundRectTest, TruncatesTowardZeroWithoutMagnification) {
  MapView view;
  view.Background = BackgroundMode::kBounds;
  view.BackgroundBounds = PictureBounds{-3, 5, 101, 51};
  EXPECT_EQ(BackgroundRect(view, 1.5, Point{1, 2}), (gdi::Rect{-4 - 1, 7 - 2, 151 - 1, 76 - 2}));

  view.Background = BackgroundMode::kSize;
  view.BackgroundSize = PictureSize{201, 101};
  EXPECT_EQ(BackgroundRect(view, 1.5, Point{10, 20}), (gdi::Rect{-10, -20, 301 - 10, 151 - 20}));

  view.Background = BackgroundMode::kNone;
  EXPECT_EQ(BackgroundRect(view, 1.5, Point{10, 20}), gdi::Rect{});
}

class DrawingExtentTest : public testing::Test {
 protected:
  void AddShape(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                std::uint8_t kind) {
    auto& lists = ws_.decorations;
    lists.ShapeDecorations[static_cast<std::size_t>(lists.ShapeCount++)] = {x1, y1, x2, y2, kind};
  }
  void AddText(std::int16_t x, std::int16_t y, std::string text) {
    auto& lists = ws_.decorations;
    lists.TextDecorations[static_cast<std::size_t>(lists.TextDecorationCount++)] = {
        x, y, kTextCleared, std::move(text)};
  }

  Workspace ws_;
};

TEST_F(DrawingExtentTest, FrameOfTheMapAtScaleOne) {
  ws_.settings.DrawPosX = 10;
  ws_.settings.DrawResX = 1.5;
  ws_.settings.DrawResY = 0.5;
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{975, 200}));
}

// 全体表示: one factor for both magnifications; the frame inside the view
// and touching it on one side; decorations left as they are.
TEST_F(DrawingExtentTest, ZoomToFitShowsTheWholeMapInTheView) {
  struct Case {
    const char* name;
    gdi::Size view;
    std::int16_t draw_pos_x;
  };
  const Case cases[] = {{"larger view", {1300, 1000}, 0},
                        {"smaller view", {321, 500}, 0},
                        {"shifted map", {400, 700}, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace ws;
    ws.settings.DrawResX = 1.0;
    ws.settings.DrawResY = 0.8;
    ws.settings.DrawPosX = c.draw_pos_x;
    ZoomToFit(ws, c.view);
    const gdi::Point corner =
        MapToDevice(FrameOf(ws.settings, 1.0, Point{}), ws.base_map.Resolution.width,
                    ws.base_map.Resolution.height);
    EXPECT_LE(corner.x, c.view.cx);
    EXPECT_LE(corner.y, c.view.cy);
    EXPECT_TRUE(corner.x >= c.view.cx - 1 || corner.y >= c.view.cy - 1)
        << corner.x << "," << corner.y;
    EXPECT_NEAR(ws.settings.DrawResY / ws.settings.DrawResX, 0.8, 1e-9);
    EXPECT_EQ(ws.settings.DrawResX, RoundToReal48(ws.settings.DrawResX));
  }
  Workspace unchanged;
  ZoomToFit(unchanged, gdi::Size{0, 300});
  EXPECT_EQ(unchanged.settings.DrawResX, 1.0);
}

TEST_F(DrawingExtentTest, WithoutDecorationsAtLeastTheMargin) {
  ws_.base_map.Resolution = MapSize{2, 0};
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{5, 5}));
  ws_.settings.DrawResX = 0;
  ws_.base_map.Resolution = MapSize{640, 400};
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{5, 400}));
}

TEST_F(DrawingExtentTest, LinesCountBothEndsCirclesTheirRadius) {
  ws_.base_map.Resolution = MapSize{10, 10};
  AddShape(10, 20, 700, 30, kShapeLine);
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{705, 35}));
  AddShape(600, 500, 603, 504, kShapeCircle + 2);  // radius 5
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{705, 510}));
  AddShape(2000, 2000, 0, 0, 99);  // not a shape
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{705, 510}));
}

// The squares, triangles and crosses reach as far as their size too, so that
// an exported picture holds them whole.
TEST_F(DrawingExtentTest, EveryFilledShapeCountsItsSize) {
  ws_.base_map.Resolution = MapSize{10, 10};
  AddShape(100, 200, 90, 197, kShapeSquare + kFillHollow);  // half side 10
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{115, 215}));
  AddShape(300, 40, 303, 44, kShapeTriangle);   // radius 5
  AddShape(50, 400, 50, 407, kShapeCross + 3);  // half side 7
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{310, 412}));
}

TEST_F(DrawingExtentTest, TextsByByteCountAndDecorationFontHeight) {
  ws_.base_map.Resolution = MapSize{10, 10};
  AddText(700, 420, "abc");  // 700 + 1 * 12 + 6 + 6; 420 + 12 + 4
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{729, 441}));
  ws_.settings.FancyFont.Height = 15;  // the sign does not matter
  AddText(0, 0, "abcd");               // 2 * 15 + 8
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{700 + 15 + 8 + 8 + 5, 420 + 15 + 5 + 5}));
}

TEST_F(DrawingExtentTest, CountsOutOfRangeAreClamped) {
  ws_.base_map.Resolution = MapSize{10, 10};
  AddShape(300, 300, 300, 300, kShapeLine);
  ws_.decorations.ShapeCount = -3;
  ws_.decorations.TextDecorationCount = 30000;  // every record, all empty at (0, 0)
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{11, 21}));
}

TEST_F(DrawingExtentTest, BackgroundPictureByItsStoredSize) {
  ws_.view.BackgroundSize = PictureSize{2000, 10};
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{640, 400}));
  ws_.view.Background = BackgroundMode::kBounds;
  EXPECT_EQ(DrawingExtent(ws_), (gdi::Size{2000, 400}));
}

TEST(ZoomTest, EachStepIsStoredAtFortyEightBits) {
  Settings settings = DefaultSettings({});
  ZoomIn(settings);
  EXPECT_EQ(settings.DrawResX, 0x1.199999999ap+0);  // not the double nearest 1.1
  EXPECT_EQ(settings.DrawResY, settings.DrawResX);
}

TEST(ZoomTest, TenInThenTenOutReturnsWithinRounding) {
  Settings settings = DefaultSettings({});
  for (int i = 0; i < 10; ++i)
    ZoomIn(settings);
  EXPECT_NEAR(settings.DrawResX, std::pow(1.1, 10), 1e-9);
  for (int i = 0; i < 10; ++i) {
    ZoomOut(settings);
    EXPECT_EQ(RoundToReal48(settings.DrawResX), settings.DrawResX);
  }
  EXPECT_NEAR(settings.DrawResX, 1.0, 20 * std::ldexp(1.0, -39));
  EXPECT_EQ(settings.DrawResY, settings.DrawResX);
}

}  // namespace
}  // namespace kartela
