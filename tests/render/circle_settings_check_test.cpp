#include "render/circle_settings_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/real48.h"
#include "model/messages.h"
#include "model/value_syntax.h"

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
      // Decimal values are stored a little off: 0.1 lies above 0.1 and its
      // log10 above -1, and 0.6 / 0.1 comes out a little below 6.
      {0.7, 0.5, 2, 1, "0.6"},
      {0.2, 0.1, 2, 1, "0.15"},
      {0.1, 0, 2, 1, "0.05"},
      {0.11, 0.01, 3, 2, "0.06"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        SuggestRefValue(ConvertValueText(std::to_string(c.max)),
                        ConvertValueText(std::to_string(c.min)), c.value_width, c.decimal_digits),
        c.expected)
        << c.max << ".." << c.min;
  }
}

// The proposal of values a / 10^n and b / 10^n (a >= b >= 0, a + b > 0)
// worked out in integers: the middle (a + b) / (2 * 10^n) cut at the digit
// 10^(d - 1), d the spread's log10 truncated toward zero, as text with n + 1
// decimals less one trailing zero and a bare point.
std::string ExactProposal(long long a, long long b, int n) {
  long long scale = 1;
  for (int i = 0; i < n; ++i)
    scale *= 10;
  int d = 0;  // trunc(log10((a - b) / scale)), exactly
  const long long spread = a - b;
  if (spread >= scale) {
    for (long long power = scale * 10; spread >= power; power *= 10)
      ++d;
  } else if (spread > 0) {
    for (long long scaled = spread * 10; scaled <= scale; scaled *= 10)
      --d;
  }
  // ref * 10^(n + 1) = floor((a + b) * 10^(1 - d) / (2 * scale)) * 10^(d + n)
  long long numerator = a + b, denominator = 2 * scale;
  for (int i = 0; i < 1 - d; ++i)
    numerator *= 10;
  for (int i = 0; i < d - 1; ++i)
    denominator *= 10;
  long long units = numerator / denominator;
  for (int i = 0; i < d + n; ++i)
    units *= 10;
  long long unit = scale * 10;
  std::string fraction = std::to_string(units % unit);
  fraction.insert(0, static_cast<std::size_t>(n + 1) - fraction.size(), '0');
  std::string text = std::to_string(units / unit) + "." + fraction;
  if (text.ends_with('0')) text.pop_back();
  if (text.ends_with('.')) text.pop_back();
  return text;
}

TEST(SuggestRefValueTest, DecimalPairsProposeTheExactCut) {
  int compared = 0;
  for (int n = 1; n <= 3; ++n) {
    long long scale = 1;
    for (int i = 0; i < n; ++i)
      scale *= 10;
    for (long long a = 1; a <= 150; ++a) {
      for (long long b = 0; b <= a; ++b) {
        const double max = RoundToReal48(static_cast<long double>(a) / scale);
        const double min = RoundToReal48(static_cast<long double>(b) / scale);
        ASSERT_EQ(SuggestRefValue(max, min, 6, n), ExactProposal(a, b, n))
            << a << "/" << scale << ", " << b << "/" << scale;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 30000);
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
