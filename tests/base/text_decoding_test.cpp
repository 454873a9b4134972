#include "base/text_decoding.h"

#include <gtest/gtest.h>

#include <string>

#include "base/sjis.h"

namespace kartela {
namespace {

std::string Sjis(std::string_view utf8) {
  return sjis::FromUtf8(utf8).value();
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
      {"a short ASCII-only line is Shift-JIS as well", "T.IDT\r\n12\r\n", TextEncoding::kShiftJis,
       "T.IDT\r\n12\r\n", ""},
      {"Shift-JIS Japanese", sjis_title + "\r\n", TextEncoding::kShiftJis, sjis_title + "\r\n", ""},
      {"a UTF-8 line and a Shift-JIS line", "人口\r\n" + sjis_title, TextEncoding::kShiftJis,
       "人口\r\n" + sjis_title, ""},
      {"an overlong form is not UTF-8", "a\xC0\xAF", TextEncoding::kShiftJis, "a\xC0\xAF", ""},
      {"a surrogate is not UTF-8", "\xED\xA0\x80", TextEncoding::kShiftJis, "\xED\xA0\x80", ""},
      {"a cut sequence is not UTF-8", "人\xE5\x8F", TextEncoding::kShiftJis, "人\xE5\x8F", ""},
      {"a character Shift-JIS lacks keeps its line and names it", "人口\n한국\n1",
       TextEncoding::kUtf8, Sjis("人口") + "\n한국\n1",
       "2 行目に Shift-JIS で表せない文字があります"},
      {"empty", "", TextEncoding::kShiftJis, "", ""},
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

}  // namespace
}  // namespace kartela
