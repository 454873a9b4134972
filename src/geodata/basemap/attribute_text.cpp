#include "geodata/basemap/attribute_text.h"

#include <algorithm>
#include <cctype>

#include "base/sjis.h"

namespace kartela::basemap {
namespace {

std::string Normalised(std::string_view text) {
  std::string word;
  for (const char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c)) && c != '-' && c != '_')
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return word;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence starting at `text[0]`, 0 when invalid
// (overlong forms, surrogates and values beyond U+10FFFF included).
std::size_t SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 0;
  }
  if (length < 3) return length;
  const auto second = static_cast<unsigned char>(text[1]);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
    return 0;
  }
  return length;
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

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

TextEncoding GuessEncoding(const std::vector<std::string>& values) {
  return std::all_of(values.begin(), values.end(),
                     [](const std::string& v) { return IsValidUtf8(v); })
             ? TextEncoding::kUtf8
             : TextEncoding::kCp932;
}

std::optional<std::string> DecodeText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::kCp932) return sjis::ToUtf8(text);
  if (!IsValidUtf8(text)) return std::nullopt;
  return std::string(text);
}

}  // namespace kartela::basemap
