// Printing through CUPS as a user does: a private cupsd with a cups-pdf
// printer (started and stopped by cups_pdf_printer.sh), the sample paint map
// printed by the map print command on it, and the PDF that comes out read
// back with poppler: A4, the map inside the margins, the prefectures in the
// colours of their classes; and the title as text in the document sent.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDialog>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <thread>

#include "base/text_encoding.h"
#include "model/test_support.h"
#include "output/map_print.h"
#include "output/sample_map.h"
#include "render/classification.h"
#include "render/map_frame.h"
#include "ui/printing/current_printer.h"
#include "ui/printing/print_commands.h"

namespace kartela {
namespace {

constexpr const char* kQueue = "KartelaPDF";
constexpr int kRenderDpi = 72;  // pdftoppm: one pixel per point

int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

// The rows of pdffonts' table, split at blanks; the column "emb" is the
// fifth from the end.
std::vector<std::vector<std::string>> FontRows(const std::string& table) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
    if (row.size() >= 7 && row[0] != "name" && row[0].find("---") != 0) rows.push_back(row);
  }
  return rows;
}

// Where cups-pdf puts the files of the user who prints: its "Out" setting,
// by default ~/PDF.
std::filesystem::path CupsPdfOutDir() {
  std::string out = "${HOME}/PDF";
  std::ifstream conf("/etc/cups/cups-pdf.conf");
  for (std::string line; std::getline(conf, line);) {
    if (line.rfind("Out ", 0) == 0) out = line.substr(4);
  }
  const std::string home = "${HOME}";
  if (const auto at = out.find(home); at != std::string::npos)
    out.replace(at, home.size(), std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/root");
  return out;
}

// The file cups-pdf wrote for the job titled `title`, once the printer has
// no job left.
std::optional<std::filesystem::path> WaitForPdf(const std::string& title) {
  for (int tries = 0; tries < 300 && !Output("lpstat -o").empty(); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(CupsPdfOutDir(), error)) {
    if (entry.path().filename().string().rfind(title, 0) == 0 && entry.path().extension() == ".pdf")
      return entry.path();
  }
  return std::nullopt;
}

class CupsPrintTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new test::ScratchDir;
    const int started =
        Shell("sh '" KARTELA_SOURCE_DIR "/tests/output/cups_pdf_printer.sh' start '" +
              server_->path().string() + "' " + kQueue);
    if (started == 77) {
      missing_ = "cupsd or cups-pdf is not installed";
    } else if (started != 0 || Shell("command -v pdftoppm pdftotext pdfinfo >/dev/null") != 0) {
      missing_ = "no private CUPS server with cups-pdf, or no poppler-utils";
    }
    setenv("CUPS_SERVER", (server_->path() / "cups.sock").c_str(), 1);
  }
  static void TearDownTestSuite() {
    Shell("sh '" KARTELA_SOURCE_DIR "/tests/output/cups_pdf_printer.sh' stop '" +
          server_->path().string() + "'");
    delete server_;
  }
  void SetUp() override {
    ASSERT_TRUE(missing_.empty()) << missing_
                                  << "; scripts/setup.sh --with-test-tools installs them";
    ASSERT_TRUE(test::LoadSamplePaintMap(workspace_));
  }

  static inline test::ScratchDir* server_ = nullptr;
  static inline std::string missing_;
  Workspace workspace_;
  test::RecordingReporter reporter_;
};

