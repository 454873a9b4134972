// What a finished map carries on the sample maps, through the paint routine
// and the exporter: the title and the legend kept on the drawing whatever
// the offsets and options, the legend heading and the source line, the
// nested circle legend, and the arrow and north arrow decorations in every
// output.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/real48.h"
#include "base/text_encoding.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "model/decorations.h"
#include "model/test_support.h"
#include "output/map_exporter.h"
#include "render/circle_legend.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

using gdi::CallKind;
using gdi::RecordedCall;
using gdi::RecordingDeviceContext;
using test::Sjis;

class MapFurnitureTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::LoadSamplePaintMap(ws_)); }

  // A circle map of the sample's values, its reference 7,000,000.
  void MakeCircleMap(bool nested) {
    ws_.view.Kind = MapKind::kCircleGraph;
    ws_.symbols.RefValueText = "7000000";
    ws_.symbols.RefRadius = 20;
    ws_.symbols.NestedLegend = nested;
  }

  // The paint's calls at `scale`, and where it put the title and the legend.
  FurniturePlaces Paint(RecordingDeviceContext& dc, double scale = 1.0) const {
    FurniturePlaces places;
    PaintParams params;
    params.PaintScale = scale;
    params.places = &places;
    PaintMap(ws_, dc, params);
    return places;
  }

  Workspace ws_;
};

bool Inside(const gdi::Rect& box, const gdi::Rect& area) {
  return box.left >= area.left && box.top >= area.top && box.right <= area.right &&
         box.bottom <= area.bottom;
}

// Offsets and options that would put the title or the legend off the
// drawing, on each map kind and at the print's scale: both stay whole on it.
TEST_F(MapFurnitureTest, TitleAndLegendStayOnTheDrawing) {
  struct Case {
    const char* name;
    std::int16_t legend_x;
    std::int16_t legend_y;
    std::int16_t title_x;
    std::int16_t anchor_x;  // the base map's legend position
  };
  const Case cases[] = {
      {"as shipped", 0, 0, 0, -1},
      {"dragged far left and up (another base map's offsets)", 21, -426, 0, 20},
      {"far right and down", 3000, 3000, 3000, -1},
      {"far left", -3000, 0, -3000, -1},
      {"anchor at x = 20, as imported maps have it", 0, 0, 0, 20},
  };
  const MapPoint shipped = ws_.base_map.IndexPosition;
  for (const Case& c : cases) {
    for (const MapKind kind : {MapKind::kPaintMap, MapKind::kCircleGraph}) {
      for (const bool nested : {false, true}) {
        for (const double scale : {1.0, 2.5}) {
          SCOPED_TRACE(testing::Message() << c.name << ", kind " << static_cast<int>(kind)
                                          << (nested ? " nested" : "") << ", scale " << scale);
          ASSERT_TRUE(test::LoadSamplePaintMap(ws_));
          if (kind == MapKind::kCircleGraph) MakeCircleMap(nested);
          ws_.settings.LegendOptions = kLegendOptionMask;
          ws_.settings.LegendHeading = Sjis("単位：人");
          ws_.settings.LegendOffsetX = c.legend_x;
          ws_.settings.LegendOffsetY = c.legend_y;
          ws_.settings.TitleOffsetX = c.title_x;
          ws_.base_map.IndexPosition = shipped;
          if (c.anchor_x >= 0) ws_.base_map.IndexPosition.x = c.anchor_x;
          const gdi::Size extent = DrawingExtent(ws_);
          const gdi::Rect area{0, 0, static_cast<std::int32_t>(extent.cx * scale + 1),
                               static_cast<std::int32_t>(extent.cy * scale + 1)};
          RecordingDeviceContext dc;
          const FurniturePlaces places = Paint(dc, scale);
          ASSERT_TRUE(places.legend && places.title);
          EXPECT_TRUE(Inside(*places.legend, area));
          EXPECT_TRUE(Inside(*places.title, area));
          for (const RecordedCall& call : dc.calls()) {
            for (const gdi::Point p : call.points)
              EXPECT_GE(p.x, 0) << static_cast<int>(call.kind);
          }
        }
      }
    }
  }
}

