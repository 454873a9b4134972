// Other programs open what the exporter writes: LibreOffice converts the EMF
// and the WMF of the sample paint map to PNG, Qt's SVG renderer draws the
// SVG, and at the anchor of each of the 47 prefectures the picture shows the
// colour of its class; LibreOffice shows every text of the EMF where it was
// drawn. Skipped when soffice is not installed.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>
#include <map>

#include "base/text_encoding.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "model/test_support.h"
#include "output/map_exporter.h"
#include "render/classification.h"
#include "render/map_frame.h"
#include "render/paint_context.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

constexpr int kPrefectures = 47;

bool HasSoffice() {
  return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

// Converts `file` with LibreOffice; the PNG, or a null image.
QImage ConvertedBySoffice(const std::filesystem::path& file) {
  const std::filesystem::path dir = file.parent_path();
  const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() +
                              "' soffice --headless --convert-to png '" + file.filename().string() +
                              "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return QImage();
  std::filesystem::path png = file;
  png.replace_extension(".png");
  return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB32);
}

QImage RenderedByQtSvg(const std::string& svg, QSize size) {
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

// The smallest rectangle holding every pixel that is not nearly white.
QRectF InkBounds(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (Distance(image.pixel(x, y), qRgb(255, 255, 255)) < 60) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return QRectF(QPointF(left, top), QPointF(right + 1, bottom + 1));
}

// The box a text drawn by `call` covers, its leading blanks left out, with
// the recording context's measure (half the font height a byte); empty for
// a blank text.
QRect InkedBoxOf(const gdi::RecordedCall& call) {
  const std::size_t blanks = std::min(call.text.find_first_not_of(' '), call.text.size());
  const int height = std::abs(call.state.font.Height);
  const int width = static_cast<int>(call.text.size() - blanks) * height / 2;
  int left = call.at().x + static_cast<int>(blanks) * height / 2;
  if ((call.state.text_align & gdi::kAlignCenter) == gdi::kAlignCenter) {
    left -= static_cast<int>(call.text.size()) * height / 4;
  } else if (call.state.text_align & gdi::kAlignRight) {
    left -= static_cast<int>(call.text.size()) * height / 2;
  }
  return QRect(left, call.at().y, width, height);
}

bool HasDarkPixel(const QImage& image, const QRect& box) {
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 160) return true;
    }
  }
  return false;
}

// Maps points of the picture as painted onto `shown`, another program's
// rendering of it at some place and size (LibreOffice puts a picture on a
// page): the bounds of the ink in both give the scale and the offset.
class Placement {
 public:
  Placement(const QImage& painted, const QImage& shown)
      : from_(InkBounds(painted)), to_(InkBounds(shown)) {}
  QPoint Map(gdi::Point p) const {
    return QPoint(
        static_cast<int>(to_.left() + (p.x - from_.left()) * to_.width() / from_.width()),
        static_cast<int>(to_.top() + (p.y - from_.top()) * to_.height() / from_.height()));
  }

 private:
  QRectF from_;
  QRectF to_;
};

class OtherReadersTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(ws_));
    resources_ = CreateDrawingResources(ws_.settings, ws_.screen_colors, ws_.PrintLineWidth);
  }

  // The colour of each class and the index of each prefecture's class.
  std::vector<QRgb> ClassColours(int count) const {
    std::vector<QRgb> colours;
    for (int c = 0; c < count; ++c) {
      const gdi::Color color = BrushForClass(resources_.pattern_order, count, c).color;
      colours.push_back(qRgb(color.r, color.g, color.b));
    }
    return colours;
  }

  // For each prefecture, whether most pixels around its anchor are nearest
  // to its class colour (lines and other classes excluded); the names of
  // the prefectures that are not.
  std::vector<std::string> WrongPrefectures(const QImage& image) const {
    const ClassTables& tables = ws_.class_tables;
    const PaintClasses classes = BuildClassThresholds(tables.ClassBreaks);
    const std::vector<QRgb> colours = ClassColours(classes.EffectiveClassCount);
    const MapFrame frame = FrameOf(ws_.settings, 1.0, {});
    const Placement placement(MapExporter(ws_).Bitmap(BitmapSettings{kPaintNoText}), image);
    std::vector<std::string> wrong;
    for (int area = 1; area <= kPrefectures; ++area) {
      const auto index = static_cast<std::size_t>(area - 1);
      const auto cls = ClassOfValue(tables.NumericValues[index], classes, tables.DivisionMethod);
      const gdi::Point p = MapToDevice(frame, ws_.base_map.AreaAnchors[index][0]);
      std::map<int, int> votes;
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const QPoint at = placement.Map(p) + QPoint(dx, dy);
          if (!image.rect().contains(at)) continue;
          const QRgb pixel = image.pixel(at);
          int nearest = -1;
          int best = Distance(pixel, qRgb(0, 0, 0));  // a line
          for (std::size_t c = 0; c < colours.size(); ++c) {
            if (Distance(pixel, colours[c]) < best) {
              best = Distance(pixel, colours[c]);
              nearest = static_cast<int>(c);
            }
          }
          if (nearest >= 0) ++votes[nearest];
        }
      }
      int winner = -1;
      int most = 0;
      for (const auto& [c, n] : votes) {
        if (n > most) {
          most = n;
          winner = c;
        }
      }
      if (!cls || winner != *cls) wrong.push_back(ws_.base_map.MapAreaNames[index]);
    }
    return wrong;
  }

  Workspace ws_;
  DrawingResources resources_;
};

