// What the settings commands accept: the data-file extension, the area-name
// length, and the save mask behind the settings-file dialog's check boxes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/settings.h"

namespace kartela {

// --- The data-file extension (Shift-JIS) ---

// Extensions that the program's own files use: a new data extension must
// not occur anywhere inside this text.
inline constexpr std::string_view kReservedExtensions = ".KTD .WMF .EXE .INI";
inline constexpr std::size_t kMaxDataExtBytes = 4;  // with the dot

enum class DataExtVerdict {
  kAccepted,
  kEmpty,      // nothing typed: the extension stays
  kReserved,   // message 19 with the extension
  kMalformed,  // a character a file name or a name filter cannot take
};

struct DataExtCheck {
  DataExtVerdict verdict = DataExtVerdict::kEmpty;
  std::string ext;  // the normalised extension: dot first, at most 4 bytes, upper case
};

// Normalises the typed extension `typed` (Shift-JIS) and judges it: a dot is
// put in front when missing, the text is cut to 4 bytes (never inside a
// double-byte character) and upper-cased; then it is refused when it occurs
// in kReservedExtensions, or when a character after the dot is a blank, a
// control character, a dot, a path separator, or one of * ? [ ] : ; " < > | ( ).
DataExtCheck CheckDataExt(std::string_view typed);

// --- The area-name length ---

inline constexpr int kMinItemLength = 2;
inline constexpr int kMaxItemLength = 36;

// The typed length: a whole decimal number (blanks around it and a sign
// allowed) from 2 to 36; nothing otherwise.
std::optional<std::int16_t> ParseItemLength(std::string_view text);

// --- What the settings file keeps ---

// The SaveMask bit of each of the fifteen check boxes, in their order.
inline constexpr std::array<std::uint16_t, 15> kSaveMaskBoxBits = {
    kChangedWindow,    kChangedDataDir,   kChangedDataExt,      kChangedBaseMap,
    kChangedPrintSize, kChangedDrawSize,  kChangedDrawPosition, kChangedDivision,
    kChangedPattern,   kChangedTitleFont, kChangedIndexFont,    kChangedFancyFont,
    kChangedAreaFont,  kChangedLineWidth, kChangedColorChange};
using SaveMaskChecks = std::array<bool, kSaveMaskBoxBits.size()>;

// Which boxes show checked for `save_mask`.
SaveMaskChecks ChecksOfSaveMask(std::int32_t save_mask);
// The mask of the checked boxes, plus bit 0x0001, which is always saved.
std::int32_t SaveMaskOfChecks(const SaveMaskChecks& checks);

}  // namespace kartela
