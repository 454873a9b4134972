#include "output/data_list_print.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "base/text_encoding.h"
#include "model/test_support.h"
#include "output/data_list_layout.h"
#include "output/map_print.h"
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
  request.name_width = 140;   // four full-width characters
  request.value_width = 105;  // six digits
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
    EXPECT_EQ(plan.layout.value_right, 300 - 35);
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

// A word of a PDF page as poppler reads it, in points from the top left.
struct Word {
  int page = 0;
  QRectF box;
  std::string text;
};

// The words of every page of `pdf`, from pdftotext -bbox-layout.
std::vector<Word> WordsOf(const std::filesystem::path& pdf) {
  QProcess process;
  process.start("pdftotext", {"-bbox-layout", QString::fromStdString(pdf.string()), "-"});
  process.waitForFinished();
  const QString xhtml = QString::fromUtf8(process.readAllStandardOutput());
  static const QRegularExpression tag(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<Word> words;
  int page = 0;
  for (auto match = tag.globalMatch(xhtml); match.hasNext();) {
    const QRegularExpressionMatch m = match.next();
    if (m.captured(0).startsWith("<page")) {
      ++page;
      continue;
    }
    words.push_back({page,
                     QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                     m.captured(5).toStdString()});
  }
  return words;
}

// The number after `prefix` in `text`, 0 without one.
int NumberAfter(const std::string& text, const std::string& prefix) {
  const std::size_t at = text.find(prefix);
  return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + prefix.size());
}

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

  DataListLayout Layout() {
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

// The sample list at every column count from 1 to 4 and every size from 8 to
// 14 points, read back from the PDF: each value a word of its own, no two
// words overlapping, every word inside the margins. A choice whose names and
// values cannot share a column is refused before printing with a proposal,
// which then prints cleanly.
TEST_F(DataListPrintTest, WordsStayApartAndInsideTheMarginsAtEveryColumnCountAndSize) {
  constexpr double kPointsPerMm = 72 / 25.4;
  constexpr double kSlack = 0.5;  // points
  const QRectF inside(
      QPointF(20 * kPointsPerMm - kSlack, 25 * kPointsPerMm - kSlack),
      QPointF((210 - 20) * kPointsPerMm + kSlack, (297 - 25) * kPointsPerMm + kSlack));
  const int areas = workspace_.area_list.AreaCount();
  int refused = 0;
  for (int columns = 1; columns <= 4; ++columns) {
    for (int size = 8; size <= 14; ++size) {
      const std::string what =
          std::to_string(columns) + " columns, " + std::to_string(size) + " points";
      workspace_.print.DataColumns = columns;
      font_.size = size;
      Status printed = PrintDataList(printer_, workspace_, font_, [] { return false; });
      if (printed.code() == StatusCode::kRefused) {
        ++refused;
        EXPECT_FALSE(std::filesystem::exists(pdf_)) << what;
        const int fewer = NumberAfter(printed.detail(), "列数を ");
        const int smaller = NumberAfter(printed.detail(), "サイズを ");
        ASSERT_TRUE(fewer > 0 || smaller > 0) << what << ": " << printed.detail();
        if (fewer > 0) {
          EXPECT_LT(fewer, columns) << what;
          workspace_.print.DataColumns = fewer;
        } else {
          EXPECT_LT(smaller, size) << what;
          font_.size = smaller;
        }
        printed = PrintDataList(printer_, workspace_, font_, [] { return false; });
      }
      ASSERT_TRUE(printed.ok()) << what << ": " << printed.detail();
      const std::vector<Word> words = WordsOf(pdf_);
      std::filesystem::remove(pdf_);
      int values = 0;
      for (const Word& word : words)
        values += std::find(workspace_.data.DataValues.begin(),
                            workspace_.data.DataValues.begin() + areas,
                            word.text) != workspace_.data.DataValues.begin() + areas;
      EXPECT_EQ(values, areas) << what << ": every value whole and on its own";
      for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_TRUE(inside.contains(words[i].box)) << what << ": " << words[i].text;
        for (std::size_t j = i + 1; j < words.size(); ++j) {
          const QRectF both = words[i].box.intersected(words[j].box);
          EXPECT_FALSE(words[i].page == words[j].page && both.width() > kSlack &&
                       both.height() > kSlack)
              << what << ": " << words[i].text << " over " << words[j].text;
        }
      }
    }
  }
  EXPECT_GT(refused, 0) << "the widest choices do not fit A4";
}

// The list is laid out on the whole sheet from the paper's edge, whatever
// mode a map print left the shared printer in.
TEST_F(DataListPrintTest, TheListLandsInThePlaceAMapPrintBeforeDoesNotMove) {
  printer_.setFullPage(false);
  const DataListLayout before = Layout();
  ASSERT_TRUE(PrintMap(workspace_, PrinterSettings{}, printer_, [] { return false; }).status.ok());
  const DataListLayout after = Layout();
  EXPECT_EQ(std::tie(before.left, before.top, before.rows, before.column_width),
            std::tie(after.left, after.top, after.rows, after.column_width));
  EXPECT_EQ(before.left, 236) << "20 mm at 300 dots per inch";
}

TEST_F(DataListPrintTest, AbortStopsAtThePageAndRefusalsSendNothing) {
  int asked = 0;
  workspace_.print.Copies = 3;
  const Status aborted =
      PrintDataList(printer_, workspace_, font_, [&asked] { return ++asked == 2; });
  EXPECT_EQ(aborted.code(), StatusCode::kCancelled);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(std::filesystem::exists(pdf_)) << "an aborted job sends nothing";

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
