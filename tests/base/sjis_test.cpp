#include "base/sjis.h"

#include <gtest/gtest.h>

namespace kartela {
namespace {

// "ＭＳ 明朝" and "表" in CP932; 表 ends in 0x5C, the byte of "\".
constexpr std::string_view kMsMincho = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";
constexpr std::string_view kHyo = "\x95\x5c";

TEST(SjisTest, ConvertsBothWays) {
  EXPECT_EQ(sjis::FromUtf8("ＭＳ 明朝"), std::string(kMsMincho));
  EXPECT_EQ(sjis::ToUtf8(kMsMincho), "ＭＳ 明朝");
  EXPECT_EQ(sjis::ToUtf8(kHyo), "表");
  EXPECT_EQ(sjis::FromUtf8("abc"), "abc");
  EXPECT_EQ(sjis::ToUtf8(""), "");
}

TEST(SjisTest, HoldsTheWindowsExtensions) {
  // NEC row 13 (circled digits) and an IBM extension kanji occur in Japanese files.
  EXPECT_EQ(sjis::FromUtf8("①"), "\x87\x40");
  EXPECT_EQ(sjis::ToUtf8("\xfa\x5c"), "纊");
}

TEST(SjisTest, RefusesWhatCannotBeConverted) {
  EXPECT_FALSE(sjis::FromUtf8("한국어").has_value());
  EXPECT_FALSE(sjis::FromUtf8("\xff\xfe").has_value());  // not UTF-8
  EXPECT_FALSE(sjis::ToUtf8("\x82").has_value());        // lead byte without its trail
  EXPECT_FALSE(sjis::ToUtf8("\x85\x40").has_value());    // undefined row
}

TEST(SjisTest, LossyConversionReplacesOnlyTheBadBytes) {
  EXPECT_EQ(sjis::ToUtf8Lossy("a\x85\x40z"), "a\xEF\xBF\xBD@z");
  EXPECT_EQ(sjis::ToUtf8Lossy(std::string(kMsMincho) + "\x82"), "ＭＳ 明朝\xEF\xBF\xBD");
}

TEST(SjisTest, CutsWithoutSplittingADoubleByteCharacter) {
  EXPECT_EQ(sjis::CutToBytes(kMsMincho, 9), kMsMincho);
  EXPECT_EQ(sjis::CutToBytes(kMsMincho, 8), kMsMincho.substr(0, 7));
  EXPECT_EQ(sjis::CutToBytes(kMsMincho, 5), kMsMincho.substr(0, 5));
  EXPECT_EQ(sjis::CutToBytes(kMsMincho, 1), "");
  EXPECT_EQ(sjis::CutToBytes("abc", 10), "abc");
}

TEST(SjisTest, UpperCasesLettersButNotTrailBytes) {
  // 0x83 0x61 is "ヂ": its trail byte is the code of "a".
  EXPECT_EQ(sjis::ToUpper("ab\x83\x61z"), "AB\x83\x61Z");
}

}  // namespace
}  // namespace kartela
