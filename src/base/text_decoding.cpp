#include "base/text_decoding.h"

#include <algorithm>
#include <cstddef>

#include "base/sjis.h"

namespace kartela {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Length of the UTF-8 sequence at `at`, or 0 when it is not a valid one
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// Whether `bytes` are valid UTF-8 with at least one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view bytes) {
  bool non_ascii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(bytes, at);
    if (length == 0) return false;
    non_ascii = true;
    at += length;
  }
  return non_ascii;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark) || IsNonAsciiUtf8(bytes)) return TextEncoding::kUtf8;
  return TextEncoding::kShiftJis;
}

DecodedText DecodeFileText(std::string_view bytes) {
  DecodedText text{DetectTextEncoding(bytes), {}, {}};
  if (text.encoding == TextEncoding::kShiftJis) {
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

}  // namespace kartela
