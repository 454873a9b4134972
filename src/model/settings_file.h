// The settings file beside the program: Shift-JIS text lines "key = value",
// ";" starting a comment, keys compared in upper case, written with CR LF.
//
// Keys: ItemLength, Embiroment (the save mask), Position, BaseMap, DataDir,
// DataExt, PrintSize, DrawSize, DrawPosition, Division, Pattern, TitleFont,
// IndexFont, FancyFont, AreaFont, LineWidth, ColorChange, LegendOptions,
// ColorScheme, LegendHeading, Source, ShowHint, Zflag.
// The file is rewritten at shutdown only when a saved value changed, so a
// run without changes leaves it byte for byte as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/status.h"
#include "model/settings.h"

namespace kartela {

// What a value of the settings file holds.
enum class SettingText {
  kDataDir,   // the whole value of its line
  kFaceName,  // the first field of a font key's value, before a comma
};

// The character that makes `text` (Shift-JIS) read back differently from the
// settings file: ";" starts a comment anywhere, "," ends a face name, a line
// break ends the line, and a blank or tab at either end is trimmed. 0 when
// `text` reads back as it is. The commands refuse such a value where it is
// entered; the writer keeps the old line of a key whose new value has one.
char UnstorableSettingCharacter(std::string_view text, SettingText kind);

// Applies every known key of the settings text `bytes` to `settings`, keeping
// the value texts in RawSettingLines. Unknown keys, blank lines and comments
// are ignored; a later line of a key overrides an earlier one. A text
// written as UTF-8 is converted first (DecodeFileText). Never fails.
void ParseSettings(std::string_view bytes, Settings& settings);

// The largest settings or user-tools file read; a real one is a few
// kilobytes, so a larger file was named by mistake.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 1024 * 1024;

// ParseSettings on the file at `path`; a missing or unreadable file, or one
// larger than kMaxSettingsFileBytes, leaves `settings` as it was, silently.
void ReadSettings(const std::filesystem::path& path, Settings& settings);

// Whether shutdown has anything to write: a change whose bit SaveMask keeps,
// a hint setting changed in this run, or a metafile mode set by a switch.
bool ShouldWriteSettings(const Settings& settings);

// The whole settings file for `settings`: the current value of each saved
// change, the text as read for every other key that was in the file; UTF-8
// after a byte-order mark only where Shift-JIS would read back as UTF-8
// (EncodeFileText).
std::string FormatSettings(const Settings& settings);

// Rewrites the file at `path` when ShouldWriteSettings holds; otherwise leaves
// it untouched and succeeds. The file is replaced only by a complete one: on
// failure the old file stays and the status says why.
Status WriteSettings(const std::filesystem::path& path, const Settings& settings);

}  // namespace kartela
