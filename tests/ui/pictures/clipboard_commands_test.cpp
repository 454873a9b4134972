// The copies to the clipboard through the commands, on the sample paint map:
// every flavour offered, the EMF flavour played back by the project's own
// player against the paint routine drawing straight into a recording device
// context, the size a metafile picture announces, the picture without texts
// and the texts without the picture.
#include "ui/pictures/clipboard_commands.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "model/decorations.h"
#include "output/sample_map.h"
#include "render/legend_clip_text.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/paint_context.h"
#include "ui/data_test_support.h"
#include "ui/pictures/picture_commands.h"
#include "ui/widgets/choice_buttons.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::RecordedCall;
using gdi::RecordingDeviceContext;
using test::DataTestBed;

constexpr std::string_view kPictureFlavours[] = {kMimeOfficeEmf, kMimeEmf, kMimeOfficeWmf,
                                                 kMimeWmf,       kMimeSvg, kMimePng};

std::vector<RecordedCall> CallsOf(const RecordingDeviceContext& dc,
                                  std::initializer_list<CallKind> kinds) {
  std::vector<RecordedCall> calls;
  for (const RecordedCall& call : dc.calls()) {
    if (std::find(kinds.begin(), kinds.end(), call.kind) != kinds.end()) calls.push_back(call);
  }
  return calls;
}

std::string Flavour(std::string_view name) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr) return {};
  return mime->data(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())))
      .toStdString();
}

// The EMF header's frame (0.01 mm, inclusive): left, top, right, bottom.
std::array<std::int32_t, 4> EmfFrame(const std::string& emf) {
  std::array<std::int32_t, 4> frame{};
  if (emf.size() >= 40) std::memcpy(frame.data(), emf.data() + 24, sizeof frame);
  return frame;
}

class ClipboardCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(ws()));
    ws().settings.AreaNameFlags = 1;  // the names shown
    ws().settings.ColorChange = 3;    // nothing asked
    AddShapeDecoration(ws().decorations, {100, 100, 160, 140, kShapeRectangle});
    AddShapeDecoration(ws().decorations, {200, 100, 230, 130, kShapeCircle + 5});
    AddTextDecoration(ws().decorations, {120, 300, kTextTransparent, "Kartela"});
    commands_.SetDialogRunner([this](QDialog& dialog) {
      dialogs_.push_back(dialog.objectName().toStdString());
      return answer_;
    });
    QGuiApplication::clipboard()->clear();
  }

  Workspace& ws() { return bed_.workspace; }

  RecordingDeviceContext Direct(std::uint8_t flags) {
    const DrawingResources resources =
        CreateDrawingResources(ws().settings, ws().screen_colors, ws().PrintLineWidth);
    RecordingDeviceContext direct;
    PaintParams params;
    params.PaintFlags = flags;
    PaintMap(ws(), resources, direct, params);
    return direct;
  }

  RecordingDeviceContext PlayedEmf() {
    const gdi::Size extent = DrawingExtent(ws());
    RecordingDeviceContext played;
    const Status status =
        gdi::PlayMetafile(Flavour(kMimeEmf), played, {0, 0, extent.cx, extent.cy});
    EXPECT_TRUE(status.ok()) << status.offset().value_or(0) << ": " << status.detail();
    return played;
  }

  DataTestBed bed_;
  PictureCommands pictures_{bed_.context};
  ClipboardCommands commands_{bed_.context, pictures_};
  int answer_ = QDialog::Rejected;
  std::vector<std::string> dialogs_;
};

TEST_F(ClipboardCommandsTest, MetafileCopiesOfferEveryFlavourAndPlayBackAsThePaint) {
  struct Case {
    const char* name;
    std::uint8_t emf_mode;
    double scale;  // of the copy's mapping
  };
  const gdi::Size extent = DrawingExtent(ws());
  const std::vector<RecordedCall> want = CallsOf(Direct(0), {CallKind::kPolygon});
  ASSERT_GT(want.size(), 47u);
  for (const Case c : {Case{"metafile picture", 0, 1.006}, Case{"enhanced metafile", 3, 1.0}}) {
    ws().settings.EmfMode = c.emf_mode;
    commands_.SpeedMetaCopyClick();
    for (const std::string_view flavour : kPictureFlavours)
      EXPECT_FALSE(Flavour(flavour).empty()) << c.name << " " << flavour;
    EXPECT_EQ(Flavour(kMimeOfficeEmf), Flavour(kMimeEmf));
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(Flavour(kMimePng))).size(),
              QSize(extent.cx, extent.cy));
    const std::vector<RecordedCall> got = CallsOf(PlayedEmf(), {CallKind::kPolygon});
    ASSERT_EQ(got.size(), want.size()) << c.name;
    for (std::size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(got[i].state.brush, want[i].state.brush) << c.name << " polygon " << i;
      ASSERT_EQ(got[i].points.size(), want[i].points.size()) << c.name << " polygon " << i;
      for (std::size_t p = 0; p < want[i].points.size(); ++p) {
        ASSERT_NEAR(got[i].points[p].x, want[i].points[p].x * c.scale, 1.01) << c.name << i;
        ASSERT_NEAR(got[i].points[p].y, want[i].points[p].y * c.scale, 1.01) << c.name << i;
      }
    }
  }
}