TEST_F(OtherReadersTest, LibreOfficeShowsEachPrefectureInTheColourOfItsClass) {
  if (!HasSoffice()) GTEST_SKIP() << "soffice is not installed";
  const test::ScratchDir dir;
  const MapExporter exporter(ws_);
  struct Case {
    const char* name;
    FileSettings settings;
  };
  const Case cases[] = {{"map.emf", EmfSettings{kPaintNoText}},
                        {"map.wmf", WmfSettings{kPaintNoText}}};
  for (const Case& c : cases) {
    ASSERT_TRUE(exporter.Save(c.settings, dir.path() / c.name).ok()) << c.name;
    const QImage image = ConvertedBySoffice(dir.path() / c.name);
    ASSERT_FALSE(image.isNull()) << c.name;
    EXPECT_EQ(WrongPrefectures(image), std::vector<std::string>{}) << c.name;
  }
}

// Texts with a leading blank, as in the legend rows, went missing once.
TEST_F(OtherReadersTest, LibreOfficeShowsEachTextOfTheEmfWhereItWasDrawn) {
  if (!HasSoffice()) GTEST_SKIP() << "soffice is not installed";
  const test::ScratchDir dir;
  const MapExporter exporter(ws_);
  ASSERT_TRUE(exporter.Save(EmfSettings{}, dir.path() / "texts.emf").ok());
  const QImage image = ConvertedBySoffice(dir.path() / "texts.emf");
  ASSERT_FALSE(image.isNull());
  const Placement placement(exporter.Bitmap(BitmapSettings{}), image);
  const QSize size = exporter.SizeAt(1.0);
  gdi::RecordingDeviceContext texts;
  ASSERT_TRUE(
      gdi::PlayMetafile(exporter.Emf(EmfSettings{}).value(), texts, {0, 0, size.width(), size.height()})
          .ok());
  int checked = 0;
  std::vector<std::string> missing;
  for (const gdi::RecordedCall& call : texts.calls()) {
    const QRect box = InkedBoxOf(call);
    if (call.kind != gdi::CallKind::kTextOut || box.isEmpty()) continue;
    ++checked;
    const QPoint top_left = placement.Map({box.left(), box.top()});
    const QPoint bottom_right = placement.Map({box.right(), box.bottom()});
    if (!HasDarkPixel(image, QRect(top_left, bottom_right)))
      missing.push_back(sjis::ToUtf8Lossy(call.text));
  }
  EXPECT_GE(checked, 10);
  EXPECT_EQ(missing, std::vector<std::string>{});
}

TEST_F(OtherReadersTest, QtSvgRendererShowsEachPrefectureInTheColourOfItsClass) {
  const MapExporter exporter(ws_);
  const StatusOr<std::string> svg = exporter.Svg(SvgSettings{kPaintNoText});
  ASSERT_TRUE(svg);
  const QImage image = RenderedByQtSvg(*svg, exporter.SizeAt(1.0));
  EXPECT_EQ(WrongPrefectures(image), std::vector<std::string>{});
}

}  // namespace
}  // namespace kartela::output
