// kartela-cli print and print-data on the shipped sample, read back with
// poppler: the map's width on paper at magnifications 1 and 2, the paper's
// orientation, the data list's words, and the messages of bad options.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/cli_commands.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using Json = nlohmann::json;

constexpr int kRenderDpi = 72;  // pdftoppm: one pixel per point
constexpr double kMmPerPoint = 25.4 / 72;

std::string Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished();
  return process.readAllStandardOutput().toStdString();
}

// The page of a one-page PDF as an image at one pixel per point.
QImage PageImage(const std::filesystem::path& pdf) {
  const QString png = QString::fromStdString(pdf.string()) + "-page";
  Run("pdftoppm", {"-r", QString::number(kRenderDpi), "-png", "-singlefile",
                   QString::fromStdString(pdf.string()), png});
  return QImage(png + ".png");
}

// The width of what is drawn on `page`, in millimetres.
double InkWidthMm(const QImage& page) {
  int left = page.width();
  int right = -1;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (page.pixel(x, y) == qRgb(255, 255, 255)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  return right < left ? 0 : (right - left + 1) * kMmPerPoint;
}

class CliPrintTest : public testing::Test {
 protected:
  int Run(int (*command)(const CliContext&, const std::vector<std::string>&),
          std::vector<std::string> arguments) {
    std::ostringstream out;
    const CliContext context{kBaseMaps, reporter_, out};
    const int status = command(context, arguments);
    result_ = out.str().empty() ? Json() : Json::parse(out.str());
    return status;
  }
  std::string Sample() const { return (kBaseMaps / "人口2020.DAT").string(); }
  std::string Out(const std::string& name) const { return (dir_.path() / name).string(); }
  std::string LastMessage() const {
    return reporter_.messages.empty() ? "" : reporter_.messages.back().text;
  }

  const std::filesystem::path kBaseMaps = KARTELA_SOURCE_DIR "/basemaps";
  test::ScratchDir dir_;
  test::RecordingReporter reporter_;
  Json result_;
};

// Magnification 1 makes the 1000-unit map of Japan about 85 mm wide on
// paper and 2 twice that, whatever the printer's resolution; landscape and
// the automatic choice turn the paper for the wide map.
TEST_F(CliPrintTest, MagnificationsAreRealSizesAndTheOrientationTurnsThePaper) {
  const struct {
    const char* magnification;
    const char* orientation;
    QSize page;  // points
  } cases[] = {
      {"1", "portrait", {595, 842}},
      {"2", "portrait", {595, 842}},
      {"1", "landscape", {842, 595}},
      {"auto", "auto", {842, 595}},
  };
  std::vector<double> widths;
  for (const auto& c : cases) {
    const std::string what = std::string(c.magnification) + " " + c.orientation;
    const std::string pdf = Out("map.pdf");
    ASSERT_EQ(Run(RunPrintCommand, {Sample(), "--out", pdf, "--magnification", c.magnification,
                                    "--orientation", c.orientation}),
              kExitOk)
        << what << ": " << LastMessage();
    EXPECT_EQ(result_["pages"], 1) << what;
    EXPECT_EQ(result_["orientation"], c.page.width() > c.page.height() ? "landscape" : "portrait");
    const QImage page = PageImage(pdf);
    EXPECT_EQ(page.size(), c.page) << what;
    widths.push_back(InkWidthMm(page));
  }
  EXPECT_NEAR(widths[0], 85, 8.5) << "magnification 1";
  EXPECT_NEAR(widths[1] / widths[0], 2, 0.1) << "magnification 2";
  EXPECT_NEAR(widths[2], widths[0], 1) << "the same size on turned paper";
  EXPECT_GT(widths[3], widths[1]) << "fitted to the landscape page";
}

TEST_F(CliPrintTest, PrintDataPrintsTheListAndCopies) {
  const std::string pdf = Out("list.pdf");
  ASSERT_EQ(Run(RunPrintDataCommand, {Sample(), "--out", pdf, "--copies", "2", "--columns", "2"}),
            kExitOk)
      << LastMessage();
  EXPECT_EQ(result_["pages"], 2);
  EXPECT_EQ(result_["columns"], 2);
  const std::string text = kartela::Run("pdftotext", {QString::fromStdString(pdf), "-"});
  EXPECT_NE(text.find("北海道"), std::string::npos);
  EXPECT_NE(text.find("5224614"), std::string::npos);
  EXPECT_NE(kartela::Run("pdfinfo", {QString::fromStdString(pdf)}).find("Pages:           2"),
            std::string::npos);
}

// A bad option names itself and what it takes; a choice the page cannot
// hold says what would fit; neither writes a file.
TEST_F(CliPrintTest, BadChoicesFailWithAMessageAndWriteNothing) {
  const std::string pdf = Out("none.pdf");
  const struct {
    int (*command)(const CliContext&, const std::vector<std::string>&);
    std::vector<std::string> options;
    const char* says;
  } cases[] = {
      {RunPrintCommand, {"--copies", "0"}, "「--copies 0」は使えません。1～999 の整数"},
      {RunPrintCommand, {"--margins", "20,25,20"}, "「--margins 20,25,20」は使えません。"},
      {RunPrintCommand, {"--magnification", "-2"}, "「auto」か 100 以下の正の数"},
      {RunPrintCommand, {"--orientation", "sideways"}, "portrait、landscape、auto のどれか"},
      {RunPrintCommand, {"--margins", "120,25,100,25"}, "印刷できる範囲がありません"},
      {RunPrintDataCommand, {"--columns", "6", "--size", "14"}, "列数を 3 以下にするか"},
      {RunPrintDataCommand, {"--spacing", "x"}, "「--spacing x」は使えません。"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {Sample(), "--out", pdf};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    EXPECT_EQ(Run(c.command, arguments), kExitFailure) << c.says;
    EXPECT_NE(LastMessage().find(c.says), std::string::npos) << LastMessage();
    EXPECT_FALSE(std::filesystem::exists(pdf)) << c.says;
  }
  EXPECT_EQ(Run(RunPrintCommand, {Sample(), "--printer", "KartelaNoSuchQueue"}), kExitFailure);
  EXPECT_NE(LastMessage().find("「KartelaNoSuchQueue」が見つかりません"), std::string::npos);
  EXPECT_EQ(Run(RunPrintCommand, {Sample(), "--out", pdf, "--printer", "X"}), kExitUsage);
  EXPECT_EQ(Run(RunPrintDataCommand, {Sample()}), kExitUsage);
}

}  // namespace
}  // namespace kartela
