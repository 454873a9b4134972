#include "output/data_list_print.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <array>
#include <filesystem>
#include <string>

#include "base/text_encoding.h"
#include "model/test_support.h"
#include "output/data_list_layout.h"
#include "output/sample_map.h"

namespace kartela::output {
namespace {

// At 254 dots per inch a millimetre is ten pixels and 10 points are 35
// pixels; with margins 20/20/25/25 the page below leaves 900 x 1300 pixels:
// three columns of 300, and with the pitch 63 (spacing 1.8) twenty rows under
// the title line.
DataListRequest Request(int areas) {
  DataListRequest request;
  request.dots_per_inch = 254;
  request.page_width = 1300;
  request.page_height = 1800;
  request.margin_left = 20;
  request.margin_right = 20;
  request.margin_top = 25;
  request.margin_bottom = 25;
  request.columns = 3;
  request.line_spacing = 1.8;
  request.font_size = 10;
  request.area_count = areas;
  request.item_length = 8;
  return request;
}

// Areas per column on `page`, in column order.
std::vector<int> ColumnCounts(const DataListLayout& layout, int page) {
  std::vector<int> counts(static_cast<std::size_t>(layout.columns));
  for (const AreaLine& line : LinesOnPage(layout, page))
    ++counts[static_cast<std::size_t>((line.x - layout.left) / layout.column_width)];
  return counts;
}

TEST(DataListLayoutTest, MeasuresFollowThePrinterAndTheChoices) {
  const struct {
    double spacing;
    int pitch;
    int rows;
  } cases[] = {
      {1.8, 63, 20},   // the default
      {1.0, 35, 36},   // the pitch is the font height
      {1.84, 63, 20},  // taken to one decimal
      {1.25, 42, 30},  // a half tenth goes to the even tenth
  };
  for (const auto& c : cases) {
    DataListRequest request = Request(47);
    request.line_spacing = c.spacing;
    const DataListPlan plan = PlanDataList(request);
    ASSERT_TRUE(plan.ok()) << c.spacing;
    EXPECT_EQ(plan.layout.left, 200);
    EXPECT_EQ(plan.layout.top, 250);
    EXPECT_EQ(plan.layout.font_height, 35);
    EXPECT_EQ(plan.layout.column_width, 300);
    EXPECT_EQ(plan.layout.value_offset, 9 * 17);
    EXPECT_EQ(plan.layout.pitch, c.pitch) << c.spacing;
    EXPECT_EQ(plan.layout.rows, c.rows) << c.spacing;
  }
}

TEST(DataListLayoutTest, AreasRunDownTheColumnsAndTheLastPageSpreadsTheRest) {
  const struct {
    int areas;
    int pages;
    std::vector<std::vector<int>> columns_per_page;
  } cases[] = {
      {47, 1, {{16, 16, 15}}},  // one page: 16 + 16 + 15
      {60, 1, {{20, 20, 20}}},  // exactly full
      {130, 3, {{20, 20, 20}, {20, 20, 20}, {4, 4, 2}}},
      {2, 1, {{1, 1, 0}}},
      {0, 1, {{0, 0, 0}}},  // the title alone still has its page
  };
  for (const auto& c : cases) {
    const DataListPlan plan = PlanDataList(Request(c.areas));
    ASSERT_TRUE(plan.ok());
    ASSERT_EQ(plan.layout.pages, c.pages) << c.areas;
    for (int page = 1; page <= c.pages; ++page) {
      EXPECT_EQ(ColumnCounts(plan.layout, page), c.columns_per_page[page - 1])
          << c.areas << " areas, page " << page;
    }
  }
  // Area 47 is the 15th of the third column; the first area is one pitch
  // below the top margin, whatever the title.
  const DataListLayout layout = PlanDataList(Request(47)).layout;
  const std::vector<AreaLine> lines = LinesOnPage(layout, 1);
  EXPECT_EQ(lines.front().x, 200);
  EXPECT_EQ(lines.front().y, 250 + 63);
  EXPECT_EQ(lines.back().area, 46);
  EXPECT_EQ(lines.back().x, 200 + 2 * 300);
  EXPECT_EQ(lines.back().y, 250 + 63 + 14 * 63);
}

TEST(DataListLayoutTest, RefusesWhatCannotBeLaidOut) {
  const struct {
    const char* what;
    void (*change)(DataListRequest&);
  } cases[] = {
      {"no column", [](DataListRequest& r) { r.columns = 0; }},
      {"negative columns", [](DataListRequest& r) { r.columns = -2; }},
      {"no room below the title", [](DataListRequest& r) { r.page_height = 560; }},
      {"margins past the page", [](DataListRequest& r) { r.margin_top = 200; }},
      {"spacing 0", [](DataListRequest& r) { r.line_spacing = 0; }},
      {"negative spacing", [](DataListRequest& r) { r.line_spacing = -1.8; }},
      {"huge spacing", [](DataListRequest& r) { r.line_spacing = 1e300; }},
      {"size 0", [](DataListRequest& r) { r.font_size = 0; }},
  };
  for (const auto& c : cases) {
    DataListRequest request = Request(47);
    c.change(request);
    EXPECT_FALSE(PlanDataList(request).ok()) << c.what;
  }
  DataListRequest one_row = Request(47);
  one_row.page_height = 500 + 63 + 63;  // the title line and one row
  EXPECT_EQ(PlanDataList(one_row).layout.rows, 1);
}

// --- printed to PDF ----------------------------------------------------------

class DataListPrintTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadSamplePaintMap(workspace_));
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(pdf_.string()));
    printer_.setPageSize(QPageSize(QPageSize::A4));
  }

  std::string Text(int page) const {
    QProcess process;
    process.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page),
                                QString::fromStdString(pdf_.string()), "-"});
    process.waitForFinished();
    return process.readAllStandardOutput().toStdString();
  }

  DataListLayout Layout() const {
    return PlanDataList(DataListRequestFor(printer_, workspace_, font_)).layout;
  }

  int Pages() const {
    QProcess process;
    process.start("pdfinfo", {QString::fromStdString(pdf_.string())});
    process.waitForFinished();
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& line : info.split('\n')) {
      if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    }
    return 0;
  }

  Workspace workspace_;
  test::ScratchDir dir_;
  std::filesystem::path pdf_ = dir_.path() / "list.pdf";
  QPrinter printer_{QPrinter::HighResolution};
  DataListFont font_{std::string(kDefaultFaceName), 10};
};

