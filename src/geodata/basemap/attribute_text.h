// The text encoding of a boundary file's attribute table.
//
// Boundary files from Japanese portals store their names in Shift-JIS, often
// without a .cpg file saying so; newer ones use UTF-8. Both are told apart
// from the bytes themselves: Shift-JIS names are practically never valid
// UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartela::basemap {

enum class TextEncoding { kAuto, kCp932, kUtf8 };

// "auto", "cp932" (also "sjis", "shift_jis") or "utf-8" (also "utf8").
std::optional<TextEncoding> ParseEncodingName(std::string_view name);
const char* EncodingName(TextEncoding encoding);

// The encoding a .cpg file names; nullopt for one this program does not read.
std::optional<TextEncoding> EncodingOfCodePageFile(std::string_view contents);

bool IsValidUtf8(std::string_view text);

// UTF-8 when every value is valid UTF-8, else CP932.
TextEncoding GuessEncoding(const std::vector<std::string>& values);

// `text` in `encoding` as UTF-8; nullopt when it is not valid in it.
std::optional<std::string> DecodeText(std::string_view text, TextEncoding encoding);

}  // namespace kartela::basemap
