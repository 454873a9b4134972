#include "model/data_clipboard.h"

#include <gtest/gtest.h>

#include "model/test_support.h"

namespace kartela {
namespace {

using test::Sjis;
using Items = std::vector<std::string>;

// --- Copy ---

class DataClipTextTest : public testing::Test {
 protected:
  DataClipTextTest() {
    areas_.AreaNames = {Sjis("北海道"), Sjis("青森"), "Oki"};
    areas_.LongestAreaName = 6;
    data_.DataTitle = Sjis("人口");
    data_.DataValues[0] = "5224614";
    data_.DataValues[2] = "1.5";
  }

  AreaList areas_;
  DataSet data_;
};

TEST_F(DataClipTextTest, TitleOnlyHasTheShapeOfADataFileBody) {
  EXPECT_EQ(DataClipText(areas_, data_, {true, false}), Sjis("人口") + "\n5224614\n\n1.5\n");
  EXPECT_EQ(DataClipText(areas_, data_, {false, false}), "5224614\n\n1.5\n");
}

TEST_F(DataClipTextTest, NamesArePaddedToTheLongestNameBeforeATab) {
  EXPECT_EQ(DataClipText(areas_, data_, {false, true}),
            Sjis("北海道") + "\t5224614\n" + Sjis("青森") + "  \t\nOki   \t1.5\n");
}

// --- Choosing the separator and cutting items ---

TEST(PasteSeparatorTest, CommasMakeASingleLineCommaSeparated) {
  EXPECT_EQ(ChooseSeparator("1,2,3"), PasteSeparator::kComma);
  EXPECT_EQ(ChooseSeparator("1,2,3\r\n"), PasteSeparator::kComma);
  EXPECT_EQ(ChooseSeparator("1,2,3\n"), PasteSeparator::kComma);
  EXPECT_EQ(ChooseSeparator("1\n2\n"), PasteSeparator::kLine);        // no comma
  EXPECT_EQ(ChooseSeparator("1,2\n3"), PasteSeparator::kLine);        // a line end inside
  EXPECT_EQ(ChooseSeparator("1,2\r\n3\r\n"), PasteSeparator::kLine);  // two lines
  EXPECT_EQ(ChooseSeparator("1,2\t\r\n"), PasteSeparator::kLine);     // three control bytes
}

TEST(CutPasteItemsTest, CommaLineWithQuotedComma) {
  EXPECT_EQ(CutPasteItems("1,2,3\r\n", PasteSeparator::kComma), (Items{"1", "2", "3"}));
  EXPECT_EQ(CutPasteItems("\"1,5\",2,,3", PasteSeparator::kComma), (Items{"1,5", "2", "", "3"}));
  // An unclosed quote ends at the line end, which never enters a value.
  EXPECT_EQ(CutPasteItems("1,\"ab\r\n", PasteSeparator::kComma), (Items{"1", "ab"}));
}

TEST(CutPasteItemsTest, TabsAndLineEndsSeparateLines) {
  EXPECT_EQ(CutPasteItems("a\t1\r\nb\t2\r\n", PasteSeparator::kLine), (Items{"a", "1", "b", "2"}));
  EXPECT_EQ(CutPasteItems("\"x,y\"\n", PasteSeparator::kLine), (Items{"\"x,y\""}));
  EXPECT_EQ(CutPasteItems("1\r2", PasteSeparator::kLine), (Items{"1", "2"}));
}

TEST(CutPasteItemsTest, AnEmptyLineIsAnEmptyItemWithEitherLineEnd) {
  const Items expected{"1", "", "2"};
  EXPECT_EQ(CutPasteItems("1\r\n\r\n2\r\n", PasteSeparator::kLine), expected);
  EXPECT_EQ(CutPasteItems("1\n\n2\n", PasteSeparator::kLine), expected);
}

TEST(CutPasteItemsTest, LongRunsAreCutAtACharacterAndGoOnAsTheNextItem) {
  EXPECT_EQ(CutPasteItems(std::string(300, 'a') + "\n1", PasteSeparator::kLine),
            (Items{std::string(255, 'a'), std::string(45, 'a'), "1"}));
  std::string kana;
  for (int i = 0; i < 128; ++i)
    kana += Sjis("あ");
  const Items items = CutPasteItems(kana, PasteSeparator::kLine);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].size(), 254u);
  EXPECT_EQ(items[1], Sjis("あ"));
}

TEST(IsPasteNumberTest, DecimalAndExponentFormsWithLeadingBlanks) {
  for (const char* number : {"12", "  12", "-3.5", ".5", "1.5E3", "2e-4", "+1E+2"})
    EXPECT_TRUE(IsPasteNumber(number)) << number;
  for (const char* other : {"", "12 ", "abc", "1E", "E5", "1,234", "1e2.5", "1.2.3"})
    EXPECT_FALSE(IsPasteNumber(other)) << other;
  EXPECT_FALSE(IsPasteNumber(Sjis("ウ")));  // its trail byte is the letter E
}

// --- Reading a pasted text ---

