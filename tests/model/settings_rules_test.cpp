#include "model/settings_rules.h"

#include <gtest/gtest.h>

#include <string_view>

#include "test_support.h"

namespace kartela {
namespace {

using test::Sjis;

TEST(SettingsRules, DataExtIsDottedCutUpperCasedAndJudged) {
  const auto expect = [](std::string_view typed, DataExtVerdict verdict, std::string_view ext) {
    const DataExtCheck check = CheckDataExt(typed);
    EXPECT_EQ(check.verdict, verdict) << typed;
    EXPECT_EQ(check.ext, ext) << typed;
  };
  expect("txt", DataExtVerdict::kAccepted, ".TXT");
  expect(".DATA", DataExtVerdict::kAccepted, ".DAT");
  expect(".csv", DataExtVerdict::kAccepted, ".CSV");
  expect("", DataExtVerdict::kEmpty, "");
  // Any part of ".KTD .WMF .EXE .INI" that a dotted text can be.
  for (std::string_view reserved : {"wmf", ".", "e", "kt", ".INI", "ex"})
    EXPECT_EQ(CheckDataExt(reserved).verdict, DataExtVerdict::kReserved) << reserved;
  expect("wmf", DataExtVerdict::kReserved, ".WMF");
  for (std::string_view bad : {"a b", "a.b", "..", "*", "a?", "/x", "\\x", "a;b", "(a)", "a\tb"})
    EXPECT_EQ(CheckDataExt(bad).verdict, DataExtVerdict::kMalformed) << bad;
  // Never cut inside a double-byte character; its trail bytes are no characters
  // ("ソ" ends in the byte of "\").
  expect(Sjis("データ"), DataExtVerdict::kAccepted, Sjis(".デ"));
  expect(Sjis("ソ"), DataExtVerdict::kAccepted, Sjis(".ソ"));
}

TEST(SettingsRules, ItemLengthIsAWholeNumberFrom2To36) {
  EXPECT_EQ(ParseItemLength("36"), 36);
  EXPECT_EQ(ParseItemLength("2"), 2);
  EXPECT_EQ(ParseItemLength(" 10 "), 10);
  EXPECT_EQ(ParseItemLength("+5"), 5);
  for (std::string_view refused :
       {"37", "1", "0", "-5", "", " ", "abc", "3a", "2.5", "99999999999"})
    EXPECT_FALSE(ParseItemLength(refused).has_value()) << refused;
}

TEST(SettingsRules, CheckBoxesAndSaveMaskMapBothWays) {
  // The default mask leaves out the print scale, the fifth box.
  const SaveMaskChecks defaults = ChecksOfSaveMask(0xFFDF);
  for (std::size_t i = 0; i < defaults.size(); ++i)
    EXPECT_EQ(defaults[i], i != 4) << i;
  EXPECT_EQ(SaveMaskOfChecks(defaults), 0xFFDF);
  EXPECT_EQ(SaveMaskOfChecks({}), 0x0001);
  for (std::size_t i = 0; i < kSaveMaskBoxBits.size(); ++i) {
    SaveMaskChecks one{};
    one[i] = true;
    const std::int32_t mask = SaveMaskOfChecks(one);
    EXPECT_EQ(mask, 0x0002 << i | 0x0001) << i;  // box 1 is bit 0x0002, box 15 bit 0x8000
    EXPECT_EQ(ChecksOfSaveMask(mask), one) << i;
  }
}

}  // namespace
}  // namespace kartela
