#include "render/circle_settings_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/messages.h"

namespace kartela {
namespace {

TEST(SuggestRefValueTest, MiddleCutToTheSpreadsDigitsThenTrimmed) {
  struct Case {
    double max, min;
    int value_width, decimal_digits;
    const char* expected;
  };
  const Case cases[] = {
      {5678, 1234, 5, 0, "3400"},       // mid 3456, e = d = 3: one digit more than the spread
      {3456, 3456, 5, 0, "3456"},       // equal values: d = 0, the mantissa to e + 1 digits
      {12.5, 3.25, 5, 2, "7.80"},       // "7.800": only one trailing zero goes
      {0.034, 0.012, 5, 3, "0.020"},    // below 1: e = d = -1 truncated toward zero
      {9, 1, 2, 0, "5"},                // "5.0": the zero, then the bare point
      {1234567, 1234, 8, 0, "600000"},  // a wide spread keeps one digit
      {0, 0, 2, 0, "0"},                // no positive middle: nothing to propose
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SuggestRefValue(c.max, c.min, c.value_width, c.decimal_digits), c.expected)
        << c.max << ".." << c.min;
  }
}

TEST(ScanSymbolDataTest, AbsoluteRangeAndWidthsOfTheValuesThatConvert) {
  DataSet data;
  data.DataValues = {" 12", "", "-3.25", "x", "0.5"};
  std::vector<double> numbers(5, 99);
  const SymbolDataStats stats = ScanSymbolData(data, 5, numbers);
  EXPECT_TRUE(stats.Found);
  EXPECT_EQ(stats.ValidCount, 3);
  EXPECT_EQ(stats.AbsMax, 12);
  EXPECT_EQ(stats.AbsMin, 0.5);
  EXPECT_EQ(stats.IntWidth, 3);  // " 12": its blank counts
  EXPECT_EQ(stats.DecimalDigits, 2);
  EXPECT_EQ(stats.ValueWidth, 6);
  EXPECT_EQ(numbers, (std::vector<double>{12, kMissingValue, -3.25, kMissingValue, 0.5}));
  EXPECT_EQ(CircleDataMessage(stats), 0);

  const CircleFields fields = InitialCircleFields(SymbolSettings{}, stats);
  EXPECT_EQ(fields.MaxText, " 12.00");
  EXPECT_EQ(fields.MinText, "  0.50");
  EXPECT_EQ(fields.BaseValue, "0.00");
  EXPECT_EQ(fields.Radius, "10");
  EXPECT_EQ(fields.RefValue, "6.00");  // mid 6.25, spread 11.5: one digit
  EXPECT_EQ(fields.PlusColour, 6);
  EXPECT_EQ(fields.MinusColour, 1);

  data.DataValues = {"0", "-0.0", ""};
  EXPECT_EQ(CircleDataMessage(ScanSymbolData(data, 3, numbers)), kMsgNoData);
  EXPECT_EQ(CircleDataMessage(ScanSymbolData(data, 0, numbers)), kMsgNoData);
}

TEST(ApplyCircleFieldsTest, RefusalsChangeNothing) {
  SymbolSettings before;
  before.RefValueText = "500";
  CircleFields fields;
  fields.Radius = "25";
  fields.BaseValue = "7";
  fields.PlusColour = 5;
  fields.MinusColour = 2;
  fields.NestedLegend = true;
  // Each refused: a reference value of 0 (empty and non-numeric texts are
  // 0), one equal to the base value, one longer than the settings hold, and
  // a colour that is not one of the nine.
  for (const std::string& ref :
       std::vector<std::string>{"0", "", "abc", "7.0", "1" + std::string(80, '0')}) {
    fields.RefValue = ref;
    SymbolSettings settings = before;
    EXPECT_EQ(ApplyCircleFields(fields, settings), kMsgBadSetting) << ref;
    EXPECT_EQ(settings.RefRadius, before.RefRadius);
    EXPECT_EQ(settings.BaseValue, before.BaseValue);
    EXPECT_EQ(settings.RefValueText, "500");
    EXPECT_FALSE(settings.NestedLegend);
  }
  fields.RefValue = "100";
  fields.PlusColour = 9;
  SymbolSettings settings = before;
  EXPECT_EQ(ApplyCircleFields(fields, settings), kMsgBadSetting);

  fields.PlusColour = 5;
  fields.Radius = "12ab";
  fields.RefValue = " 100";
  EXPECT_EQ(ApplyCircleFields(fields, settings), 0);
  EXPECT_EQ(settings.RefRadius, 12);
  EXPECT_EQ(settings.BaseValue, 7);
  EXPECT_EQ(settings.RefValueText, " 100");  // as typed, blank kept
  EXPECT_EQ(settings.PlusColour, 5);
  EXPECT_EQ(settings.MinusColour, 2);
  EXPECT_TRUE(settings.NestedLegend);
  EXPECT_TRUE(InitialCircleFields(settings, SymbolDataStats{}).NestedLegend) << "shown again";
  fields.Radius = "";
  EXPECT_EQ(ApplyCircleFields(fields, settings), 0);
  EXPECT_EQ(settings.RefRadius, 0);
}

}  // namespace
}  // namespace kartela
