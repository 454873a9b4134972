#include "render/picture_graph.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gdi/emf_writer.h"
#include "model/messages.h"
#include "model/test_support.h"
#include "render/circle_map.h"
#include "render/map_painter.h"
#include "render/metafile_picture.h"
#include "render_test_support.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::RecordedCall;
using gdi::Rect;

// A picture twice as wide as high, one rectangle filling it: each copy
// played shows as one rectangle where the copy lies.
std::shared_ptr<const MetafilePicture> WidePicture() {
  gdi::MetafileOptions options;
  options.picture = gdi::Size{40, 20};
  gdi::EmfWriter writer(options);
  writer.SelectBrush(gdi::Brush{gdi::BrushKind::kSolid, gdi::Color{200, 0, 0}});
  writer.Rectangle(Rect{0, 0, 40, 20});
  auto picture = MetafilePicture::FromBytes(writer.Finish().value());
  EXPECT_TRUE(picture.ok()) << picture.status().detail();
  return picture.value_or(nullptr);
}

TEST(PictureFieldsTest, StatisticsChecksDialogTextsAndRefusals) {
  ClassTables tables;
  tables.DataMin = 0.5;
  tables.DataMax = 12;
  tables.ValueWidth = 6;
  tables.DecimalDigits = 2;
  using enum ValueSyntaxResult;
  EXPECT_EQ(PictureDataMessage(kExponentNotation, tables), kMsgExponentData);
  EXPECT_EQ(PictureDataMessage(kNoData, tables), kMsgNoData);
  EXPECT_EQ(PictureDataMessage(kTooFewData, tables), 0);  // one value is enough
  EXPECT_EQ(PictureDataMessage(kOk, tables), 0);
  tables.DataMin = -1;
  EXPECT_EQ(PictureDataMessage(kOk, tables), kMsgNegativeData);
  tables.DataMin = 0;
  tables.DataMax = 0;
  EXPECT_EQ(PictureDataMessage(kOk, tables), kMsgNoData);

  tables.DataMin = 0.5;
  tables.DataMax = 12;
  SymbolSettings settings;
  settings.BaseValue = 1;
  const PictureFields fields = InitialPictureFields(settings, tables);
  EXPECT_EQ(fields.MaxText, " 12.00");
  EXPECT_EQ(fields.MinText, "  0.50");
  EXPECT_EQ(fields.Radius, "10");
  EXPECT_EQ(fields.RefValue, "6.00");
  EXPECT_EQ(fields.BaseValue, "1.00");

  // A reference of 0 or one too long stores nothing; a base equal to the
  // reference keeps the height and the base typed.
  for (const std::string& ref :
       std::vector<std::string>{"0", "", "x", "1" + std::string(80, '0')}) {
    PictureFields typed = fields;
    typed.RefValue = ref;
    typed.Radius = "30";
    SymbolSettings kept = settings;
    EXPECT_EQ(ApplyPictureFields(typed, kept), kMsgBadSetting) << ref;
    EXPECT_EQ(kept.RefRadius, 10);
    EXPECT_EQ(kept.RefValueText, "");
  }
  PictureFields typed = fields;
  typed.Radius = "30";
  typed.BaseValue = "6";
  EXPECT_EQ(ApplyPictureFields(typed, settings), kMsgBadSetting);
  EXPECT_EQ(settings.RefRadius, 30);
  EXPECT_EQ(settings.BaseValue, 6);
  EXPECT_EQ(settings.RefValueText, "");
  typed.BaseValue = "0";
  typed.RefValue = " 6";
  EXPECT_EQ(ApplyPictureFields(typed, settings), 0);
  EXPECT_EQ(settings.RefValueText, " 6");
}

class PictureGraphTest : public testing::Test {
 protected:
  PictureGraphTest() {
    test::SetUpSymbolAreas(ws_);
    ConvertDataValues(ws_.data, 7, ws_.class_tables);
    ws_.symbols.BaseValue = 20;
    ws_.symbols.RefValueText = "100";
    StartPictureGraph(ws_, "wide.emf", WidePicture());
  }

  void Paint(PaintParams params = {}) {
    dc_.Clear();
    PaintMap(ws_, dc_, params);
  }
  std::vector<Rect> Pictures() const {
    std::vector<Rect> rects;
    for (const RecordedCall& call : dc_.CallsOf(CallKind::kRectangle))
      rects.push_back(call.rect);
    return rects;
  }