// A legend the options widen grows to the right from an anchor near the
// left edge, rather than leftwards off the drawing; the EMF of it has no
// record left of x = 0.
TEST_F(MapFurnitureTest, WidenedLegendNearTheLeftEdgeGrowsRightInTheEmf) {
  ws_.base_map.IndexPosition.x = 20;
  RecordingDeviceContext plain_dc;
  const gdi::Rect plain = *Paint(plain_dc).legend;
  ws_.settings.LegendOptions = kLegendOptionMask;
  RecordingDeviceContext wide_dc;
  const gdi::Rect wide = *Paint(wide_dc).legend;
  EXPECT_EQ(wide.left, plain.left);
  EXPECT_GT(wide.right, plain.right);
  const MapExporter exporter(ws_);
  const auto emf = exporter.Emf(EmfSettings{});
  ASSERT_TRUE(emf.ok());
  RecordingDeviceContext played;
  const gdi::Size extent = DrawingExtent(ws_);
  ASSERT_TRUE(gdi::PlayMetafile(*emf, played, {0, 0, extent.cx, extent.cy}).ok());
  std::size_t texts = 0;
  for (const RecordedCall& call : played.calls()) {
    texts += call.kind == CallKind::kTextOut ? 1 : 0;
    for (const gdi::Point p : call.points)
      EXPECT_GE(p.x, 0) << static_cast<int>(call.kind);
  }
  EXPECT_GT(texts, 5u);
}

// The heading in the legend font right above the legend's first box; the
// source line in the area-name font at the lower left (or right), below
// the map.
TEST_F(MapFurnitureTest, HeadingAboveTheLegendAndSourceBelowTheMap) {
  const gdi::Size plain_extent = DrawingExtent(ws_);
  ws_.settings.LegendHeading = Sjis("単位：人");
  ws_.settings.SourceText = Sjis("出典：総務省「国勢調査」");
  const gdi::Size extent = DrawingExtent(ws_);
  EXPECT_EQ(extent.cx, plain_extent.cx);
  EXPECT_GT(extent.cy, plain_extent.cy);
  for (const bool right : {false, true}) {
    ws_.settings.SourceAtRight = right ? 1 : 0;
    RecordingDeviceContext dc;
    const FurniturePlaces places = Paint(dc);
    const auto text_call = [&](const std::string& text) {
      for (const RecordedCall& call : dc.calls()) {
        if (call.kind == CallKind::kTextOut && call.text == text) return call;
      }
      ADD_FAILURE() << sjis::ToUtf8Lossy(text) << " not drawn";
      return RecordedCall{};
    };
    const RecordedCall heading = text_call(ws_.settings.LegendHeading);
    EXPECT_EQ(heading.state.font.Height, ws_.settings.IndexFont.Height);
    EXPECT_EQ(heading.at().x, places.legend->left);
    EXPECT_EQ(heading.at().y, places.legend->top);
    const RecordedCall source = text_call(ws_.settings.SourceText);
    EXPECT_EQ(source.state.font.Height, ws_.settings.AreaFont.Height);
    EXPECT_GE(source.at().y, plain_extent.cy - 2);
    EXPECT_LE(source.at().y + std::abs(ws_.settings.AreaFont.Height), extent.cy);
    const auto width = static_cast<std::int32_t>(ws_.settings.SourceText.size()) *
                       std::abs(ws_.settings.AreaFont.Height) / 2;
    if (right) {
      EXPECT_EQ(source.at().x + width, extent.cx - 4);
    } else {
      EXPECT_EQ(source.at().x, 4);
    }
  }
}

