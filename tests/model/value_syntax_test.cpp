#include "model/value_syntax.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/real48.h"
#include "test_support.h"

namespace kartela {
namespace {

using test::Sjis;

DataSet WithValues(const std::vector<std::string>& values) {
  DataSet data;
  for (std::size_t i = 0; i < values.size(); ++i)
    data.DataValues[i] = values[i];
  return data;
}

TEST(ConvertValueTextTest, BlanksCountOnlyBeforeTheNumber) {
  EXPECT_EQ(ConvertValueText(" 12"), 12);
  EXPECT_EQ(ConvertValueText("12 "), kMissingValue);
  EXPECT_EQ(ConvertValueText("\t12"), kMissingValue);
}

TEST(ConvertValueTextTest, AcceptedForms) {
  EXPECT_EQ(ConvertValueText("-3"), -3);
  EXPECT_EQ(ConvertValueText("+.5"), 0.5);
  EXPECT_EQ(ConvertValueText("7."), 7);
  EXPECT_EQ(ConvertValueText("-0.25"), -0.25);
}

TEST(ConvertValueTextTest, RejectedForms) {
  for (const std::string text : {"", " ", ".", "-", "1,000", "+-1", "1.2.3", "1e3", "0x10"}) {
    EXPECT_EQ(ConvertValueText(text), kMissingValue) << '"' << text << '"';
  }
  EXPECT_EQ(ConvertValueText(Sjis("１２")), kMissingValue);
}

TEST(ConvertValueTextTest, StoresTheNumberAs48BitReal) {
  EXPECT_EQ(ConvertValueText("0.1"), RoundToReal48(0.1L));
  EXPECT_NE(ConvertValueText("0.1"), 0.1);
  EXPECT_EQ(ConvertValueText("12345678901"), 12345678901.0);
}

TEST(HasExponentLetterTest, OnlySingleByteLettersCount) {
  EXPECT_TRUE(HasExponentLetter("2.0E15"));
  EXPECT_TRUE(HasExponentLetter("none"));
  EXPECT_FALSE(HasExponentLetter("12.5"));
  // "ウ" and "・" end in the byte of "E"; "ｅ" is a full-width letter.
  EXPECT_FALSE(HasExponentLetter(Sjis("ウ")));
  EXPECT_FALSE(HasExponentLetter(Sjis("・")));
  EXPECT_FALSE(HasExponentLetter(Sjis("ｅ")));
}

TEST(ValueSyntaxTest, CountsConvertedAndMissingValues) {
  const auto report = ValueSyntax(WithValues({"1", "", " 2", "x", Sjis("ウ"), "3"}), 6);
  EXPECT_EQ(report.result, ValueSyntaxResult::kOk);
  EXPECT_EQ(report.converted, 3);
  EXPECT_EQ(report.missing, 3);
}

TEST(ValueSyntaxTest, ExponentStopsTheCheckEvenInTheLastArea) {
  const auto report = ValueSyntax(WithValues({"1", "", "2", "1e3"}), 4);
  EXPECT_EQ(report.result, ValueSyntaxResult::kExponentNotation);
  EXPECT_EQ(report.converted, 2);
  EXPECT_EQ(report.missing, 1);
  EXPECT_EQ(MessageNumberFor(report.result), 9);

  // Before any other result: the exponent comes first even without data.
  EXPECT_EQ(ValueSyntax(WithValues({"", "E"}), 2).result, ValueSyntaxResult::kExponentNotation);
}

TEST(ValueSyntaxTest, OnlyAreasOfTheMapAreChecked) {
  const DataSet data = WithValues({"1", "2", "1e3", "4"});
  EXPECT_EQ(ValueSyntax(data, 2).result, ValueSyntaxResult::kOk);
  EXPECT_EQ(ValueSyntax(data, 1).result, ValueSyntaxResult::kTooFewData);
  EXPECT_EQ(ValueSyntax(data, 0).result, ValueSyntaxResult::kNoData);
}

TEST(ValueSyntaxTest, NoDataAndTooFewData) {
  const auto none = ValueSyntax(WithValues({"", Sjis("不明"), "12 "}), 3);
  EXPECT_EQ(none.result, ValueSyntaxResult::kNoData);
  EXPECT_EQ(none.missing, 3);
  EXPECT_EQ(MessageNumberFor(none.result), 10);

  const auto one = ValueSyntax(WithValues({"", "5", ""}), 3);
  EXPECT_EQ(one.result, ValueSyntaxResult::kTooFewData);
  EXPECT_EQ(one.converted, 1);
  EXPECT_EQ(MessageNumberFor(one.result), 12);
  EXPECT_EQ(MessageNumberFor(ValueSyntaxResult::kOk), 0);
}

}  // namespace
}  // namespace kartela

namespace kartela {
namespace {

TEST(NormalizeTypedNumberTest, TurnsTypedAndCopiedNumbersIntoTheirAsciiForm) {
  struct Case {
    const char* typed;  // UTF-8, as the user typed or pasted it
    const char* stored;
  };
  const std::vector<Case> cases = {
      // full-width digits, sign and point, as an input method types them
      {"５２２４６１４", "5224614"},
      {"－１２．５", "-12.5"},
      {"＋．５", "+.5"},
      {"１2３", "123"},
      // thousands separators in groups of three, also full-width
      {"1,237,984", "1237984"},
      {"１，２３７，９８４", "1237984"},
      {"-12,345.678", "-12345.678"},
      {" 999,999", " 999999"},
      // anything else stays as typed
      {"12", "12"},
      {"", ""},
      {"1,23", "1,23"},
      {"1234,567", "1234,567"},
      {",123", ",123"},
      {"1,234,56", "1,234,56"},
      {"1,234.567,8", "1,234.567,8"},
      {"１２，３", "１２，３"},
      {"－", "－"},
      {"１２ ", "１２ "},
      {"１２万", "１２万"},
      {"１Ｅ３", "１Ｅ３"},
      {"1,000e3", "1,000e3"},
      {"　１２", "　１２"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormalizeTypedNumber(Sjis(c.typed)), Sjis(c.stored)) << c.typed;
}

}  // namespace
}  // namespace kartela