TEST_F(DataListPrintTest, CopiesRepeatEveryPageWithTheTitleOnTheFirst) {
  // 47 prefectures in one column of 16 rows a page: three pages a copy.
  workspace_.print.DataColumns = 1;
  workspace_.print.Copies = 2;
  while (Layout().rows > 16)
    ++workspace_.print.MarginBottom;
  ASSERT_EQ(Layout().rows, 16);
  ASSERT_EQ(Layout().pages, 3);
  workspace_.data.DataTitle = test::Sjis("都道府県別人口");
  int asked = 0;
  const Status result = PrintDataList(printer_, workspace_, font_, [&asked] {
    ++asked;
    return false;
  });
  ASSERT_TRUE(result.ok()) << result.detail();
  EXPECT_EQ(asked, 6);
  ASSERT_EQ(Pages(), 6);
  const std::string value_1 = workspace_.data.DataValues[0];
  for (int page = 1; page <= 6; ++page) {
    const std::string text = Text(page);
    EXPECT_EQ(text.find("都道府県別人口") != std::string::npos, page == 1 || page == 4) << page;
  }
  // Areas 1, 17 and 47 with their values, on the first, second and third page.
  const std::array<std::pair<int, int>, 3> placed = {{{0, 1}, {16, 2}, {46, 3}}};
  for (const auto& [area, page] : placed) {
    const std::string text = Text(page + 3);
    EXPECT_NE(text.find(sjis::ToUtf8Lossy(workspace_.area_list.AreaNames[area])), std::string::npos)
        << area;
    EXPECT_NE(text.find(workspace_.data.DataValues[area]), std::string::npos) << area;
  }
}

TEST_F(DataListPrintTest, AbortStopsAtThePageAndRefusalsSendNothing) {
  int asked = 0;
  workspace_.print.Copies = 3;
  const Status aborted =
      PrintDataList(printer_, workspace_, font_, [&asked] { return ++asked == 2; });
  EXPECT_EQ(aborted.code(), StatusCode::kCancelled);
  EXPECT_EQ(asked, 2);

  std::filesystem::remove(pdf_);
  const struct {
    const char* what;
    void (*change)(PrintSettings&);
  } refused[] = {
      {"no column", [](PrintSettings& p) { p.DataColumns = 0; }},
      {"no copy", [](PrintSettings& p) { p.Copies = 0; }},
      {"no room", [](PrintSettings& p) { p.MarginTop = 290; }},
  };
  const PrintSettings chosen = workspace_.print;
  for (const auto& c : refused) {
    workspace_.print = chosen;
    c.change(workspace_.print);
    const Status result = PrintDataList(printer_, workspace_, font_, [] { return false; });
    EXPECT_EQ(result.code(), StatusCode::kRefused) << c.what;
    EXPECT_FALSE(result.detail().empty()) << c.what;
    EXPECT_FALSE(std::filesystem::exists(pdf_)) << c.what;
  }
}

}  // namespace
}  // namespace kartela::output
