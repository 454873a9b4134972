// Shift-JIS (Windows code page 932) text.
//
// Texts of the model stay CP932 bytes so that every byte limit is a plain
// length check and files round-trip byte for byte; conversion to Unicode
// happens only at the user interface, the clipboard and the file system.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kartela::sjis {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char byte);

// The longest prefix of `text` of at most `max_bytes` bytes that does not end
// in the middle of a double-byte character.
std::string_view CutToBytes(std::string_view text, std::size_t max_bytes);

// Upper-cases the ASCII letters of `text`, leaving the trail bytes of
// double-byte characters alone (0x61-0x7A are valid trail bytes).
std::string ToUpper(std::string_view text);

// CP932 to UTF-8; nullopt when `text` holds a byte sequence CP932 does not
// define.
std::optional<std::string> ToUtf8(std::string_view text);

// CP932 to UTF-8 for display: undefined bytes become U+FFFD.
std::string ToUtf8Lossy(std::string_view text);

// UTF-8 to CP932; nullopt when a character has no CP932 form or `text` is
// not valid UTF-8.
std::optional<std::string> FromUtf8(std::string_view text);

}  // namespace kartela::sjis
