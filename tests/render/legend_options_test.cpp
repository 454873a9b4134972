// The legend options through the paint routine and the text copy: the map
// of three areas with one value below 10,000, one between 10,000 and
// 2,000,000 and one area without a value.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"
#include "model/test_support.h"
#include "render/legend.h"
#include "render/legend_clip_text.h"
#include "render/map_painter.h"
#include "render_test_support.h"

namespace kartela {
namespace {

using test::Sjis;
using test::TestPaint;
using Texts = std::vector<std::string>;

void SetUpMap(Workspace& ws, bool with_missing) {
  test::SetUpPaintMap(ws);
  ClassTables& tables = ws.class_tables;
  tables.ValueWidth = 7;
  tables.ClassBreaks[0] = "10000";
  tables.ClassBreaks[1] = "2000000";
  tables.NumericValues[0] = 1234;
  tables.NumericValues[1] = 15000;
  tables.NumericValues[2] = with_missing ? kMissingValue : 3000000;
}

// The texts the legend draws (after the title), each Shift-JIS text as UTF-8.
Texts LegendTextsOf(const Workspace& ws) {
  TestPaint paint(ws);
  PaintMap(ws, paint.resources, paint.dc, paint.params);
  Texts texts;
  const auto strings = paint.dc.TextStrings();
  for (std::size_t i = 1; i < strings.size(); ++i)
    texts.push_back(sjis::ToUtf8Lossy(strings[i]));
  return texts;
}

// The polygons the paint map draws, the legend's boxes last, with `options`.
std::vector<gdi::RecordedCall> PolygonsWithOptions(std::uint8_t options) {
  Workspace ws;
  SetUpMap(ws, true);
  ws.settings.LegendOptions = options;
  TestPaint paint(ws);
  PaintMap(ws, paint.resources, paint.dc, paint.params);
  return paint.dc.Polygons();
}

TEST(LegendOptionsTest, RowsWithEachOption) {
  struct Case {
    const char* name;
    std::uint8_t options;
    std::int16_t style;
    std::int16_t method;
    bool missing;
    const char* expected;
  };
  // The texts in drawing order, separated by "|".
  constexpr const char* kPlain = " | ～| 10000| 10000| ～| 2000000| 2000000| ～| ";
  const Case cases[] = {
      {"no option", 0, 1, 1, true, kPlain},
      {"thousands", kLegendThousands, 1, 1, true,
       " | ～| 10,000| 10,000| ～| 2,000,000| 2,000,000| ～| "},
      {"words, method 1", kLegendBoundWords, 1, 1, true,
       " | | 10000未満| 10000以上| | 2000000未満| 2000000以上| | "},
      {"words, method 2", kLegendBoundWords, 1, 2, true,
       " | | 10000以下| 10000超| | 2000000以下| 2000000超| | "},
      {"words, adjusted, method 1", kLegendBoundWords, 5, 1, true,
       " | |   9999以下| 10000以上| | 1999999以下| 2000000以上| | "},
      {"counts and missing row, descending", kLegendCounts | kLegendMissingRow, 2, 1, true,
       " 2000000| ～| |（0）| 10000| ～| 2000000|（1）| | ～| 10000|（1）|データなし（1）"},
      {"missing row without missing values", kLegendMissingRow, 1, 1, false, kPlain},
  };
  for (const Case& c : cases) {
    Workspace ws;
    SetUpMap(ws, c.missing);
    ws.settings.LegendOptions = c.options;
    ws.settings.LegendStyle = c.style;
    ws.class_tables.DivisionMethod = c.method;
    // The rows, "|" between them (std::views::split does not build with
    // clang 14 on this standard library).
    Texts expected;
    std::string_view rest(c.expected);
    for (std::size_t bar; (bar = rest.find('|')) != std::string_view::npos;
         rest.remove_prefix(bar + 1))
      expected.emplace_back(rest.substr(0, bar));
    expected.emplace_back(rest);
    EXPECT_EQ(LegendTextsOf(ws), expected) << c.name;
  }
}

// The missing-data row has the hollow brush the map leaves such areas with,
// in the box below the last class.
TEST(LegendOptionsTest, MissingRowBoxIsHollowBelowTheClasses) {
  const auto polygons = PolygonsWithOptions(kLegendMissingRow);
  ASSERT_GE(polygons.size(), 4u);
  const auto& last_class = polygons[polygons.size() - 2];
  const auto& missing = polygons.back();
  EXPECT_EQ(missing.state.brush, Brushes()[kHollowBrush]);
  EXPECT_EQ(missing.points[0].x, last_class.points[0].x);
  EXPECT_EQ(missing.points[0].y - last_class.points[0].y, 14);  // one row step
}

// The counts make the legend wider; it moves left by as much, so that its
// right edge stays where the plain legend's was (the recorder measures 6
// pixels a byte: "（1）" is 30).
TEST(LegendOptionsTest, WiderLegendKeepsThePlainRightEdge) {
  const auto first_box_left = [](std::uint8_t options) {
    const auto polygons = PolygonsWithOptions(options);
    const std::size_t rows = options == 0 ? 3 : 4;
    return polygons[polygons.size() - rows].points[0].x;
  };
  EXPECT_EQ(first_box_left(kLegendCounts | kLegendMissingRow), first_box_left(0) - 30);
}

TEST(LegendOptionsTest, TextCopyCarriesTheOptions) {
  struct Case {
    const char* name;
    std::uint8_t options;
    const char* expected;  // UTF-8, lines ended by LF
  };
  const Case cases[] = {
      {"no option", 0, "\n         ～ 10000\n 10000 ～ 2000000\n 2000000 ～        \n"},
      {"all options", kLegendOptionMask,
       "\n                10,000未満（1）\n 10,000以上  2,000,000未満（1）\n"
       " 2,000,000以上               （0）\nデータなし（1）\n"},
  };
  for (const Case& c : cases) {
    Workspace ws;
    SetUpMap(ws, true);
    ws.data.DataTitle.clear();
    ws.settings.LegendOptions = c.options;
    std::string text = sjis::ToUtf8Lossy(LegendClipText(ws));
    std::erase(text, '\r');
    EXPECT_EQ(text, c.expected) << c.name;
  }
}

TEST(LegendOptionsTest, ThousandsGroupOnlyTheWholePart) {
  const std::pair<const char*, const char*> cases[] = {
      {" 1234567.891", " 1,234,567.891"},
      {"-1234", "-1,234"},
      {" 999", " 999"},
      {" .12345", " .12345"},
      {" ", " "},
      {" 100000", " 100,000"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(WithThousands(text), expected) << text;
}

}  // namespace
}  // namespace kartela
