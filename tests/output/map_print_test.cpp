// The printer target on the sample paint map: the magnification that fits
// the map into the printable area, one page per copy in the PDF a QPrinter
// writes (its texts as text), a job aborted between copies, a printer that cannot start, and the
// preview's page.
#include "output/map_print.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>

#include "base/file_io.h"
#include "model/test_support.h"
#include "output/map_exporter.h"
#include "render/map_frame.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

// A printer that writes a PDF file on A4 paper in `orientation`.
std::unique_ptr<QPrinter> PdfPrinter(const std::filesystem::path& file,
                                     QPageLayout::Orientation orientation) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(file.string()));
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageOrientation(orientation);
  return printer;
}

// The pages of a PDF file, counted by its page objects.
int PageCount(const std::filesystem::path& file) {
  const StatusOr<std::string> bytes = ReadFileBytes(file);
  if (!bytes) return -1;
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return static_cast<int>(
      QString::fromLatin1(bytes->data(), static_cast<qsizetype>(bytes->size())).count(page));
}

class MapPrintTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::LoadSamplePaintMap(ws_)); }
  Workspace ws_;
  test::ScratchDir dir_;
};

// A map twice as wide as tall is limited by the width on a portrait page,
// a wide map by the height on a landscape page, a tall one by the height;
// a fixed magnification is used as it is. 300 pixels per inch: 10 mm is 118 pixels.
TEST(PrintLayoutTest, FitsTheMapIntoThePrintableArea) {
  const QSize a4_portrait(2480, 3508);
  const QSize a4_landscape(3508, 2480);
  PrinterSettings fit;  // margins 20, 20, 25, 25 mm: 236, 236, 295, 295 pixels
  struct Case {
    QSize page;
    gdi::Size extent;
    double magnification;
    double scale;
  };
  const Case cases[] = {
      {a4_portrait, {1000, 500}, -1.0, (2480 - 472) / 1000.0},
      {a4_landscape, {1000, 800}, -1.0, (2480 - 590) / 800.0},
      {a4_portrait, {500, 1000}, -1.0, (3508 - 590) / 1000.0},
      {a4_portrait, {1000, 500}, 2.0, 2.0},
  };
  for (const Case& c : cases) {
    fit.magnification = c.magnification;
    const PrintLayout layout = LayoutPrint(fit, c.page, 300, c.extent);
    EXPECT_EQ(layout.margins, QMargins(236, 295, 236, 295));
    EXPECT_DOUBLE_EQ(layout.scale, c.scale) << c.page.width() << " " << c.magnification;
    EXPECT_TRUE(layout.Printable());
  }
  fit.margins.left = 110;
  fit.margins.right = 110;  // 2596 pixels of margins on 2480
  EXPECT_FALSE(LayoutPrint(fit, a4_portrait, 300, {1000, 500}).Printable());
}

// On a real PDF printer in both orientations the fitted map fills the
// printable area in one direction and stays inside it in the other.
TEST_F(MapPrintTest, FittedMapTouchesOneSideOfTheAreaOnA4) {
  const MapExporter exporter(ws_);
  for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
    auto printer = PdfPrinter(dir_.path() / "fit.pdf", QPageLayout::Portrait);
    PrinterSettings settings;
    settings.orientation = orientation == QPageLayout::Landscape ? PageOrientation::kLandscape
                                                                 : PageOrientation::kPortrait;
    const PrintLayout layout = LayoutOnPrinter(settings, *printer, ws_);
    EXPECT_EQ(printer->pageLayout().orientation(), orientation) << "the printer takes it";
    const QRect area = layout.Area();
    const QSize map = exporter.SizeAt(layout.scale);
    EXPECT_EQ(layout.page.width() > layout.page.height(), orientation == QPageLayout::Landscape);
    EXPECT_LE(map.width(), area.width() + 1);
    EXPECT_LE(map.height(), area.height() + 1);
    EXPECT_TRUE(std::abs(map.width() - area.width()) <= 1 ||
                std::abs(map.height() - area.height()) <= 1)
        << map.width() << "x" << map.height() << " in " << area.width() << "x" << area.height();
  }
}

