// The decorations a user adds on top of a map: shapes and texts, kept in two
// lists of fixed capacity, in map-window pixels at scale 1.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kartela {

// Records each list holds.
inline constexpr int kMaxDecorations = 240;
// Longest decoration text, in Shift-JIS bytes (the field holds one more for the NUL).
inline constexpr std::size_t kMaxDecorationTextBytes = 81;

// Shape kinds. A filled shape's kind is its base plus the fill (0..9); any
// other kind value draws nothing.
inline constexpr std::uint8_t kShapeLine = 1;
inline constexpr std::uint8_t kShapeDottedLine = 2;
inline constexpr std::uint8_t kShapeRectangle = 3;
inline constexpr std::uint8_t kShapeCircle = 16;
inline constexpr std::uint8_t kShapeSquare = 32;
inline constexpr std::uint8_t kShapeTriangle = 48;
inline constexpr std::uint8_t kShapeCross = 64;
inline constexpr std::uint8_t kFillCount = 10;
inline constexpr std::uint8_t kFillHollow = 9;  // the outline only

struct ShapeDecoration {
  std::int16_t X1 = 0;  // where the drag started; the centre of a filled shape
  std::int16_t Y1 = 0;
  std::int16_t X2 = 0;  // where the drag ended
  std::int16_t Y2 = 0;
  std::uint8_t Kind = 0;
};

// Background of a text decoration.
inline constexpr std::int16_t kTextCleared = 1;
inline constexpr std::int16_t kTextTransparent = 2;

struct TextDecoration {
  std::int16_t X = 0;  // top-left corner of the text
  std::int16_t Y = 0;
  std::int16_t Style = kTextCleared;
  std::string Text;  // Shift-JIS, at most kMaxDecorationTextBytes
};

struct DecorationLists {
  std::array<ShapeDecoration, kMaxDecorations> ShapeDecorations{};
  std::int16_t ShapeCount = 0;
  std::array<TextDecoration, kMaxDecorations> TextDecorations{};
  std::int16_t TextDecorationCount = 0;

  // The records in use; a count out of range is taken as the nearest valid one.
  std::span<const ShapeDecoration> Shapes() const {
    return std::span(ShapeDecorations).first(InUse(ShapeCount));
  }
  std::span<const TextDecoration> Texts() const {
    return std::span(TextDecorations).first(InUse(TextDecorationCount));
  }

 private:
  static std::size_t InUse(std::int16_t count) {
    return static_cast<std::size_t>(std::clamp<int>(count, 0, kMaxDecorations));
  }
};

}  // namespace kartela
