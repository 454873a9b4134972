#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kartela {
namespace {

// "ＭＳ 明朝" and "表" in CP932; 表 ends in 0x5C, the byte of "\".
constexpr std::string_view kMsMincho = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";
constexpr std::string_view kHyo = "\x95\x5c";

std::string Sjis(std::string_view utf8) {
  return sjis::FromUtf8(utf8).value();
}

// ---- Conversion -------------------------------------------------------------

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

TEST(SjisTest, ConvertsToUtf16ForMetafiles) {
  EXPECT_EQ(sjis::ToUtf16Lossy(kMsMincho), u"ＭＳ 明朝");
  EXPECT_EQ(sjis::ToUtf16Lossy(kHyo), u"表");
  EXPECT_EQ(sjis::ToUtf16Lossy(""), u"");
  // As to UTF-8: each undefined byte becomes U+FFFD, a cut lead byte too.
  EXPECT_EQ(sjis::ToUtf16Lossy("a\x85\x40z\x82"), u"a\uFFFD@z\uFFFD");
}

TEST(SjisTest, LossyConversionsIntoShiftJisMarkEachLostCharacterOnce) {
  struct Case {
    const char* what;
    std::string got;
    std::string expected;
  };
  const std::u16string pair = u"\U0001F600";  // a character outside the BMP
  const Case cases[] = {
      {"UTF-16 text", sjis::FromUtf16Lossy(u"ＭＳ 明朝"), std::string(kMsMincho)},
      {"a backslash and the 0x5C trail byte", sjis::FromUtf16Lossy(u"\\表"),
       "\\" + std::string(kHyo)},
      {"a character CP932 lacks", sjis::FromUtf16Lossy(u"a한b"), "a?b"},
      {"a surrogate pair", sjis::FromUtf16Lossy(u"a" + pair + u"b"), "a?b"},
      {"a high surrogate alone", sjis::FromUtf16Lossy(std::u16string{u'a', 0xD83D, u'b'}), "a?b"},
      {"a low surrogate alone", sjis::FromUtf16Lossy(std::u16string{0xDE00, u'b'}), "?b"},
      {"a high surrogate at the end", sjis::FromUtf16Lossy(std::u16string{u'a', 0xD83D}), "a?"},
      {"a NUL inside", sjis::FromUtf16Lossy(std::u16string{u'a', 0, u'b'}), std::string("a\0b", 3)},
      {"UTF-8 text", sjis::FromUtf8Lossy("人口①"), Sjis("人口①")},
      {"UTF-8 CP932 lacks", sjis::FromUtf8Lossy("1한2\U0001F600"), "1?2?"},
      {"a cut UTF-8 sequence",
       sjis::FromUtf8Lossy("\xE4\xBA"
                           "a人"),
       "?a" + Sjis("人")},
      {"stray continuation bytes", sjis::FromUtf8Lossy("\x80\x80人"), "?" + Sjis("人")},
      {"an overlong form",
       sjis::FromUtf8Lossy("\xC0\xAF"
                           "a"),
       "?a"},
      // Latin-1 is converted, not copied: § and ´ have CP932 forms, é has none.
      {"Latin-1 ASCII", sjis::FromLatin1Lossy("Arial"), "Arial"},
      {"Latin-1 letters", sjis::FromLatin1Lossy("\xA7\xB4\xE9"), "\x81\x98\x81\x4C?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.got, c.expected);
  }
}

TEST(SjisTest, EveryCharacterDrawnThroughAnEmfReadsBackTheSame) {
  // The EMF writer stores UTF-16 and the player turns it back into CP932; the
  // NEC and IBM duplicates come back as one of their forms, which must again
  // be the same character.
  std::string defined;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!sjis::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string character{static_cast<char>(lead), static_cast<char>(trail)};
      if (sjis::ToUtf8(character)) defined += character;
    }
  }
  for (unsigned byte = 0x20; byte <= 0xDF; ++byte) {
    const std::string character(1, static_cast<char>(byte));
    if (!sjis::IsLeadByte(static_cast<unsigned char>(byte)) && sjis::ToUtf8(character))
      defined += character;
  }
  ASSERT_GT(defined.size(), 15000u);
  const std::u16string units = sjis::ToUtf16Lossy(defined);
  EXPECT_EQ(units.find(u'\uFFFD'), std::u16string::npos);
  EXPECT_EQ(sjis::ToUtf16Lossy(sjis::FromUtf16Lossy(units)), units);
}