// Three circles on one bottom point, the largest the reference circle, each
// labelled with its value; thousands grouped when the option asks.
TEST_F(MapFurnitureTest, NestedCircleLegend) {
  MakeCircleMap(true);
  ws_.settings.LegendOptions = kLegendThousands;
  RecordingDeviceContext dc;
  Paint(dc);
  std::vector<gdi::Rect> circles;
  std::vector<std::string> labels;
  for (const RecordedCall& call : dc.calls()) {
    if (call.kind == CallKind::kEllipse) circles.push_back(call.rect);
    if (call.kind == CallKind::kTextOut) labels.push_back(call.text);
  }
  ASSERT_GE(circles.size(), 3u);
  const std::vector<gdi::Rect> legend(circles.end() - 3, circles.end());
  const auto r = static_cast<std::int32_t>(RoundHalfEven(20.0L * ws_.settings.DrawResX));
  EXPECT_EQ(legend[0].right - legend[0].left, 2 * r);
  for (const gdi::Rect& circle : legend) {
    EXPECT_EQ(circle.bottom, legend[0].bottom);
    EXPECT_EQ(circle.left + circle.right, legend[0].left + legend[0].right);
  }
  EXPECT_GT(legend[1].right - legend[1].left, legend[2].right - legend[2].left);
  for (const char* label : {"7,000,000", "3,500,000", "700,000"})
    EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end()) << label;
}

TEST(NestedLegendValuesTest, HalfAndTenthAsRoundNumbers) {
  const struct {
    double ref;
    std::array<const char*, 3> labels;
  } cases[] = {
      {7000000, {"7000000", "3500000", "700000"}},
      {3400, {"3400", "1700", "340"}},
      {1234, {"1234", "620", "120"}},
      {0.6, {"0.6", "0.3", "0.06"}},
      {-50, {"-50", "-25", "-5"}},
  };
  for (const auto& c : cases) {
    const std::array<double, 3> values = NestedLegendValues(c.ref);
    EXPECT_EQ(values[0], c.ref);
    for (std::size_t i = 1; i < 3; ++i)
      EXPECT_EQ(NestedValueLabel(values[i], false), c.labels[i]) << c.ref;
  }
  EXPECT_EQ(NestedValueLabel(3500000, true), "3,500,000");
}

// The arrow's head and the north arrow's dark half are black in the PNG, the
// north arrow's other half white; the EMF and SVG carry both.
TEST_F(MapFurnitureTest, ArrowAndNorthArrowInEveryOutput) {
  AddShapeDecoration(ws_.decorations, {100, 400, 200, 400, kShapeArrow});
  AddShapeDecoration(ws_.decorations, {300, 400, 300, 436, kShapeNorthArrow});
  const MapExporter exporter(ws_);
  const QImage image = exporter.Bitmap(BitmapSettings{});
  EXPECT_EQ(image.pixelColor(150, 400), QColor(0, 0, 0));  // the shaft
  EXPECT_EQ(image.pixelColor(196, 400), QColor(0, 0, 0));  // inside the head
  EXPECT_EQ(image.pixelColor(196, 405), image.pixelColor(196, 420));
  EXPECT_EQ(image.pixelColor(297, 405), QColor(0, 0, 0));
  EXPECT_EQ(image.pixelColor(303, 405), QColor(255, 255, 255));
  const auto emf = exporter.Emf(EmfSettings{});
  ASSERT_TRUE(emf.ok());
  RecordingDeviceContext played;
  const gdi::Size extent = DrawingExtent(ws_);
  ASSERT_TRUE(gdi::PlayMetafile(*emf, played, {0, 0, extent.cx, extent.cy}).ok());
  int black_polygons = 0;
  for (const RecordedCall& call : played.calls()) {
    if (call.kind == CallKind::kPolygon && call.state.brush.kind == gdi::BrushKind::kSolid &&
        call.state.brush.color == gdi::kBlack)
      ++black_polygons;
  }
  EXPECT_EQ(black_polygons, 2);
  const auto svg = exporter.Svg(SvgSettings{});
  ASSERT_TRUE(svg.ok());
  EXPECT_NE(svg->find("fill=\"#000000\""), std::string::npos);
}

}  // namespace
}  // namespace kartela::output
