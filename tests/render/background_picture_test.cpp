#include "render/background_picture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "gdi/emf_writer.h"
#include "gdi/recording_device_context.h"
#include "gdi/wmf_writer.h"
#include "model/test_support.h"
#include "render/map_frame.h"
#include "render/map_painter.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::Rect;

constexpr gdi::Size kMap{640, 400};

// A saved map: one rectangle over the whole picture.
template <typename Writer>
std::string SavedMap(const gdi::MetafileOptions& options) {
  Writer writer(options);
  writer.Rectangle(Rect{0, 0, kMap.cx, kMap.cy});
  return writer.Finish().value();
}

class BackgroundPictureTest : public testing::Test {
 protected:
  // The rectangles the background draws when painted at `scale`.
  std::vector<Rect> Painted(double scale = 1.0) {
    gdi::RecordingDeviceContext dc;
    PaintMap(ws_, dc, PaintParams{0, {}, scale});
    std::vector<Rect> rects;
    for (const gdi::RecordedCall& call : dc.CallsOf(CallKind::kRectangle))
      rects.push_back(call.rect);
    return rects;
  }

  test::ScratchDir dir_;
  Workspace ws_;
};

TEST_F(BackgroundPictureTest, SavedWmfComesBackAtTheOriginWithItsStoredSize) {
  // Saved on a 120-dpi screen: the bounding box holds 640 x 400 pixels as
  // 512 x 320 units of 1/96 inch.
  const auto path = dir_.Write("map.WMF", SavedMap<gdi::WmfWriter>(gdi::WmfFileOptions(kMap, 120)));
  ASSERT_TRUE(LoadBackgroundPicture(path, ws_).ok());
  EXPECT_EQ(ws_.view.Background, BackgroundMode::kBounds);
  EXPECT_EQ(ws_.view.BackgroundSize.width, 512);
  EXPECT_EQ(ws_.view.BackgroundSize.height, 320);
  EXPECT_EQ(BackgroundRect(ws_.view, 1.0, {}), (Rect{0, 0, 512, 320}));
  // Drawn by the paint routine through the player, whatever the map kind;
  // the enlargement of the save stays inside the picture.
  const std::vector<Rect> drawn = Painted();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].left, 0);
  EXPECT_EQ(drawn[0].top, 0);
  EXPECT_NEAR(drawn[0].right, 512, 4);
  EXPECT_NEAR(drawn[0].bottom, 320, 4);
  EXPECT_NEAR(Painted(2.0)[0].right, 1024, 8);

  // An EMF goes to the origin with its frame's size and turns the palette on.
  ws_.settings.UsePalette = 0;
  const auto emf = dir_.Write("map.emf", SavedMap<gdi::EmfWriter>(gdi::EmfFileOptions(kMap, 96)));
  ASSERT_TRUE(LoadBackgroundPicture(emf, ws_).ok());
  EXPECT_EQ(ws_.view.Background, BackgroundMode::kSize);
  EXPECT_NEAR(ws_.view.BackgroundSize.width, 640, 2);
  EXPECT_NEAR(ws_.view.BackgroundSize.height, 400, 2);
  EXPECT_EQ(ws_.settings.UsePalette, 1);
  EXPECT_EQ(Painted().size(), 1u);
}

TEST_F(BackgroundPictureTest, DamagedOrForeignFilesAreRefusedAndChangeNothing) {
  const std::string wmf = SavedMap<gdi::WmfWriter>(gdi::WmfFileOptions(kMap, 96));
  const std::string emf = SavedMap<gdi::EmfWriter>(gdi::EmfFileOptions(kMap, 96));
  std::string noise(3000, '\0');
  std::mt19937 random(4);
  for (char& c : noise)
    c = static_cast<char>(random());
  // The reason begins as given, in the program's language: a file named
  // as an EMF that is none is refused as not an EMF.
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"plain.wmf", wmf.substr(22), ""},  // the WMF without its placeable header
      {"cut.emf", emf.substr(0, emf.size() / 2), "ファイルが途中で切れています"},
      {"noise.wmf", noise, "WMF ではありません"},
      {"noise.emf", noise, "EMF ではありません"},
      {"wmf.emf", wmf, "EMF ではありません"},  // a WMF named as an EMF
      {"empty.wmf", "", "WMF の見出しより短いファイルです"},
      {"cut.wmf", wmf.substr(0, 40), ""},
  };
  ASSERT_TRUE(LoadBackgroundPicture(dir_.Write("kept.wmf", wmf), ws_).ok());
  const auto* kept = ws_.view.Picture.get();
  for (const auto& c : cases) {
    const Status refused = LoadBackgroundPicture(dir_.Write(c.name, c.bytes), ws_);
    ASSERT_EQ(refused.code(), StatusCode::kBadFormat) << c.name;
    EXPECT_FALSE(refused.detail().empty()) << c.name;
    EXPECT_TRUE(refused.detail().starts_with(c.reason)) << c.name << ": " << refused.detail();
    EXPECT_EQ(ws_.view.Picture.get(), kept) << c.name;
    EXPECT_EQ(ws_.view.Background, BackgroundMode::kBounds) << c.name;
  }
  EXPECT_FALSE(LoadBackgroundPicture(dir_.path() / "gone.wmf", ws_).ok());
}

}  // namespace
}  // namespace kartela
