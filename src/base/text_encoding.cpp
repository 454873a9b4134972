#include "base/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <type_traits>

namespace kartela {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The iconv names of the encodings converted. CP932 rather than SHIFT_JIS:
// the plain Shift-JIS table lacks the Windows extensions.
constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16 = "UTF-16LE";  // no byte-order mark
constexpr const char* kLatin1 = "LATIN1";

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(cd);
}

// What a lossy conversion writes for input it cannot convert, and how many
// bytes of the input (at least one) that input takes.
struct Fallback {
  std::string_view replacement;
  std::size_t (*skipped)(std::string_view rest);
};

// Converts `text`; on an undefined, unconvertible or cut sequence either
// fails or, with a `fallback`, writes its replacement and goes on after the
// bytes it skips.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view text,
                                   const Fallback* fallback) {
  IconvHandle converter = OpenConverter(to, from);
  if (!converter) return std::nullopt;
  std::string out;
  char buffer[256];
  auto* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t result = iconv(converter.get(), &in_ptr, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (fallback == nullptr) return std::nullopt;
    out.append(fallback->replacement);
    const std::size_t skipped =
        std::clamp<std::size_t>(fallback->skipped({in_ptr, in_left}), 1, in_left);
    in_ptr += skipped;
    in_left -= skipped;
  }
  return out;
}

std::size_t OneByte(std::string_view) {
  return 1;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// What one "?" stands for: a valid character CP932 lacks, or a broken
// sequence, which is its first byte and the continuation bytes after it.
std::size_t Utf8Unconverted(std::string_view rest) {
  if (const std::size_t length = Utf8SequenceLength(rest, 0); length > 0) return length;
  std::size_t length = 1;
  while (length < rest.size() && IsContinuation(static_cast<unsigned char>(rest[length])))
    ++length;
  return length;
}

char16_t Utf16Unit(std::string_view bytes, std::size_t at) {
  return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// What one "?" stands for: a surrogate pair (a character CP932 lacks) or one
// unit.
std::size_t Utf16Unconverted(std::string_view rest) {
  if (rest.size() < 4) return 2;
  const char16_t first = Utf16Unit(rest, 0);
  const char16_t second = Utf16Unit(rest, 2);
  const bool pair = first >= 0xD800 && first < 0xDC00 && second >= 0xDC00 && second < 0xE000;
  return pair ? 4 : 2;
}

constexpr Fallback kToUtf8Fallback{"\xEF\xBF\xBD", OneByte};  // U+FFFD
constexpr Fallback kToUtf16Fallback{"\xFD\xFF", OneByte};     // U+FFFD, little-endian
constexpr Fallback kFromUtf8Fallback{"?", Utf8Unconverted};
constexpr Fallback kFromUtf16Fallback{"?", Utf16Unconverted};
constexpr Fallback kFromLatin1Fallback{"?", OneByte};

// Lower case without blanks, "-" and "_": "Shift_JIS" and "shift-jis" are one name.
std::string Normalised(std::string_view text) {
  std::string word;
  for (const char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c)) && c != '-' && c != '_')
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return word;
}

// Whether `bytes` are valid UTF-8 with at least one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view bytes) {
  bool non_ascii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes, at);
    if (length == 0) return false;
    non_ascii = non_ascii || length > 1;
    at += length;
  }
  return non_ascii;
}

// ---- Transliteration ----

// The code point of the valid UTF-8 character `character`.
char32_t CodePoint(std::string_view character) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
  if (character.size() == 1) return byte(0);
  char32_t point = byte(0) & (0x7F >> character.size());
  for (std::size_t i = 1; i < character.size(); ++i)
    point = point << 6 | (byte(i) & 0x3F);
  return point;
}

// The letters of `first` onwards, one word each in `words`.
struct LetterBlock {
  char32_t first;
  std::string_view words;
};

// U+00C0-U+00FF and U+0100-U+017F; "-" where CP932 holds the character itself.
constexpr LetterBlock kLatinBlocks[] = {
    {0x00C0,
     "A A A A A A AE C E E E E I I I I D N O O O O O - O U U U U Y Th ss "
     "a a a a a a ae c e e e e i i i i d n o o o o o - o u u u u y th y"},
    {0x0100,
     "A a A a A a C c C c C c C c D d D d E e E e E e E e E e G g G g G g G g H h H h "
     "I i I i I i I i I i IJ ij J j K k q L l L l L l L l L l N n N n N n 'n N n O o O o "
     "O o OE oe R r R r R r S s S s S s S s T t T t T t U u U u U u U u U u U u W w Y y "
     "Y Z z Z z Z z s"},
    {0x01CD, "A a I i O o U u U u U u U u U u"},  // the tone marks of pinyin
};