// ---- Shift-JIS bytes --------------------------------------------------------

// Names of places from elsewhere, composed or decomposed, become letters
// Shift-JIS holds; what has no such form is refused, whatever the locale.
TEST(SjisTest, TransliteratesWhatShiftJisLacksIntoLettersItHolds) {
  const struct {
    const char* utf8;
    std::optional<std::string> sjis;
  } cases[] = {
      {"Côte d'Ivoire", "Cote d'Ivoire"},
      {"São Tomé and Príncipe", "Sao Tome and Principe"},
      {"Curaçao", "Curacao"},
      {"Cu\u0301rac\u0327ao", "Curacao"},  // decomposed accents
      {"Œuvre Straße Łódź Ærø Þingvellir", "OEuvre Strasse Lodz AEro Thingvellir"},
      {"Việt Nam, Hà Nội", "Viet Nam, Ha Noi"},
      {"Ελλάδα", Sjis("Ελλαδα")},
      {"東京都 × ÷ –", Sjis("東京都 × ÷ -")},
      {"Zürich©", "Zurich(C)"},
      {"ไทย", std::nullopt},
      {"a\U0001F600", std::nullopt},
      {"\xff", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(sjis::FromUtf8Transliterated(c.utf8), c.sjis);
  }
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

TEST(SjisTest, FoldsFullWidthCharactersOfEachSet) {
  using sjis::FullWidthSet;
  struct Case {
    const char* utf8;
    char number;        // FullWidthSet::kNumber
    char alphanumeric;  // FullWidthSet::kAlphanumeric
  };
  const Case cases[] = {
      {"０", '0', '0'}, {"９", '9', '9'}, {"Ａ", 0, 'A'}, {"Ｚ", 0, 'Z'}, {"ａ", 0, 'a'},
      {"ｚ", 0, 'z'},   {"＋", '+', 0},   {"－", '-', 0}, {"．", '.', 0}, {"，", ',', 0},
      {"　", 0, 0},     {"人", 0, 0},     {"＠", 0, 0},   {"ー", 0, 0},   {"Ｅ", 0, 'E'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    const std::string bytes = Sjis(c.utf8);
    ASSERT_EQ(bytes.size(), 2u);
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const auto trail = static_cast<unsigned char>(bytes[1]);
    EXPECT_EQ(sjis::AsciiOfFullWidth(lead, trail, FullWidthSet::kNumber), c.number);
    EXPECT_EQ(sjis::AsciiOfFullWidth(lead, trail, FullWidthSet::kAlphanumeric), c.alphanumeric);
  }
}

// ---- UTF-8 and telling the encoding -----------------------------------------

TEST(Utf8Test, MeasuresOnlyValidSequences) {
  struct Case {
    const char* what;
    std::string_view bytes;
    std::size_t length;
  };
  const Case cases[] = {
      {"ASCII", "a", 1},
      {"two bytes", "\xC3\xA9", 2},
      {"three bytes", "人", 3},
      {"four bytes", "\xF0\x9F\x98\x80", 4},
      {"the last code point", "\xF4\x8F\xBF\xBF", 4},
      {"the last before the surrogates", "\xED\x9F\xBF", 3},
      {"a surrogate", "\xED\xA0\x80", 0},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0},
      {"overlong two bytes", "\xC1\xBF", 0},
      {"overlong three bytes", "\xE0\x9F\xBF", 0},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", 0},
      {"a continuation byte first", "\x80", 0},
      {"a lead byte no sequence has", "\xF5\x80\x80\x80", 0},
      {"a cut sequence", "\xE4\xBA", 0},
      {"ASCII where a continuation byte belongs", "\xE4\x41\x42", 0},
      {"Shift-JIS", "\x95\x5c", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf8SequenceLength(c.bytes, 0), c.length);
    EXPECT_EQ(Utf8SequenceLength(std::string("x") + std::string(c.bytes), 1), c.length);
    EXPECT_EQ(IsValidUtf8(c.bytes), c.length == c.bytes.size());
  }
  EXPECT_EQ(Utf8SequenceLength("a", 1), 0u);  // at the end
}

struct DecodeCase {
  const char* what;
  std::string bytes;
  TextEncoding encoding;
  std::string decoded;
  std::string reason;
};

TEST(TextDecodingTest, ReadsUtf8AndShiftJisIntoShiftJis) {
  const std::string sjis_title = Sjis("人口");
  const DecodeCase cases[] = {
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF全国.IDT\r\n人口\r\n", TextEncoding::kUtf8,
       Sjis("全国.IDT\r\n人口\r\n"), ""},
      {"ASCII after a byte-order mark", "\xEF\xBB\xBFT.IDT\r\n1\r\n", TextEncoding::kUtf8,
       "T.IDT\r\n1\r\n", ""},
      {"UTF-8 without a byte-order mark", "全国.IDT\n人口\n12", TextEncoding::kUtf8,
       Sjis("全国.IDT\n人口\n12"), ""},
      {"a short ASCII-only line is Shift-JIS as well", "T.IDT\r\n12\r\n", TextEncoding::kCp932,
       "T.IDT\r\n12\r\n", ""},
      {"Shift-JIS Japanese", sjis_title + "\r\n", TextEncoding::kCp932, sjis_title + "\r\n", ""},
      {"a UTF-8 line and a Shift-JIS line", "人口\r\n" + sjis_title, TextEncoding::kCp932,
       "人口\r\n" + sjis_title, ""},
      {"an overlong form is not UTF-8", "a\xC0\xAF", TextEncoding::kCp932, "a\xC0\xAF", ""},
      {"a surrogate is not UTF-8", "\xED\xA0\x80", TextEncoding::kCp932, "\xED\xA0\x80", ""},
      {"a cut sequence is not UTF-8", "人\xE5\x8F", TextEncoding::kCp932, "人\xE5\x8F", ""},
      {"a character Shift-JIS lacks keeps its line and names it", "人口\n한국\n1",
       TextEncoding::kUtf8, Sjis("人口") + "\n한국\n1",
       "2 行目に Shift-JIS で表せない文字があります"},
      {"empty", "", TextEncoding::kCp932, "", ""},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DetectTextEncoding(c.bytes), c.encoding);
    const DecodedText text = DecodeFileText(c.bytes);
    EXPECT_EQ(text.encoding, c.encoding);
    EXPECT_EQ(text.bytes, c.decoded);
    EXPECT_EQ(text.reason, c.reason);
  }
}

