#include "gdi/metafile_text.h"

#include <optional>

#include "base/sjis.h"

namespace kartela::gdi {
namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes the UTF-8 that sjis::ToUtf8Lossy produces (always well formed).
std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (i + length > utf8.size()) break;
    char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

// One character to Shift-JIS, "?" when it has no Shift-JIS form.
std::string ShiftJisOfCharacter(char32_t code) {
  if (code < 0x80) return std::string(1, static_cast<char>(code));
  std::string utf8;
  AppendUtf8(utf8, code);
  return sjis::FromUtf8(utf8).value_or("?");
}

}  // namespace

std::u16string Utf16FromShiftJis(std::string_view text) {
  return Utf16FromUtf8(sjis::ToUtf8Lossy(text));
}

std::string ShiftJisFromUtf16(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    const bool high = code >= 0xD800 && code < 0xDC00;
    const bool low_follows = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
    if (high && low_follows) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (code >= 0xD800 && code < 0xE000) {
      code = kReplacementCharacter;
    }
    out += ShiftJisOfCharacter(code);
  }
  return out;
}

std::string ShiftJisFromLatin1(std::string_view text) {
  std::string out;
  for (const char byte : text)
    out += ShiftJisOfCharacter(static_cast<unsigned char>(byte));
  return out;
}

}  // namespace kartela::gdi