// Vietnamese U+1EA0-U+1EF9: runs of alternating capital and small letters.
constexpr std::pair<char, int> kVietnameseRuns[] = {{'A', 24}, {'E', 16}, {'I', 4},
                                                    {'O', 24}, {'U', 14}, {'Y', 8}};

constexpr std::pair<char32_t, std::string_view> kSingles[] = {
    {0x00A1, "!"}, {0x00A9, "(C)"}, {0x00AA, "a"},   {0x00AB, "<<"},  {0x00AE, "(R)"},
    {0x00B2, "2"}, {0x00B3, "3"},   {0x00B5, "μ"},   {0x00B7, "・"},  {0x00B9, "1"},
    {0x00BA, "o"}, {0x00BB, ">>"},  {0x00BC, "1/4"}, {0x00BD, "1/2"}, {0x00BE, "3/4"},
    {0x00BF, "?"}, {0x01A0, "O"},   {0x01A1, "o"},   {0x01AF, "U"},   {0x01B0, "u"},
    {0x0218, "S"}, {0x0219, "s"},   {0x021A, "T"},   {0x021B, "t"},   {0x02BB, "'"},
    {0x02BC, "'"}, {0x0386, "Α"},   {0x0388, "Ε"},   {0x0389, "Η"},   {0x038A, "Ι"},
    {0x038C, "Ο"}, {0x038E, "Υ"},   {0x038F, "Ω"},   {0x03AC, "α"},   {0x03AD, "ε"},
    {0x03AE, "η"}, {0x03AF, "ι"},   {0x03CC, "ο"},   {0x03CD, "υ"},   {0x03CE, "ω"},
    {0x2013, "-"}, {0x2022, "・"},  {0x201A, ","},   {0x201E, "\""},
};

// The word at `index` of the words separated by single spaces; "" past
// the last.
std::string_view NthWord(std::string_view words, std::size_t index) {
  for (; index > 0; --index) {
    const std::size_t space = words.find(' ');
    if (space == std::string_view::npos) return {};
    words.remove_prefix(space + 1);
  }
  return words.substr(0, words.find(' '));
}

// The UTF-8 letters that stand for `point`; nullopt when none do, "" for a
// combining mark, which is dropped.
std::optional<std::string> Transliteration(char32_t point) {
  if (point >= 0x0300 && point <= 0x036F) return std::string();
  for (const LetterBlock& block : kLatinBlocks) {
    if (point < block.first) continue;
    const std::string_view word = NthWord(block.words, point - block.first);
    if (!word.empty() && word != "-") return std::string(word);
  }
  char32_t first = 0x1EA0;
  for (const auto& [capital, length] : kVietnameseRuns) {
    if (point >= first && point < first + static_cast<char32_t>(length)) {
      const bool small = (point - first) % 2 == 1;
      return std::string(1, small ? static_cast<char>(capital - 'A' + 'a') : capital);
    }
    first += static_cast<char32_t>(length);
  }
  for (const auto& [single, word] : kSingles) {
    if (single == point) return std::string(word);
  }
  return std::nullopt;
}

}  // namespace

std::optional<TextEncoding> ParseEncodingName(std::string_view name) {
  const std::string word = Normalised(name);
  if (word == "auto") return TextEncoding::kAuto;
  if (word == "cp932" || word == "sjis" || word == "shiftjis") return TextEncoding::kCp932;
  if (word == "utf8") return TextEncoding::kUtf8;
  return std::nullopt;
}

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kCp932:
      return "cp932";
    case TextEncoding::kUtf8:
      return "utf-8";
    case TextEncoding::kAuto:
      break;
  }
  return "auto";
}

std::optional<TextEncoding> EncodingOfCodePageFile(std::string_view contents) {
  const std::string word = Normalised(contents);
  if (word == "utf8" || word == "65001") return TextEncoding::kUtf8;
  for (const char* name : {"932", "cp932", "sjis", "shiftjis", "windows31j", "ms932"}) {
    if (word == name) return TextEncoding::kCp932;
  }
  return std::nullopt;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;  // the range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(byte(i))) return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark) || IsNonAsciiUtf8(bytes)) return TextEncoding::kUtf8;
  return TextEncoding::kCp932;
}

TextEncoding GuessEncoding(const std::vector<std::string>& values) {
  return std::all_of(values.begin(), values.end(),
                     [](const std::string& v) { return IsValidUtf8(v); })
             ? TextEncoding::kUtf8
             : TextEncoding::kCp932;
}