TEST_F(ClipboardCommandsTest, MetafilePictureAnnouncesFifteenHundredthsOfAMillimetreAPixel) {
  // A white map whose extent its one decoration sets to 640 x 400.
  ws().view.Kind = MapKind::kWhiteMap;
  ws().base_map = BaseMap{};
  ClearDecorations(ws().decorations);
  ShapeDecoration shape{10, 10, 600, 360, kShapeRectangle};
  AddShapeDecoration(ws().decorations, shape);
  const gdi::Size first = DrawingExtent(ws());
  shape.X2 = static_cast<std::int16_t>(shape.X2 + 640 - first.cx);
  shape.Y2 = static_cast<std::int16_t>(shape.Y2 + 400 - first.cy);
  ClearDecorations(ws().decorations);
  AddShapeDecoration(ws().decorations, shape);
  ASSERT_EQ(DrawingExtent(ws()), (gdi::Size{640, 400}));
  commands_.WMetaCopyClick();
  EXPECT_EQ(EmfFrame(Flavour(kMimeEmf)), (std::array<std::int32_t, 4>{0, 0, 9599, 5999}));
  const auto info = gdi::InspectMetafile(Flavour(kMimeWmf));
  ASSERT_TRUE(info.ok());
  // The placeable box holds it to 1/96 inch: 9600 x 6000 is 362.8 x 226.8.
  EXPECT_EQ(info->size, (gdi::Size{363, 227}));
}

TEST_F(ClipboardCommandsTest, SeparateCopyGivesThePictureWithoutTextsOrTheTexts) {
  const RecordingDeviceContext direct = Direct(0);
  const auto shapes = {CallKind::kRectangle, CallKind::kEllipse, CallKind::kPolyline};
  ASSERT_FALSE(CallsOf(direct, {CallKind::kTextOut}).empty());

  answer_ = QDialog::Accepted;  // 画像
  commands_.WMetaSepCopyClick();
  const RecordingDeviceContext played = PlayedEmf();
  EXPECT_EQ(CallsOf(played, shapes).size(), CallsOf(direct, shapes).size());
  EXPECT_FALSE(CallsOf(played, shapes).empty());
  EXPECT_TRUE(CallsOf(played, {CallKind::kTextOut}).empty());
  EXPECT_EQ(CallsOf(played, {CallKind::kPolygon}).size(),
            CallsOf(direct, {CallKind::kPolygon}).size());

  answer_ = kResultYes;  // 文字
  commands_.WMetaSepCopyClick();
  const std::string text = Flavour(kMimeUtf8Text);
  EXPECT_EQ(text, sjis::ToUtf8Lossy(LegendClipText(ws())));
  EXPECT_TRUE(text.starts_with(sjis::ToUtf8Lossy(ws().data.DataTitle) + "\n")) << text;
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text);
  EXPECT_TRUE(Flavour(kMimeEmf).empty());

  answer_ = QDialog::Rejected;
  commands_.WMetaSepCopyClick();
  EXPECT_EQ(Flavour(kMimeUtf8Text), text);
  EXPECT_EQ(dialogs_, std::vector<std::string>(3, "TCopySelDialog"));
}

// A copy whose metafile cannot be made (a map wider than a WMF holds) says
// why and leaves the clipboard as it was, rather than offering a picture
// that some programs paste cut short.
TEST_F(ClipboardCommandsTest, ACopyThatCannotBeMadeSaysWhyAndChangesNothing) {
  ws().settings.DrawPosX = 20000;  // the map far to the right, twice its size
  ws().settings.DrawResX = 2.0;
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  commands_.WMetaCopyClick();
  ASSERT_EQ(bed_.reporter.messages.size(), 1u);
  const std::string& text = bed_.reporter.messages[0].text;
  EXPECT_TRUE(text.starts_with("クリップボードに複写できませんでした。\nWMF の大きさは 32767"))
      << text;
  EXPECT_TRUE(text.ends_with("描画倍率を下げてください")) << text;
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
  EXPECT_TRUE(Flavour(kMimeEmf).empty());
}

TEST_F(ClipboardCommandsTest, BitmapCopyIsAPngOnTheBackgroundTheLinesAsk) {
  ws().screen_colors.window = {0, 0, 128};
  ws().screen_colors.window_text = {255, 255, 0};
  ws().settings.ColorChange = 1;
  const gdi::Size extent = DrawingExtent(ws());
  struct Case {
    Answer answer;
    QRgb corner;  // an empty pixel of the bitmap; 0 for no copy
  };
  for (const Case c : {Case{Answer::kNo, qRgb(0, 0, 128)}, Case{Answer::kYes, qRgb(255, 255, 255)},
                       Case{Answer::kCancel, 0}}) {
    QGuiApplication::clipboard()->clear();
    bed_.reporter.yes_no_answer = c.answer;
    commands_.BMapCopyClick();
    const QImage image = QImage::fromData(QByteArray::fromStdString(Flavour(kMimePng)));
    if (c.corner == 0) {
      EXPECT_TRUE(image.isNull());
      continue;
    }
    EXPECT_EQ(image.size(), QSize(extent.cx, extent.cy));
    EXPECT_EQ(image.pixel(extent.cx - 1, extent.cy - 1), c.corner);
    EXPECT_TRUE(Flavour(kMimeEmf).empty());
  }
}

}  // namespace
}  // namespace kartela