TEST(TextDecodingTest, WrittenTextReadsBackAsItWas) {
  const std::string katakana = Sjis("ﾂｱ ﾂｱ");  // "ﾂｱ" is C2 B1, valid UTF-8
  const std::vector<std::string> texts = {"", "T.IDT\r\n1\r\n", Sjis("全国.IDT\r\n人口\r\n"),
                                          "T.IDT\r\n" + katakana + "\r\n"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    const auto written = EncodeFileText(text);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(DecodeFileText(*written).bytes, text);
  }
  EXPECT_EQ(EncodeFileText(Sjis("全国")), Sjis("全国"));  // Shift-JIS stays as it is
  EXPECT_EQ(EncodeFileText(katakana), "\xEF\xBB\xBF" + std::string("ﾂｱ ﾂｱ"));
  // Bytes that are no CP932 character but spell a UTF-8 character.
  EXPECT_EQ(EncodeFileText("}\xEF\xBB\xBF}"), std::nullopt);
}

TEST(TextDecodingTest, TablesAreUtf8UnlessAValueIsNot) {
  // Unlike a file, an ASCII-only table reads as UTF-8: both read it the same.
  EXPECT_EQ(GuessEncoding({}), TextEncoding::kUtf8);
  EXPECT_EQ(GuessEncoding({"code", "13"}), TextEncoding::kUtf8);
  EXPECT_EQ(GuessEncoding({"東京都", "13"}), TextEncoding::kUtf8);
  EXPECT_EQ(GuessEncoding({"東京都", Sjis("大阪府")}), TextEncoding::kCp932);

  EXPECT_EQ(DecodeText(Sjis("東京都"), TextEncoding::kCp932), "東京都");
  EXPECT_EQ(DecodeText("\x85\x40", TextEncoding::kCp932), std::nullopt);
  EXPECT_EQ(DecodeText("東京都", TextEncoding::kUtf8), "東京都");
  EXPECT_EQ(DecodeText(Sjis("東京都"), TextEncoding::kUtf8), std::nullopt);
  EXPECT_EQ(DecodeText("東京都", TextEncoding::kAuto), "東京都");
}