DecodedText DecodeFileText(std::string_view bytes) {
  DecodedText text{DetectTextEncoding(bytes), {}, {}};
  if (text.encoding == TextEncoding::kCp932) {
    text.bytes = bytes;
    return text;
  }
  if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  text.bytes.reserve(bytes.size());
  std::size_t line_number = 1;
  for (std::size_t begin = 0; begin <= bytes.size(); ++line_number) {
    const std::size_t end = std::min(bytes.find('\n', begin), bytes.size());
    const std::string_view line = bytes.substr(begin, end - begin);
    const auto converted = sjis::FromUtf8(line);
    text.bytes += converted ? *converted : std::string(line);
    if (!converted && text.reason.empty()) {
      text.reason = std::to_string(line_number) + " 行目に Shift-JIS で表せない文字があります";
    }
    if (end < bytes.size()) text.bytes += '\n';
    begin = end + 1;
  }
  return text;
}

std::optional<std::string> EncodeFileText(std::string_view text) {
  if (DetectTextEncoding(text) == TextEncoding::kCp932) return std::string(text);
  const auto utf8 = sjis::ToUtf8(text);
  if (!utf8 || sjis::FromUtf8(*utf8) != text) return std::nullopt;
  return std::string(kUtf8ByteOrderMark) + *utf8;
}

std::optional<std::string> DecodeText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::kCp932) return sjis::ToUtf8(text);
  if (!IsValidUtf8(text)) return std::nullopt;
  return std::string(text);
}

namespace sjis {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string_view CutToBytes(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > max_bytes) break;
    end += width;
  }
  return text.substr(0, std::min(end, text.size()));
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto byte = static_cast<unsigned char>(upper[i]);
    if (IsLeadByte(byte)) {
      ++i;  // the trail byte is part of the character, not a letter
    } else if (byte >= 'a' && byte <= 'z') {
      upper[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return upper;
}

char AsciiOfFullWidth(unsigned char lead, unsigned char trail, FullWidthSet set) {
  const bool number = set == FullWidthSet::kNumber;
  if (lead == 0x82) {  // ０-９ 0x824F-0x8258, Ａ-Ｚ 0x8260-0x8279, ａ-ｚ 0x8281-0x829A
    if (trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
    if (number) return 0;
    if (trail >= 0x60 && trail <= 0x79) return static_cast<char>('A' + (trail - 0x60));
    if (trail >= 0x81 && trail <= 0x9A) return static_cast<char>('a' + (trail - 0x81));
    return 0;
  }
  if (lead != 0x81 || !number) return 0;
  switch (trail) {
    case 0x7B:
      return '+';
    case 0x7C:
      return '-';
    case 0x44:
      return '.';
    case 0x43:
      return ',';
    default:
      return 0;
  }
}

std::optional<std::string> ToUtf8(std::string_view text) {
  return Convert(kUtf8, kCp932, text, nullptr);
}

std::string ToUtf8Lossy(std::string_view text) {
  return Convert(kUtf8, kCp932, text, &kToUtf8Fallback).value_or(std::string());
}

std::u16string ToUtf16Lossy(std::string_view text) {
  const std::string bytes = Convert(kUtf16, kCp932, text, &kToUtf16Fallback).value_or("");
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
    units += Utf16Unit(bytes, at);
  return units;
}

std::optional<std::string> FromUtf8(std::string_view text) {
  return Convert(kCp932, kUtf8, text, nullptr);
}

std::string FromUtf8Lossy(std::string_view text) {
  return Convert(kCp932, kUtf8, text, &kFromUtf8Fallback).value_or(std::string());
}

std::optional<std::string> FromUtf8Transliterated(std::string_view text) {
  if (auto whole = FromUtf8(text)) return whole;
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return std::nullopt;
    const std::string_view character = text.substr(at, length);
    auto converted = FromUtf8(character);
    if (!converted) {
      const auto letters = Transliteration(CodePoint(character));
      converted = letters ? FromUtf8(*letters) : std::nullopt;
    }
    if (!converted) return std::nullopt;
    out += *converted;
    at += length;
  }
  return out;
}

std::string FromUtf16Lossy(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return Convert(kCp932, kUtf16, bytes, &kFromUtf16Fallback).value_or(std::string());
}

std::string FromLatin1Lossy(std::string_view text) {
  return Convert(kCp932, kLatin1, text, &kFromLatin1Fallback).value_or(std::string());
}

}  // namespace sjis

bool IsBlank(char c, Blanks blanks) {
  switch (blanks) {
    case Blanks::kSpace:
      return c == ' ';
    case Blanks::kSpaceTab:
      return c == ' ' || c == '\t';
    case Blanks::kSpaceTabCr:
      return c == ' ' || c == '\t' || c == '\r';
    case Blanks::kSpaceTabCrLf:
      return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  }
  return false;
}

std::string_view Trim(std::string_view text, Blanks blanks) {
  while (!text.empty() && IsBlank(text.front(), blanks))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back(), blanks))
    text.remove_suffix(1);
  return text;
}

std::string_view CutComment(std::string_view line) {
  return line.substr(0, line.find(';'));
}

void TrimComment(std::string& line) {
  line = std::string(Trim(CutComment(line), Blanks::kSpaceTab));
}

}  // namespace kartela
