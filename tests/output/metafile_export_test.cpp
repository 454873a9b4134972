// The metafile files of the sample paint map, played back by the project's
// own player, against the paint routine drawing straight into a recording
// device context: the same polygons with the same brushes, the same shapes
// and the same texts, allowing for each file's paint scale and mapping.
#include "output/metafile_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "model/decorations.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/paint_context.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

using gdi::CallKind;
using gdi::Point;
using gdi::RecordedCall;
using gdi::RecordingDeviceContext;

// What a picture holds, in the order drawn.
struct Drawn {
  std::vector<RecordedCall> polygons;
  std::vector<RecordedCall> shapes;  // rectangles and ellipses
  std::vector<RecordedCall> texts;
};

Drawn Collect(const RecordingDeviceContext& dc) {
  Drawn drawn;
  for (const RecordedCall& call : dc.calls()) {
    if (call.kind == CallKind::kPolygon) drawn.polygons.push_back(call);
    if (call.kind == CallKind::kRectangle || call.kind == CallKind::kEllipse)
      drawn.shapes.push_back(call);
    if (call.kind == CallKind::kTextOut) drawn.texts.push_back(call);
  }
  return drawn;
}

// How a direct point maps into the played picture.
struct Mapping {
  double sx = 1;
  double sy = 1;
  bool Near(Point direct, Point played) const {
    return std::abs(direct.x * sx - played.x) <= 1.01 && std::abs(direct.y * sy - played.y) <= 1.01;
  }
};

struct Target {
  const char* name;
  MetafileKind kind;
  std::uint8_t flags;
};

void PrintTo(const Target& target, std::ostream* out) {
  *out << target.name;
}

class MetafileExportTest : public testing::TestWithParam<Target> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(ws_));
    ws_.settings.AreaNameFlags = 1;  // the names shown
    // A shape decoration of each kind the player must keep, and a text.
    AddShapeDecoration(ws_.decorations, {100, 100, 160, 140, kShapeRectangle});
    AddShapeDecoration(ws_.decorations, {200, 100, 230, 130, kShapeCircle + 5});
    AddTextDecoration(ws_.decorations, {120, 300, kTextTransparent, "Kartela"});
    resources_ = CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
  }

  gdi::MetafileOptions Options(MetafileKind kind) const {
    const gdi::Size extent = DrawingExtent(ws_);
    return kind == MetafileKind::kEmf ? gdi::EmfFileOptions(extent, 96)
                                      : gdi::WmfFileOptions(extent, 96);
  }

  // The file as the save command writes it, measured by `measurer`.
  std::string File(MetafileKind kind, std::uint8_t flags, gdi::DeviceContext& measurer) const {
    if (kind == MetafileKind::kEmf)
      return EmfFile(ws_, resources_, EmfSettings{flags}, &measurer).value();
    return WmfFile(ws_, resources_, WmfSettings{flags}, &measurer).value();
  }

  Drawn Played(MetafileKind kind, std::uint8_t flags) const {
    RecordingDeviceContext measurer;  // measures as the direct paint's context does
    const std::string bytes = File(kind, flags, measurer);
    const gdi::Size extent = DrawingExtent(ws_);
    RecordingDeviceContext played;
    const Status status = gdi::PlayMetafile(bytes, played, {0, 0, extent.cx, extent.cy});
    EXPECT_TRUE(status.ok()) << status.offset().value_or(0) << ": " << status.detail();
    return Collect(played);
  }

  Drawn Direct(MetafileKind kind, std::uint8_t flags) const {
    RecordingDeviceContext direct;
    PaintParams params;
    params.PaintFlags = flags;
    params.PaintScale = Options(kind).paint_scale;
    PaintMap(ws_, resources_, direct, params);
    return Collect(direct);
  }

  Mapping MappingOf(MetafileKind kind) const {
    const gdi::MetafileOptions options = Options(kind);
    if (options.map_mode == gdi::MapMode::kText) return {};
    return {static_cast<double>(options.viewport_extent.cx) / options.window_extent.cx,
            static_cast<double>(options.viewport_extent.cy) / options.window_extent.cy};
  }

  Workspace ws_;
  DrawingResources resources_;
};

