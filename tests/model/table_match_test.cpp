#include "model/table_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace kartela {
namespace {

using test::Sjis;

std::vector<std::string> SjisNames(std::initializer_list<const char*> utf8_names) {
  std::vector<std::string> names;
  for (const char* name : utf8_names)
    names.push_back(Sjis(name));
  return names;
}

std::vector<int> LinesOf(const std::vector<TableRow>& rows) {
  std::vector<int> lines;
  for (const TableRow& row : rows)
    lines.push_back(row.line);
  return lines;
}

TEST(TableMatchTest, NamesMatchWhateverTheirWidthBlanksAndPrefectureSuffix) {
  const auto areas = SjisNames({"北海道", "東京都", "京都府", "大阪府", "ニセコ町", "ＡＢＣ市"});
  const struct {
    const char* key;
    int area;  // 0: no area
  } cases[] = {
      {"北海道", 1},   {" 北　海 道 ", 1}, {"東京", 2},   {"東京都", 2}, {"京都", 3},
      {"京都府", 3},   {"大阪", 4},        {"大阪県", 4}, {"ﾆｾｺ町", 5},  {"abc市", 6},
      {"ＡＢＣ市", 6}, {"全国", 0},        {"京", 0},     {"北海", 0},
  };
  for (const auto& c : cases) {
    const TableMatch match = MatchTable(areas, {{7, Sjis(c.key), "1"}}, TableKeyKind::kName);
    EXPECT_EQ(match.matched, c.area == 0 ? 0 : 1) << c.key;
    if (c.area != 0) {
      EXPECT_EQ(match.values[c.area - 1], "1") << c.key;
    }
  }
}

TEST(TableMatchTest, HalfWidthKanaWithVoicingMarksIsOneCharacter) {
  EXPECT_EQ(NormalizeAreaName(Sjis("ｶﾞﾊﾟﾋﾞｳﾞﾂﾞﾎﾟ ｱ")), Sjis("ガパビヴヅポア"));
  EXPECT_EQ(NormalizeAreaName(Sjis("ｱﾞ")), Sjis("ア゛"));
}

TEST(TableMatchTest, CodesAreAreaNumbers) {
  const struct {
    const char* code;
    std::optional<int> number;
  } cases[] = {
      {"1", 1},      {"01", 1},     {"０１", 1}, {" 13 ", 13},   {"01000", 1}, {"47000", 47},
      {"01100", {}}, {"00000", {}}, {"0", {}},   {"123456", {}}, {"1a", {}},   {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AreaNumberOfCode(Sjis(c.code)), c.number) << c.code;
  // A number past the last area names none.
  const TableMatch match =
      MatchTable(SjisNames({"A", "B"}), {{1, "3", "5"}, {2, "02000", "6"}}, TableKeyKind::kCode);
  EXPECT_EQ(match.matched, 1);
  EXPECT_EQ(LinesOf(match.unmatched_rows), std::vector<int>{1});
  EXPECT_EQ(match.values[1], "6");
}

TEST(TableMatchTest, CellsBecomeValuesAsWhenTyped) {
  const struct {
    const char* cell;
    const char* value;
    CellValueFit fit;
  } cases[] = {
      {"1237984", "1237984", CellValueFit::kAsWritten},
      {"1,237,984", "1237984", CellValueFit::kAsWritten},
      {"１，２３７，９８４", "1237984", CellValueFit::kAsWritten},
      {" -12.5 ", "-12.5", CellValueFit::kAsWritten},
      {"12,34", "", CellValueFit::kNotANumber},
      {"-", "", CellValueFit::kNotANumber},
      {"…", "", CellValueFit::kNotANumber},
      {"X", "", CellValueFit::kNotANumber},
      {"***", "", CellValueFit::kNotANumber},
      {"", "", CellValueFit::kNotANumber},
      {"12.345678901234", "12.3456789", CellValueFit::kRounded},
      {"1.000000000000000", "1", CellValueFit::kAsWritten},
      {"0.2500", "0.25", CellValueFit::kAsWritten},
      {"-3.", "-3", CellValueFit::kAsWritten},
      {"-.000", "-0", CellValueFit::kAsWritten},
      {"1200", "1200", CellValueFit::kAsWritten},
      {"１２０．５０", "120.5", CellValueFit::kAsWritten},
      {"123456789.1250", "123456789.1", CellValueFit::kRounded},
      {"12345678901.000", "12345678901", CellValueFit::kAsWritten},
      {"1234567890.56", "1234567891", CellValueFit::kRounded},
      {"123456789012", "", CellValueFit::kTooLong},
  };
  for (const auto& c : cases) {
    const CellValue value = CellToValue(Sjis(c.cell));
    EXPECT_EQ(value.text, c.value) << c.cell;
    EXPECT_EQ(value.fit, c.fit) << c.cell;
  }
}

TEST(TableMatchTest, ReportsEveryRowAndAreaThatWasNotTaken) {
  const auto areas = SjisNames({"青森県", "岩手県", "宮城県", "秋田県"});
  const std::vector<TableRow> rows = {
      {4, Sjis("全国"), "9,999"},   {5, Sjis("秋田"), "4"}, {6, Sjis("宮城県"), "***"},
      {7, Sjis("青森県"), "1,000"}, {8, "", Sjis("注：…")}, {9, Sjis("岩手県"), "-"},
      {10, Sjis("福島県"), "7"},
  };
  const TableMatch match = MatchTable(areas, rows, TableKeyKind::kName);
  EXPECT_TRUE(match.Accepted());
  EXPECT_EQ(match.matched, 4);
  EXPECT_EQ(match.values, (std::vector<std::string>{"1000", "", "", "4"}));
  EXPECT_EQ(LinesOf(match.unmatched_rows), (std::vector<int>{4, 10}));
  EXPECT_EQ(LinesOf(match.emptied_values), (std::vector<int>{6, 9}));
  EXPECT_TRUE(match.areas_without_row.empty());

  const TableMatch partial = MatchTable(areas, {rows[1], rows[3]}, TableKeyKind::kName);
  EXPECT_EQ(partial.areas_without_row, (std::vector<int>{2, 3}));
}

TEST(TableMatchTest, TwoRowsOnOneAreaAreRefusedWithBothNamed) {
  const auto areas = SjisNames({"東京都", "府中市", "府中市"});
  const TableMatch match = MatchTable(
      areas, {{2, Sjis("東京"), "1"}, {3, Sjis("東京都"), "2"}, {4, Sjis("府中市"), "3"}},
      TableKeyKind::kName);
  EXPECT_FALSE(match.Accepted());
  ASSERT_EQ(match.conflicts.size(), 1u);
  EXPECT_EQ(match.conflicts[0].area, 1);
  EXPECT_EQ(match.conflicts[0].first.line, 2);
  EXPECT_EQ(match.conflicts[0].second.line, 3);
  // A name that two areas share is not guessed.
  EXPECT_EQ(LinesOf(match.ambiguous_rows), std::vector<int>{4});

  const TableMatch codes =
      MatchTable(areas, {{5, "01", "1"}, {6, "01000", "2"}}, TableKeyKind::kCode);
  ASSERT_EQ(codes.conflicts.size(), 1u);
  EXPECT_EQ(codes.conflicts[0].second.line, 6);
}

}  // namespace
}  // namespace kartela
