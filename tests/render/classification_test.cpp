#include "render/classification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/real48.h"

namespace kartela {
namespace {

using Texts = std::vector<std::string>;

// Area n holds values[n - 1].
DataSet WithValues(const Texts& values) {
  DataSet data;
  for (std::size_t i = 0; i < values.size(); ++i)
    data.DataValues[i] = values[i];
  return data;
}

Texts ProposedBreaks(const ClassTables& tables) {
  return Texts(tables.ProposedBreaks.begin(), tables.ProposedBreaks.begin() + 7);
}

class ComputeDataStatisticsTest : public testing::Test {
 protected:
  ValueSyntaxResult Compute(const Texts& values, int class_count) {
    return ComputeDataStatistics(WithValues(values), static_cast<int>(values.size()), class_count,
                                 tables_);
  }

  std::vector<double> Numbers(std::size_t count) const {
    return std::vector<double>(tables_.NumericValues.begin(),
                               tables_.NumericValues.begin() + static_cast<long>(count));
  }

  ClassTables tables_;
};

TEST_F(ComputeDataStatisticsTest, TenValuesInFiveClasses) {
  tables_.ProposedBreaks[7] = "kept";
  const Texts values = {"7", "3", "10", "1", "9", "5", "2", "8", "4", "6"};
  ASSERT_EQ(Compute(values, 5), ValueSyntaxResult::kOk);

  EXPECT_EQ(tables_.IntWidth, 2);
  EXPECT_EQ(tables_.DecimalDigits, 0);
  EXPECT_EQ(tables_.ValueWidth, 3);
  EXPECT_EQ(Texts(tables_.DataStats.begin(), tables_.DataStats.end()),
            Texts({"10", " 55", " 10", "  1", "  5", "5.50", "9.17", "3.03", "0"}));
  EXPECT_EQ(Texts(tables_.DecileTexts.begin(), tables_.DecileTexts.end()),
            Texts({"  1", "  2", "  3", "  4", "  5", "  6", "  7", "  8", "  9"}));
  EXPECT_EQ(ProposedBreaks(tables_), Texts({"  3", "  5", "  7", "  9", "", "", ""}));
  EXPECT_EQ(tables_.ProposedBreaks[7], "kept");
  EXPECT_EQ(tables_.DataMin, 1);
  EXPECT_EQ(tables_.DataMax, 10);
  // The sort works on a copy: the numbers stay in area order.
  EXPECT_EQ(Numbers(10), std::vector<double>({7, 3, 10, 1, 9, 5, 2, 8, 4, 6}));
}

TEST_F(ComputeDataStatisticsTest, BoundaryQuotientIsRoundedInExtendedPrecision) {
  Texts values;
  for (int v = 18; v >= 1; --v)
    values.push_back(std::to_string(v));
  ASSERT_EQ(Compute(values, 6), ValueSyntaxResult::kOk);
  // Boundary 5: 18 / (6 / 5) is just below 15 in extended precision, so the
  // 15th value is proposed; double or exact arithmetic would give the 16th.
  EXPECT_EQ(ProposedBreaks(tables_), Texts({"  4", "  7", " 10", " 13", " 15", "", ""}));
  EXPECT_EQ(Texts(tables_.DecileTexts.begin(), tables_.DecileTexts.end()),
            Texts({"  1", "  3", "  5", "  7", "  9", " 10", " 12", " 14", " 16"}));
}

TEST_F(ComputeDataStatisticsTest, WidthsComeFromTheValueTexts) {
  ASSERT_EQ(Compute({"12.5", "3"}, 5), ValueSyntaxResult::kOk);
  EXPECT_EQ(tables_.IntWidth, 2);
  EXPECT_EQ(tables_.DecimalDigits, 1);
  EXPECT_EQ(tables_.ValueWidth, 4);
  EXPECT_EQ(tables_.DataStats[kStatMinimum], " 3.0");
  EXPECT_EQ(tables_.DataStats[kStatTotal], "15.5");
  EXPECT_EQ(tables_.DataStats[kStatMean], "7.750");

  // Leading blanks and the sign count as characters before the point.
  ASSERT_EQ(Compute({" -7", "1.25", "no.way"}, 5), ValueSyntaxResult::kOk);
  EXPECT_EQ(tables_.IntWidth, 3);
  EXPECT_EQ(tables_.DecimalDigits, 2);
  EXPECT_EQ(tables_.ValueWidth, 6);
  EXPECT_EQ(tables_.DataStats[kStatMinimum], " -7.00");
}

TEST_F(ComputeDataStatisticsTest, InvalidTextsNeverBecomePercentilesOrBoundaries) {
  ASSERT_EQ(Compute({"abc", "4", "", "2", "1 ", "3", "1"}, 5), ValueSyntaxResult::kOk);
  EXPECT_EQ(tables_.DataStats[kStatValidCount], "4");
  EXPECT_EQ(tables_.DataStats[kStatInvalidCount], "3");
  EXPECT_EQ(tables_.DataStats[kStatMedian], " 2");
  EXPECT_EQ(tables_.DataStats[kStatMinimum], " 1");
  // Deciles below the first valid value show the minimum.
  EXPECT_EQ(Texts(tables_.DecileTexts.begin(), tables_.DecileTexts.end()),
            Texts({" 1", " 1", " 1", " 1", " 2", " 2", " 2", " 3", " 3"}));
  EXPECT_EQ(ProposedBreaks(tables_), Texts({" 1", " 2", " 3", " 4", "", "", ""}));
}

TEST_F(ComputeDataStatisticsTest, ExponentLetterStopsAtOnce) {
  tables_.NumericValues[3] = 99;
  tables_.ProposedBreaks[0] = "old";
  ASSERT_EQ(Compute({"1", "2", "x", "1e3"}, 5), ValueSyntaxResult::kExponentNotation);
  EXPECT_EQ(Numbers(4), std::vector<double>({1, 2, kMissingValue, 99}));
  EXPECT_EQ(tables_.ProposedBreaks[0], "old");
}

TEST_F(ComputeDataStatisticsTest, NoValidValue) {
  tables_.NumericValues[0] = 5;
  ASSERT_EQ(Compute({"", "x", "-"}, 5), ValueSyntaxResult::kNoData);
  EXPECT_EQ(Numbers(3), std::vector<double>(3, kMissingValue));
}

TEST_F(ComputeDataStatisticsTest, SingleValidValueStillSetsRangeAndWidth) {
  tables_.DataMax = 1000;
  ASSERT_EQ(Compute({"", "5.25", "x"}, 5), ValueSyntaxResult::kTooFewData);
  EXPECT_EQ(Numbers(3), std::vector<double>({kMissingValue, 5.25, kMissingValue}));
  EXPECT_EQ(tables_.DataMin, 5.25);
  EXPECT_EQ(tables_.DataMax, 5.25);
  EXPECT_EQ(tables_.ValueWidth, 4);
}

TEST_F(ComputeDataStatisticsTest, ClassCountOutsideTheRangeIsClamped) {
  const Texts values = {"1", "2", "3", "4"};
  ASSERT_EQ(Compute(values, 0), ValueSyntaxResult::kOk);
  EXPECT_EQ(ProposedBreaks(tables_), Texts({" 3", "", "", "", "", "", ""}));
  ASSERT_EQ(Compute(values, 8), ValueSyntaxResult::kOk);
  const Texts eight_classes = ProposedBreaks(tables_);
  tables_.ProposedBreaks[7] = "kept";
  ASSERT_EQ(Compute(values, 12), ValueSyntaxResult::kOk);
  EXPECT_EQ(ProposedBreaks(tables_), eight_classes);
  EXPECT_EQ(tables_.ProposedBreaks[7], "kept");
}

TEST(ConvertDataValuesTest, CountsInvalidAndSetsTheRange) {
  ClassTables tables;
  const DataSet data = WithValues({"-2.5", "", "7", "1e3", "3"});
  EXPECT_EQ(ConvertDataValues(data, 5, tables), 2);
  EXPECT_EQ(tables.DataMin, -2.5);
  EXPECT_EQ(tables.DataMax, 7);
  EXPECT_EQ(tables.NumericValues[3], kMissingValue);
  EXPECT_EQ(tables.NumericValues[1], kMissingValue);
  // 0.1 is stored at 48-bit precision.
  EXPECT_EQ(ConvertDataValues(WithValues({"0.1"}), 1, tables), 0);
  EXPECT_EQ(tables.NumericValues[0], RoundToReal48(0.1L));
}

BreakTexts Breaks(const Texts& texts) {
  BreakTexts breaks;
  std::copy(texts.begin(), texts.end(), breaks.begin());
  return breaks;
}

TEST(BuildClassThresholdsTest, LeadingConvertingBoundariesMakeTheClasses) {
  BreakTexts breaks = Breaks({"10", "20", "", "", "", "", "", "stale"});
  PaintClasses classes = BuildClassThresholds(breaks);
  EXPECT_EQ(classes.EffectiveClassCount, 3);
  EXPECT_EQ(classes.ClassThresholds[1], 10);
  EXPECT_EQ(classes.ClassThresholds[2], 20);
  EXPECT_LT(classes.ClassThresholds[0], -1e38);
  EXPECT_GT(classes.ClassThresholds[3], 1e38);

  // The first boundary that does not convert ends the list.
  breaks = Breaks({" 10", "20 ", "30"});
  EXPECT_EQ(BuildClassThresholds(breaks).EffectiveClassCount, 2);

  breaks = Breaks({"1", "2", "3", "4", "5", "6", "7", "8"});
  classes = BuildClassThresholds(breaks);
  EXPECT_EQ(classes.EffectiveClassCount, 8);
  EXPECT_GT(classes.ClassThresholds[8], 1e38);
}

TEST(ClassOfValueTest, BoundaryBelongsToTheSideOfTheDivisionMethod) {
  BreakTexts breaks = Breaks({"3", "5", "7", "9"});
  const PaintClasses classes = BuildClassThresholds(breaks);
  EXPECT_EQ(ClassOfValue(5, classes, 1), 2);
  EXPECT_EQ(ClassOfValue(5, classes, 2), 1);
  EXPECT_EQ(ClassOfValue(4.9, classes, 1), 1);
  EXPECT_EQ(ClassOfValue(-100, classes, 2), 0);
  EXPECT_EQ(ClassOfValue(9, classes, 1), 4);
  EXPECT_EQ(ClassOfValue(9, classes, 2), 3);
  EXPECT_EQ(ClassOfValue(kMissingValue, classes, 1), std::nullopt);
  EXPECT_EQ(ClassOfValue(kMissingValue, classes, 2), std::nullopt);
}

TEST(ClassOfValueTest, NoBoundaryMakesOneClass) {
  BreakTexts breaks;
  const PaintClasses classes = BuildClassThresholds(breaks);
  EXPECT_EQ(classes.EffectiveClassCount, 1);
  EXPECT_EQ(ClassOfValue(-99999999999.0, classes, 1), 0);
  EXPECT_EQ(ClassOfValue(99999999999.0, classes, 2), 0);
}

TEST(ClassOfValueTest, UnorderedBoundariesTakeTheFirstClassThatFits) {
  BreakTexts breaks = Breaks({"20", "10"});
  const PaintClasses classes = BuildClassThresholds(breaks);
  for (const int method : {1, 2}) {
    EXPECT_EQ(ClassOfValue(5, classes, method), 0);
    EXPECT_EQ(ClassOfValue(15, classes, method), 0);
    EXPECT_EQ(ClassOfValue(25, classes, method), 2);
    // Beyond the outer thresholds there is no class.
    EXPECT_EQ(ClassOfValue(kReal48Max, classes, method), std::nullopt);
  }
}

TEST(ClassOfValueTest, ClassCountOutsideTheTableIsClamped) {
  BreakTexts breaks = Breaks({"1", "2", "3", "4", "5", "6", "7"});
  PaintClasses classes = BuildClassThresholds(breaks);
  classes.EffectiveClassCount = 50;
  EXPECT_EQ(ClassOfValue(100, classes, 1), 7);
  classes.EffectiveClassCount = -3;
  EXPECT_EQ(ClassOfValue(0, classes, 1), 0);
  EXPECT_EQ(ClassOfValue(100, classes, 1), std::nullopt);
}

TEST(FindBoundaryFaultTest, NamesAGapBeforeALaterBoundaryAndBoundariesThatDoNotIncrease) {
  using Kind = BoundaryFault::Kind;
  struct Case {
    std::vector<std::string> texts;
    std::optional<std::pair<Kind, std::size_t>> fault;
  };
  const std::vector<Case> cases = {
      {{"  3", "  5", "  7", "", "", "", ""}, std::nullopt},
      {{"1", "2.5", "3O17", "", "", "", ""}, std::nullopt},  // a last text ends the classes
      {{"", "", "", "", "", "", ""}, std::nullopt},
      {{"1", "3O17", "5000", "", "", "", ""}, std::pair{Kind::kNotANumber, 1u}},
      {{"1", "2", "", "4", "", "", ""}, std::pair{Kind::kNotANumber, 2u}},
      {{"", "", "", "", "", "", "9"}, std::pair{Kind::kNotANumber, 0u}},
      {{"1", "5", "3", "", "", "", ""}, std::pair{Kind::kNotIncreasing, 2u}},
      {{"1", "5", "5", "", "", "", ""}, std::pair{Kind::kNotIncreasing, 2u}},
      {{"-2", "-1.5", "0", "1E3", "", "", ""}, std::nullopt},
  };
  for (const Case& c : cases) {
    const auto fault = FindBoundaryFault(c.texts);
    SCOPED_TRACE(c.texts[1] + " " + c.texts[2]);
    ASSERT_EQ(fault.has_value(), c.fault.has_value());
    if (!fault) continue;
    EXPECT_EQ(fault->kind, c.fault->first);
    EXPECT_EQ(fault->index, c.fault->second);
  }
}

TEST(ParseClassCountTest, AcceptsTwoToEight) {
  EXPECT_EQ(ParseClassCount("2"), 2);
  EXPECT_EQ(ParseClassCount(" 8"), 8);
  EXPECT_EQ(ParseClassCount("+5"), 5);
  for (const char* text : {"1", "9", "0", "-3", "", " ", "abc", "5 ", "2.0", "+"})
    EXPECT_EQ(ParseClassCount(text), std::nullopt) << '"' << text << '"';
}

TEST(SlotTextTest, CutsAt22BytesWithoutSplittingACharacter) {
  EXPECT_EQ(SlotText(std::string(30, '9')), std::string(22, '9'));
  // "あ" (0x82 0xA0) would straddle the limit and is dropped whole.
  EXPECT_EQ(SlotText(std::string(21, '1') + "\x82\xa0"), std::string(21, '1'));
}

}  // namespace
}  // namespace kartela
