// The logical-font record kept in the settings and map documents, and
// selected into device contexts by the drawing code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kartela {

// "ＭＳ 明朝" in Shift-JIS, the face every font record starts with.
inline constexpr std::string_view kDefaultFaceName = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";
// Longest face name a font record keeps, in Shift-JIS bytes.
inline constexpr std::size_t kMaxFaceNameBytes = 31;

// A font as the drawing code creates it. A negative height is the character
// height in pixels, a positive one the cell height.
struct LogFont {
  std::int32_t Height = -12;
  std::int32_t Width = 0;
  std::int32_t Escapement = 0;
  std::int32_t Orientation = 0;
  std::int32_t Weight = 0;
  std::uint8_t Italic = 0;
  std::uint8_t Underline = 0;
  std::uint8_t StrikeOut = 0;
  std::uint8_t CharSet = 1;  // the default character set
  std::uint8_t OutPrecision = 0;
  std::uint8_t ClipPrecision = 0;
  std::uint8_t Quality = 0;
  std::uint8_t PitchAndFamily = 0;
  std::string FaceName{kDefaultFaceName};  // Shift-JIS, at most kMaxFaceNameBytes

  bool operator==(const LogFont&) const = default;
};

}  // namespace kartela