TEST_P(MetafileExportTest, PlaysBackThePolygonsBrushesShapesAndTextsOfTheDirectPaint) {
  const Target target = GetParam();
  const Drawn want = Direct(target.kind, target.flags);
  const Drawn got = Played(target.kind, target.flags);
  const Mapping mapping = MappingOf(target.kind);
  ASSERT_GT(want.polygons.size(), 47u);
  ASSERT_EQ(got.polygons.size(), want.polygons.size());
  for (std::size_t i = 0; i < want.polygons.size(); ++i) {
    EXPECT_EQ(got.polygons[i].state.brush, want.polygons[i].state.brush) << "polygon " << i;
    EXPECT_EQ(got.polygons[i].state.pen.color, want.polygons[i].state.pen.color) << i;
    ASSERT_EQ(got.polygons[i].points.size(), want.polygons[i].points.size()) << i;
    for (std::size_t p = 0; p < want.polygons[i].points.size(); ++p) {
      ASSERT_TRUE(mapping.Near(want.polygons[i].points[p], got.polygons[i].points[p]))
          << "polygon " << i << " point " << p;
    }
  }
  ASSERT_EQ(got.shapes.size(), want.shapes.size());
  ASSERT_FALSE(want.shapes.empty());  // the decorations, with or without texts
  for (std::size_t i = 0; i < want.shapes.size(); ++i) {
    EXPECT_EQ(got.shapes[i].kind, want.shapes[i].kind);
    EXPECT_EQ(got.shapes[i].state.brush, want.shapes[i].state.brush);
    EXPECT_TRUE(mapping.Near({want.shapes[i].rect.left, want.shapes[i].rect.top},
                             {got.shapes[i].rect.left, got.shapes[i].rect.top}));
  }
  ASSERT_EQ(got.texts.size(), want.texts.size());
  for (std::size_t i = 0; i < want.texts.size(); ++i) {
    EXPECT_EQ(got.texts[i].text, want.texts[i].text);
    EXPECT_EQ(got.texts[i].state.font.FaceName, want.texts[i].state.font.FaceName);
    EXPECT_EQ(got.texts[i].state.text_color, want.texts[i].state.text_color);
  }
  if ((target.flags & kPaintNoText) != 0) {
    EXPECT_TRUE(want.texts.empty());
  } else {
    // The title, the legend ranges, the 47 names and the text decoration.
    EXPECT_GT(want.texts.size(), 47u);
  }
  if ((target.flags & kPaintMonochrome) != 0) {
    for (const RecordedCall& call : got.polygons)
      EXPECT_EQ(call.state.pen.color, gdi::kBlack);
  }
}

// A data file without a title: the empty title is drawn as nothing.
TEST_P(MetafileExportTest, EmptyTitleIsLeftOut) {
  ws_.data.DataTitle.clear();
  const Drawn got = Played(GetParam().kind, GetParam().flags);
  EXPECT_EQ(got.texts.size(), Direct(GetParam().kind, GetParam().flags).texts.size() -
                                  ((GetParam().flags & kPaintNoText) != 0 ? 0 : 1));
  EXPECT_FALSE(got.polygons.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileExportTest,
    testing::Values(Target{"Emf", MetafileKind::kEmf, 0}, Target{"Wmf", MetafileKind::kWmf, 0},
                    Target{"EmfPictureOnly", MetafileKind::kEmf, kPaintNoText},
                    Target{"WmfPictureOnly", MetafileKind::kWmf, kPaintNoText},
                    Target{"EmfBlackLines", MetafileKind::kEmf, kPaintMonochrome},
                    Target{"WmfBlackLinesPictureOnly", MetafileKind::kWmf,
                           kPaintMonochrome | kPaintNoText}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kartela::output
