// The exporter's Qt targets on the sample paint map: PNG files decode to the
// very pixels painted (indexed when the colours allow), SVG and PDF keep the
// texts as text, and a save that fails leaves no file behind and an
// existing one as it was.
#include "output/map_exporter.h"

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QImage>
#include <QPainter>

#include "model/test_support.h"
#include "output/png_encoder.h"
#include "render/paint_context.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

class MapExporterTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::LoadSamplePaintMap(ws_)); }
  Workspace ws_;
};

// The decoded pixels; the file's sRGB mark is left out of the comparison.
QImage Decoded(const std::string& png) {
  QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                  static_cast<int>(png.size()), "PNG");
  image.setColorSpace(QColorSpace());
  return image;
}

// A map with its antialiased texts, the same without texts (few colours),
// and a gradient of far more than 256 colours.
TEST_F(MapExporterTest, PngDecodesToThePaintedPixelsIndexedWhenTheColoursAllow) {
  const MapExporter exporter(ws_);
  QImage gradient(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < gradient.height(); ++y) {
    for (int x = 0; x < gradient.width(); ++x)
      gradient.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
  }
  struct Case {
    const char* name;
    QImage image;
    bool indexed;
  };
  const Case cases[] = {
      {"map without texts", exporter.Bitmap(BitmapSettings{kPaintNoText}), true},
      {"map at twice the size", exporter.Bitmap(BitmapSettings{kPaintNoText, 2.0}), true},
      {"map with texts", exporter.Bitmap(BitmapSettings{}), false},
      {"gradient", gradient, false},
  };
  for (const Case& c : cases) {
    const StatusOr<std::string> png = EncodePng(c.image);
    ASSERT_TRUE(png) << c.name;
    const QImage decoded = Decoded(*png);
    if (c.indexed) {
      EXPECT_EQ(decoded.format(), QImage::Format_Indexed8) << c.name;
    }
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32),
              c.image.convertToFormat(QImage::Format_RGB32))
        << c.name;
  }
  EXPECT_EQ(exporter.Bitmap(BitmapSettings{0, 2.0}).size(), exporter.SizeAt(1.0) * 2);
}

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & 0xFFFFFFu) != 0xFFFFFFu) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

// A screen of device pixel ratio 2 gets the same drawing on twice the
// pixels, not a drawing scaled twice (the painter's transform already holds
// the ratio that its engine applies).
TEST_F(MapExporterTest, AHighDpiPictureHoldsTheDrawingAtTwiceThePixels) {
  const MapExporter exporter(ws_);
  const QSize size = exporter.SizeAt(1.0);
  QImage single(size, QImage::Format_RGB32);
  QImage doubled(size * 2, QImage::Format_RGB32);
  doubled.setDevicePixelRatio(2);
  for (QImage* image : {&single, &doubled}) {
    QPainter painter(image);
    exporter.PaintOn(painter, size, Qt::white, 0, 1.0);
  }
  const QRect one = InkBounds(single);
  const QRect two = InkBounds(doubled);
  ASSERT_FALSE(one.isEmpty());
  for (const auto& [at_one, at_two] : {std::pair{one.left(), two.left()},
                                       {one.top(), two.top()},
                                       {one.right(), two.right()},
                                       {one.bottom(), two.bottom()}}) {
    EXPECT_NEAR(at_two, 2 * at_one, 3);
  }
}

TEST_F(MapExporterTest, SvgAndPdfKeepTextsAsText) {
  ws_.settings.AreaNameFlags = 1;
  const MapExporter exporter(ws_);
  const StatusOr<std::string> svg = exporter.Svg(SvgSettings{});
  ASSERT_TRUE(svg);
  EXPECT_NE(svg->find("<text"), std::string::npos);
  EXPECT_NE(svg->find("font-family"), std::string::npos);
  EXPECT_NE(svg->find("北海道"), std::string::npos);  // names are UTF-8 text
  const StatusOr<std::string> pdf = exporter.Pdf(PdfSettings{});
  ASSERT_TRUE(pdf);
  EXPECT_EQ(pdf->rfind("%PDF", 0), 0u);
  EXPECT_NE(pdf->find("/FontFile2"), std::string::npos);  // an embedded TrueType font
  const StatusOr<std::string> bare = exporter.Svg(SvgSettings{kPaintNoText});
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->find("<text"), std::string::npos);
}

TEST_F(MapExporterTest, FailedSaveLeavesNoFileAndKeepsWhatWasThere) {
  const test::ScratchDir dir;
  const MapExporter exporter(ws_);
  for (const char* name : {"map.png", "map.svg", "map.pdf", "map.emf", "map.wmf"}) {
    const auto settings = FileSettingsFor(name, 0);
    ASSERT_TRUE(settings) << name;
    EXPECT_TRUE(exporter.Save(*settings, dir.path() / name).ok()) << name;
    EXPECT_GT(std::filesystem::file_size(dir.path() / name), 100u) << name;
    // A folder that does not exist, and a folder in the way of the file.
    EXPECT_FALSE(exporter.Save(*settings, dir.path() / "missing" / name).ok()) << name;
    std::filesystem::create_directory(dir.path() / (std::string("in-the-way.") + name));
    EXPECT_FALSE(exporter.Save(*settings, dir.path() / (std::string("in-the-way.") + name)).ok());
  }
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 10u);  // the five files and the five folders, no leftovers
  EXPECT_FALSE(FileSettingsFor("map.jpg", 0));
  EXPECT_TRUE(std::holds_alternative<EmfSettings>(*FileSettingsFor("MAP.EMF", 0)));
}

}  // namespace
}  // namespace kartela::output