TEST_F(CupsPrintTest, TheMapPrintedOnACupsPdfPrinterIsTheMapOnA4) {
  ASSERT_FALSE(QPrinterInfo::printerInfo(kQueue).isNull()) << "Qt sees the CUPS printer";
  CurrentPrinter current;
  QPrinter& printer = current.printer();
  printer.setPrinterName(kQueue);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const std::string title = "kartela_cups_" + std::to_string(getpid());
  printer.setDocName(QString::fromStdString(title));
  AppContext context{workspace_, ProgramPaths{test::BaseMapsDir(), "kartela"}, reporter_,
                     TextMetrics{13, 7, 19}};
  PrintCommands commands(context, current);
  commands.SetDialogRunner([](QDialog& dialog) {
    dialog.done(QDialog::Accepted);
    return dialog.result();
  });
  commands.PrintMapClick();
  ASSERT_TRUE(reporter_.messages.empty()) << reporter_.messages.front().text;
  const std::optional<std::filesystem::path> pdf = WaitForPdf(title);
  ASSERT_TRUE(pdf) << "no PDF from cups-pdf in " << CupsPdfOutDir();

  const std::string info = Output("pdfinfo '" + pdf->string() + "'");
  EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +1\n"))) << info;
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
  // cups-pdf redraws the page through Ghostscript, which turns the glyphs
  // into pictures; the title is read from the document the program sent,
  // kept in the spool, where the texts are text in embedded fonts.
  const std::string sent = Output("ls " + (server_->path() / "spool").string() + "/d*-001");
  ASSERT_FALSE(sent.empty()) << "the job's document is kept in the spool";
  const std::string sent_file = sent.substr(0, sent.find('\n'));
  const std::string text = Output("pdftotext '" + sent_file + "' -");
  EXPECT_NE(text.find(sjis::ToUtf8Lossy(workspace_.data.DataTitle)), std::string::npos) << text;
  const std::vector<std::vector<std::string>> fonts =
      FontRows(Output("pdffonts '" + sent_file + "'"));
  EXPECT_FALSE(fonts.empty());
  for (const auto& font : fonts)
    EXPECT_EQ(font[font.size() - 5], "yes") << font[0] << " is embedded";

  const std::string png = (server_->path() / "page").string();
  ASSERT_EQ(Shell("pdftoppm -r " + std::to_string(kRenderDpi) + " -png -singlefile '" +
                  pdf->string() + "' '" + png + "' 2>/dev/null"),
            0);
  const QImage page(QString::fromStdString(png + ".png"));
  ASSERT_EQ(page.size(), QSize(595, 842));

  // The ink stays inside the margins (20 mm left and right, 25 mm top and
  // bottom), give or take a pixel.
  QRect ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (page.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
    }
  }
  const double mm = kRenderDpi / 25.4;
  EXPECT_TRUE(QRect(QPoint(std::floor(20 * mm) - 1, std::floor(25 * mm) - 1),
                    QPoint(std::ceil(595 - 20 * mm) + 1, std::ceil(842 - 25 * mm) + 1))
                  .contains(ink))
      << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();

  // A few prefectures, at their anchors, in the colour of their class.
  const output::PrintLayout layout =
      output::LayoutOnPrinter(PrintValuesOf(workspace_), printer, workspace_);
  const double to_page = static_cast<double>(kRenderDpi) / printer.resolution();
  const MapFrame frame =
      FrameOf(workspace_.settings, layout.scale, {-layout.margins.left(), -layout.margins.top()});
  const ClassTables& tables = workspace_.class_tables;
  const PaintClasses classes = BuildClassThresholds(tables.ClassBreaks);
  const DrawingResources resources =
      CreateDrawingResources(workspace_.settings, workspace_.screen_colors, 2);
  for (const int area : {1, 3, 20, 34, 46}) {
    const auto index = static_cast<std::size_t>(area - 1);
    const auto cls = ClassOfValue(tables.NumericValues[index], classes, tables.DivisionMethod);
    ASSERT_TRUE(cls);
    const gdi::Color want =
        BrushForClass(resources.pattern_order, classes.EffectiveClassCount, *cls).color;
    const gdi::Point p = MapToDevice(frame, workspace_.base_map.AreaAnchors[index][0]);
    const QColor got =
        page.pixelColor(static_cast<int>(p.x * to_page), static_cast<int>(p.y * to_page));
    EXPECT_LE(std::abs(got.red() - want.r) + std::abs(got.green() - want.g) +
                  std::abs(got.blue() - want.b),
              30)
        << "area " << area << ": " << got.name().toStdString();
  }
  std::filesystem::remove(*pdf);
}

}  // namespace
}  // namespace kartela