  Workspace ws_;
  gdi::RecordingDeviceContext dc_;
};

TEST_F(PictureGraphTest, OneCopyPerPositiveValueSizedFromTheBaseValue) {
  ws_.settings.AreaNameFlags = 1;
  Paint();
  // 100, the reference: half height 10, twice as wide. 20, the base value:
  // an empty rectangle, nothing played. 0, -60, no anchor, no value: none.
  // 200: sqrt(180 / 80) = 1.5 times the reference. Then the legend's copy
  // with its corner at the legend corner.
  EXPECT_EQ(Pictures(),
            (std::vector<Rect>{{0, 10, 40, 30}, {150, 5, 210, 35}, {300, 100, 340, 120}}));
  const int f = ws_.settings.IndexFont.Height / 2;
  const std::vector<RecordedCall> texts = dc_.Texts();
  ASSERT_GE(texts.size(), 2u);  // the (empty) title, the label, then the names
  EXPECT_EQ(texts[1].text, "= 100");
  EXPECT_EQ(texts[1].at(), (gdi::Point{340 - f, 110 + f}));
  using enum CallKind;
  const std::vector<CallKind> layers = test::DrawingLayers(dc_);
  EXPECT_EQ(layers.front(), kPolygon);  // the outlines under the pictures
  EXPECT_EQ(dc_.TextStrings().back(), "G");

  // Magnified across and painted at scale 2: both ways twice as large.
  ws_.settings.DrawResX = 2;
  Paint(PaintParams{0, {}, 2.0});
  EXPECT_EQ(Pictures()[0], (Rect{80 - 80, 40 - 40, 80 + 80, 40 + 40}));

  // Without texts the legend picture stays and its label goes; a hidden
  // legend has no picture.
  Paint(PaintParams{kPaintNoText, {}, 1.0});
  EXPECT_EQ(Pictures().size(), 3u);
  EXPECT_TRUE(dc_.Texts().empty());
  ws_.settings.LegendStyle = 0;
  Paint();
  EXPECT_EQ(Pictures().size(), 2u);
}

TEST_F(PictureGraphTest, NothingAtAllWithoutItsPicture) {
  ws_.view.GlyphPicture.reset();  // the file was gone at the last paint
  Paint();
  EXPECT_TRUE(test::DrawingLayers(dc_).empty());
  StartPictureGraph(ws_, "", WidePicture());
  Paint();
  EXPECT_TRUE(test::DrawingLayers(dc_).empty());
}

// The picture is read again at each paint from the program directory (its
// Shift-JIS name as a UTF-8 file name); its loss is told once, not at every
// paint, and a file put back is drawn again.
TEST(RefreshGlyphPictureTest, ReadsAtEachPaintAndTellsALossOnce) {
  test::ScratchDir dir;
  const std::string picture = WidePicture()->bytes();
  dir.Write("人.emf", picture);
  MapView view;
  view.Kind = MapKind::kPictureGraph;
  view.GlyphPictureFile = test::Sjis("人.emf");
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), std::nullopt);
  ASSERT_NE(view.GlyphPicture, nullptr);
  EXPECT_EQ(view.GlyphPicture->bytes(), picture);

  std::filesystem::remove(dir.path() / "人.emf");
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), "人.emf");
  EXPECT_EQ(view.GlyphPicture, nullptr);
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), std::nullopt) << "told once";
  dir.Write("人.emf", picture.substr(0, 100));  // damaged counts as gone
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), std::nullopt);
  EXPECT_EQ(view.GlyphPicture, nullptr);
  dir.Write("人.emf", picture);
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), std::nullopt);
  EXPECT_NE(view.GlyphPicture, nullptr);
  std::filesystem::remove(dir.path() / "人.emf");
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), "人.emf") << "told again after a recovery";

  // Other maps read nothing.
  dir.Write("人.emf", picture);
  view.Kind = MapKind::kCircleGraph;
  EXPECT_EQ(RefreshGlyphPicture(view, dir.path()), std::nullopt);
  EXPECT_EQ(view.GlyphPicture, nullptr);
}

TEST(MetafilePictureTest, RefusesPicturesWithoutAHeight) {
  gdi::MetafileOptions options;
  options.picture = gdi::Size{40, 0};
  gdi::EmfWriter writer(options);
  EXPECT_FALSE(MetafilePicture::FromBytes(writer.Finish().value()).ok());
}

}  // namespace
}  // namespace kartela