TEST_F(MapPrintTest, OnePagePerCopyAndAnAbortPrintsNothing) {
  struct Case {
    int copies;
    int abort_after;  // copies printed before the abort button is pressed
    StatusCode outcome;
    int pages;
  };
  const Case cases[] = {
      {0, 99, StatusCode::kRefused, 0},  {1, 99, StatusCode::kOk, 1},
      {3, 99, StatusCode::kOk, 3},       {5, 1, StatusCode::kCancelled, 0},
      {3, 2, StatusCode::kCancelled, 0},  // an aborted job sends no page at all
  };
  for (const Case& c : cases) {
    const auto file = dir_.path() / ("copies" + std::to_string(c.copies) + "_" +
                                     std::to_string(c.abort_after) + ".pdf");
    auto printer = PdfPrinter(file, QPageLayout::Portrait);
    PrinterSettings settings;
    settings.copies = c.copies;
    int asked = 0;
    const PrintResult result =
        PrintMap(ws_, settings, *printer, [&] { return asked++ >= c.abort_after; });
    EXPECT_EQ(result.status.code(), c.outcome) << c.copies << "/" << c.abort_after;
    EXPECT_EQ(result.pages, c.pages);
    if (c.pages == 0) {
      EXPECT_FALSE(std::filesystem::exists(file)) << "no sheet, blank or drawn";
      continue;
    }
    EXPECT_EQ(PageCount(file), c.pages) << c.copies << "/" << c.abort_after;
    EXPECT_NE(ReadFileBytes(file).value_or("").find("/FontFile2"), std::string::npos)
        << "texts stay text, their font embedded";
  }
}

TEST_F(MapPrintTest, APrinterThatCannotStartOrNoAreaFailsWithAReason) {
  auto printer = PdfPrinter(dir_.path() / "missing" / "map.pdf", QPageLayout::Portrait);
  const PrintResult unwritable = PrintMap(ws_, PrinterSettings{}, *printer, [] { return false; });
  EXPECT_EQ(unwritable.status.code(), StatusCode::kIoError);
  EXPECT_NE(unwritable.status.detail().find("missing"), std::string::npos)
      << unwritable.status.detail();
  printer->setOutputFileName({});
  EXPECT_EQ(PrintMap(ws_, PrinterSettings{}, *printer, [] { return false; }).status.code(),
            StatusCode::kRefused)
      << "a PDF printer that names no file";

  PrinterSettings wide_margins;
  wide_margins.margins.top = 200;
  wide_margins.margins.bottom = 100;
  const auto file = dir_.path() / "none.pdf";
  printer = PdfPrinter(file, QPageLayout::Portrait);
  EXPECT_EQ(PrintMap(ws_, wide_margins, *printer, [] { return false; }).status.code(),
            StatusCode::kRefused);
  EXPECT_FALSE(std::filesystem::exists(file)) << "no empty page printed";
}

// The preview: a white sheet with a black edge, the printable area framed
// in yellow, the map inside it in screen colours.
TEST_F(MapPrintTest, PreviewShowsTheSheetTheAreaAndTheMap) {
  const PrintLayout layout =
      LayoutPrint(PrinterSettings{}, QSize(2480, 3508), 300, DrawingExtent(ws_));
  const QImage page = PreviewPage(ws_, layout, 400);
  ASSERT_EQ(page.size(), QSize(400, 566));
  const double f = 400.0 / 2480;
  const QPoint area_corner(static_cast<int>(std::lround(236 * f)),
                           static_cast<int>(std::lround(295 * f)));
  EXPECT_EQ(page.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(page.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(page.pixel(area_corner.x(), area_corner.y() + 20), qRgb(255, 255, 0));
  const QRect area(area_corner, QPoint(400 - area_corner.x(), 566 - area_corner.y()));
  int coloured = 0;
  int outside = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.saturation() < 60 || c == QColor(255, 255, 0)) continue;
      ++coloured;
      if (!area.contains(x, y)) ++outside;
    }
  }
  EXPECT_GT(coloured, 1000) << "the prefectures are filled";
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace kartela::output