TEST(ParsePastedTextTest, AHeadingFirstIsTheTitle) {
  const PastedData pasted = ParsePastedText(Sjis("人口\r\n1\r\n 12 ; note\r\n"), 47);
  EXPECT_EQ(pasted.title, Sjis("人口"));
  EXPECT_EQ(pasted.values, (Items{"1", "12"}));

  EXPECT_EQ(ParsePastedText(Sjis("\"人口\"\n5\n"), 47).title, Sjis("人口"));
  EXPECT_EQ(ParsePastedText("\"T,1\",2", 47).title, "T,1");  // comma mode drops quotes itself
}

TEST(ParsePastedTextTest, ANumberFirstMeansNoTitle) {
  const PastedData pasted = ParsePastedText("1.5E3,2,\"3,5\"\r\n", 47);
  EXPECT_FALSE(pasted.title.has_value());
  EXPECT_EQ(pasted.values, (Items{"1.5E3", "2", "3,5"}));
}

TEST(ParsePastedTextTest, NumbersInFullWidthOrWithSeparatorsArePastedInAsciiBeforeTheLimit) {
  // A column from a formatted spreadsheet, or typed with an input method: the
  // first cell is a value, and each value fits the limit once in ASCII.
  const PastedData column =
      ParsePastedText(Sjis("１，２３７，９８４\n12,345,678.5\n５２２４６１４\n1,23\n"), 4);
  EXPECT_FALSE(column.title.has_value());
  EXPECT_EQ(column.values, (Items{"1237984", "12345678.5", "5224614", "1,23"}));
  EXPECT_FALSE(OverlongPastedValue(column, 1, 4));
  // A heading stays as it is.
  EXPECT_EQ(ParsePastedText(Sjis("２０２０年\n1\n"), 1).title, Sjis("２０２０年"));
}

TEST(ParsePastedTextTest, AnEmptyFirstCellIsATitleOnlyWhenTheAreasCannotHoldEveryItem) {
  struct Case {
    std::string_view text;
    int area_count;
    std::optional<std::string> title;
    Items values;
  };
  const Case cases[] = {
      {"\n5\n6\n", 3, std::nullopt, {"", "5", "6"}},  // a column whose first cell is empty
      {"\r\n5\r\n6\r\n", 4, std::nullopt, {"", "5", "6"}},
      {",5,6", 3, std::nullopt, {"", "5", "6"}},
      {"\n5\n6\n", 2, "", {"5", "6"}},  // one line more than areas: the title row
      {"\n", 0, "", {}},
  };
  for (const Case& c : cases) {
    const PastedData pasted = ParsePastedText(c.text, c.area_count);
    EXPECT_EQ(pasted.title, c.title) << c.text << " / " << c.area_count;
    EXPECT_EQ(pasted.values, c.values) << c.text << " / " << c.area_count;
  }
}

TEST(ParsePastedTextTest, ATextEndsAtANul) {
  EXPECT_EQ(ParsePastedText(std::string("1\n2\0\n3", 6), 47).values, (Items{"1", "2"}));
  EXPECT_EQ(ParsePastedText("", 47).values, Items{});
}

// --- Storing ---

TEST(StorePastedDataTest, StopsAtTheLastAreaAndMarksTheData) {
  DataSet data;
  data.DataValues[0] = "keep";
  const PastedData pasted{Sjis("題"), {"1", "2", "3"}};
  EXPECT_FALSE(OverlongPastedValue(pasted, 2, 3));
  StorePastedData(pasted, 2, 3, data);
  EXPECT_EQ(data.DataTitle, Sjis("題"));
  EXPECT_EQ(data.DataValues[0], "keep");
  EXPECT_EQ(data.DataValues[1], "1");
  EXPECT_EQ(data.DataValues[2], "2");
  EXPECT_EQ(data.DataValues[3], "");
  EXPECT_TRUE(data.DataModified);

  DataSet unchanged;
  StorePastedData(PastedData{}, 1, 3, unchanged);
  EXPECT_TRUE(unchanged.DataModified);
}

TEST(StorePastedDataTest, OnlyValuesThatWouldBeStoredMustFit) {
  const PastedData pasted{std::nullopt, {"1", "123456789012", "2"}};
  EXPECT_FALSE(OverlongPastedValue(pasted, 1, 1));
  EXPECT_FALSE(OverlongPastedValue(pasted, 3, 3));
  EXPECT_EQ(OverlongPastedValue(pasted, 1, 2), "123456789012");
  EXPECT_FALSE(OverlongPastedValue(PastedData{std::nullopt, {"12345678901"}}, 1, 1));
}

// --- Conversion at the clipboard ---

TEST(ClipboardConversionTest, PastedTextMustFitShiftJis) {
  EXPECT_EQ(PastedTextToSjis("人口①\n1").text, Sjis("人口①") + "\n1");
  const PastedSjisText refused = PastedTextToSjis("1\n한국\n😀");
  EXPECT_FALSE(refused.text);
  EXPECT_EQ(refused.refused, "한");
}

TEST(ClipboardConversionTest, CopiedTextNamesTheLineItCannotConvert) {
  EXPECT_EQ(CopiedTextToUtf8(Sjis("人口") + "\n1\n").text, "人口\n1\n");
  const CopiedUtf8Text refused = CopiedTextToUtf8("t\n1\n\x85\x40\n2\n");
  EXPECT_FALSE(refused.text);
  EXPECT_EQ(refused.refused_line, 3u);
}

}  // namespace
}  // namespace kartela