TEST(EncodingNameTest, ReadsTheNamesUsersAndFilesWrite) {
  struct Case {
    const char* name;
    std::optional<TextEncoding> option;     // ParseEncodingName
    std::optional<TextEncoding> code_page;  // EncodingOfCodePageFile
  };
  const Case cases[] = {
      {"auto", TextEncoding::kAuto, std::nullopt},
      {"CP932", TextEncoding::kCp932, TextEncoding::kCp932},
      {"Shift_JIS", TextEncoding::kCp932, TextEncoding::kCp932},
      {"sjis", TextEncoding::kCp932, TextEncoding::kCp932},
      {"932\r\n", std::nullopt, TextEncoding::kCp932},
      {"Windows-31J", std::nullopt, TextEncoding::kCp932},
      {"MS932", std::nullopt, TextEncoding::kCp932},
      {"UTF-8", TextEncoding::kUtf8, TextEncoding::kUtf8},
      {" utf8 ", TextEncoding::kUtf8, TextEncoding::kUtf8},
      {"65001", std::nullopt, TextEncoding::kUtf8},
      {"latin1", std::nullopt, std::nullopt},
      {"1252", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseEncodingName(c.name), c.option);
    EXPECT_EQ(EncodingOfCodePageFile(c.name), c.code_page);
  }
  for (const TextEncoding encoding :
       {TextEncoding::kAuto, TextEncoding::kCp932, TextEncoding::kUtf8}) {
    EXPECT_EQ(ParseEncodingName(EncodingName(encoding)), encoding);
  }
}

// ---- Trimming ---------------------------------------------------------------

TEST(TrimTest, EachSetTrimsItsOwnBlanks) {
  const std::string_view text = "\r\n\t a b \t\r";
  EXPECT_EQ(Trim(text, Blanks::kSpace), "\r\n\t a b \t\r");
  EXPECT_EQ(Trim(" a b  ", Blanks::kSpace), "a b");
  EXPECT_EQ(Trim(text, Blanks::kSpaceTab), "\r\n\t a b \t\r");
  EXPECT_EQ(Trim("\t a\tb \t", Blanks::kSpaceTab), "a\tb");
  EXPECT_EQ(Trim(text, Blanks::kSpaceTabCr), "\n\t a b");
  EXPECT_EQ(Trim(text, Blanks::kSpaceTabCrLf), "a b");
  // The full-width space is a character, not a blank, in every set.
  EXPECT_EQ(Trim(" \x81\x40 ", Blanks::kSpaceTabCrLf), "\x81\x40");
  EXPECT_EQ(Trim(" \t ", Blanks::kSpaceTab), "");
  EXPECT_EQ(Trim("", Blanks::kSpace), "");
}

std::string Trimmed(std::string line) {
  TrimComment(line);
  return line;
}

TEST(TrimCommentTest, CutsCommentAndBlanks) {
  EXPECT_EQ(Trimmed(""), "");
  EXPECT_EQ(Trimmed("  key \t"), "key");
  EXPECT_EQ(Trimmed("50 ; comment"), "50");
  EXPECT_EQ(Trimmed("; only a comment"), "");
  EXPECT_EQ(Trimmed("\ta b\t;x;y"), "a b");
  // The comment cut alone keeps the blanks before it.
  EXPECT_EQ(CutComment(" 50 ; comment"), " 50 ");
  EXPECT_EQ(CutComment("no comment "), "no comment ");
}

}  // namespace
}  // namespace kartela
