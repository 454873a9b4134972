#include "base/numbers.h"

#include "base/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace kartela {
namespace {

TEST(ReadLeadingIntTest, KeepsTheNumberReadBeforeTheFirstBadCharacter) {
  EXPECT_EQ(ReadLeadingInt("12abc"), 12);
  EXPECT_EQ(ReadLeadingInt(""), 0);
  EXPECT_EQ(ReadLeadingInt("abc"), 0);
  EXPECT_EQ(ReadLeadingInt("50 ; comment"), 50);
  EXPECT_EQ(ReadLeadingInt("7,8"), 7);
  EXPECT_EQ(ReadLeadingInt("-"), 0);
}

TEST(ReadLeadingIntTest, SkipsLeadingBlanksAndReadsSignAndHexadecimal) {
  EXPECT_EQ(ReadLeadingInt(" \t 42"), 42);
  EXPECT_EQ(ReadLeadingInt("-17"), -17);
  EXPECT_EQ(ReadLeadingInt("+5"), 5);
  EXPECT_EQ(ReadLeadingInt("$1F"), 31);
  EXPECT_EQ(ReadLeadingInt("$ffDF"), 65503);
  EXPECT_EQ(ReadLeadingInt("-$10"), -16);
  EXPECT_EQ(ReadLeadingInt("$1G"), 1);
  EXPECT_EQ(ReadLeadingInt("1 2"), 1);
}

TEST(ReadLeadingIntTest, SaturatesBeyondThirtyTwoBits) {
  EXPECT_EQ(ReadLeadingInt("2147483647"), 2147483647);
  EXPECT_EQ(ReadLeadingInt("2147483648"), 2147483647);
  EXPECT_EQ(ReadLeadingInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ReadLeadingInt("-99999999999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(ReadLeadingInt("$FFFFFFFFFFFF"), 2147483647);
}

TEST(ReadLeadingIntTest, SixteenBitFieldsAreClamped) {
  EXPECT_EQ(ReadLeadingInt16("32767"), 32767);
  EXPECT_EQ(ReadLeadingInt16("40000"), 32767);
  EXPECT_EQ(ReadLeadingInt16("-40000"), -32768);
  EXPECT_EQ(ReadLeadingInt16("640x"), 640);
}

// Saturation at the bounds of the narrower type, across signedness.
TEST(ClampToTest, KeepsWhatFitsAndSaturatesTheRest) {
  constexpr std::int64_t kBig = std::int64_t{1} << 40;
  constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
  constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ClampTo<std::int32_t>(kBig), kInt32Max);
  EXPECT_EQ(ClampTo<std::int32_t>(-kBig), kInt32Min);
  EXPECT_EQ(ClampTo<std::int32_t>(std::int64_t{kInt32Max}), kInt32Max);
  EXPECT_EQ(ClampTo<std::int32_t>(std::int64_t{-123456}), -123456);
  EXPECT_EQ(ClampTo<std::int16_t>(std::int64_t{32768}), 32767);
  EXPECT_EQ(ClampTo<std::int16_t>(std::int32_t{-32769}), -32768);
  EXPECT_EQ(ClampTo<std::int16_t>(std::int32_t{-32768}), -32768);
  EXPECT_EQ(ClampTo<std::uint16_t>(std::int64_t{-1}), 0);
  EXPECT_EQ(ClampTo<std::uint16_t>(std::int64_t{65536}), 65535);
  EXPECT_EQ(ClampTo<std::int32_t>(std::numeric_limits<std::uint64_t>::max()), kInt32Max);
  EXPECT_EQ(ClampTo<std::uint32_t>(std::numeric_limits<std::int64_t>::min()), 0u);
}

TEST(ReadLeadingRealTest, ReadsPlainDecimalsAndKeepsTheLeadingNumber) {
  EXPECT_EQ(ReadLeadingReal("1.5"), 1.5);
  EXPECT_EQ(ReadLeadingReal("  -2.25"), -2.25);
  EXPECT_EQ(ReadLeadingReal("1.5x"), 1.5);
  EXPECT_EQ(ReadLeadingReal("3."), 3.0);
  EXPECT_EQ(ReadLeadingReal(".5"), 0.5);
  EXPECT_EQ(ReadLeadingReal(""), 0.0);
  EXPECT_EQ(ReadLeadingReal("."), 0.0);
  EXPECT_EQ(ReadLeadingReal("1e3"), 1000.0);
  EXPECT_EQ(ReadLeadingReal("2e"), 2.0);
  EXPECT_EQ(ReadLeadingReal("2e+x"), 2.0);
}

TEST(ReadLeadingRealTest, StoresAtFortyBitPrecisionAndSaturates) {
  // 0.1 is not exact in binary; the stored value has a 40-bit significand.
  const double tenth = ReadLeadingReal("0.1");
  EXPECT_NE(tenth, 0.1);
  EXPECT_NEAR(tenth, 0.1, 1e-12);
  EXPECT_EQ(ReadLeadingReal("1e400"), kReal48Max);
  EXPECT_EQ(ReadLeadingReal("-1e99999"), -kReal48Max);
  EXPECT_EQ(ReadLeadingReal("1e-99999"), 0.0);
}

// Where a number leads, the value is what the readers read; where none
// does, there is no value rather than their 0.
TEST(FindLeadingNumberTest, FindsOnlyANumberThatLeads) {
  const struct {
    const char* text;
    std::optional<std::int32_t> whole;
    std::optional<double> real;
  } cases[] = {
      {"15mm", 15, 15.0}, {" \t-3", -3, -3.0}, {"1.5x", 1, 1.5}, {".5", {}, 0.5}, {"-.5", {}, -0.5},
      {"$1F", 31, {}},    {"0", 0, 0.0},       {"", {}, {}},     {"abc", {}, {}}, {"-", {}, {}},
      {"+-1", {}, {}},    {"$", {}, {}},       {"$g", {}, {}},   {".", {}, {}},   {"e3", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FindLeadingInt(c.text), c.whole);
    EXPECT_EQ(FindLeadingReal(c.text), c.real);
  }
}

TEST(ParseDataValueTest, AcceptsTheDecimalForms) {
  EXPECT_EQ(ParseDataValue("12"), 12.0L);
  EXPECT_EQ(ParseDataValue(" 12"), 12.0L);
  EXPECT_EQ(ParseDataValue("   -3.5"), -3.5L);
  EXPECT_EQ(ParseDataValue("+.5"), 0.5L);
  EXPECT_EQ(ParseDataValue("7."), 7.0L);
  EXPECT_EQ(ParseDataValue("-.25"), -0.25L);
  EXPECT_EQ(ParseDataValue("0"), 0.0L);
}

TEST(ParseDataValueTest, RefusesAnythingThatIsNotConsumedWhole) {
  for (const char* text : {"", " ", "12 ", "\t12", "1,000", "--1", "+-1", "1e5", "1E5", ".", "-",
                           "1.2.3", "12a", "\x82\x4f"}) {
    EXPECT_FALSE(ParseDataValue(text).has_value()) << '"' << text << '"';
  }
}

TEST(ParseDataValueTest, ComputesInExtendedPrecision) {
  // 0.1 as an 80-bit extended differs from 0.1 as a double.
  EXPECT_EQ(*ParseDataValue("0.1"), 0.1L);
  EXPECT_NE(static_cast<long double>(0.1), 0.1L);
}

// Option values and attribute codes: the whole text or nothing, exponents
// allowed, no blanks.
// Integers written out in full and within the range; nothing else, and no
// wrap-around for numbers beyond 32 bits.
TEST(ParseWholeIntTest, TakesTheWholeTextWithinItsRange) {
  const std::pair<std::string_view, std::optional<std::int32_t>> cases[] = {
      {"12", 12},
      {"-3", -3},
      {"0", 0},
      {"", std::nullopt},
      {" 1", std::nullopt},
      {"1x", std::nullopt},
      {"1.0", std::nullopt},
      {"100", std::nullopt},
      {"4294967308", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseWholeInt(text, -5, 99), expected) << text;
}

TEST(ParseWholeRealTest, TakesTheWholeTextOrNothing) {
  EXPECT_EQ(ParseWholeReal("0.5"), 0.5);
  EXPECT_EQ(ParseWholeReal("-12"), -12.0);
  EXPECT_EQ(ParseWholeReal("1e3"), 1000.0);
  EXPECT_EQ(ParseWholeReal("007"), 7.0);
  for (const char* text : {"", " 1", "1 ", "1,5", "abc", "12a", "+1"})
    EXPECT_FALSE(ParseWholeReal(text).has_value()) << '"' << text << '"';
}

TEST(FormatFixedTest, PadsToTheWidthButNeverCuts) {
  EXPECT_EQ(FormatFixed(1.0L, 5, 2), " 1.00");
  EXPECT_EQ(FormatFixed(-1.0L, 5, 2), "-1.00");
  EXPECT_EQ(FormatFixed(12345.678L, 3, 1), "12345.7");
  EXPECT_EQ(FormatFixed(42.0L, 6, 0), "    42");
  EXPECT_EQ(FormatFixed(0.125L, 0, 2), "0.12");  // exact binary tie rounds to even
  EXPECT_EQ(FormatFixed(2.5L, 0, 0), "2");
  EXPECT_EQ(FormatFixed(-0.004L, 6, 2), " -0.00");
}

}  // namespace
}  // namespace kartela
