// The drawing objects and parameters of a device context, modelled on the
// GDI calls the drawing code makes, so that every backend (screen, image,
// printer, metafile writers, test recorder) receives the same description.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace kartela::gdi {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  bool operator==(const Size&) const = default;
};

// Left and top inclusive, right and bottom exclusive, as GDI fills them.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

enum class PenStyle : std::uint8_t { kSolid = 0, kDot = 2, kNull = 5 };

// Width 0 is a cosmetic pen: one device pixel at any scale.
struct Pen {
  PenStyle style = PenStyle::kSolid;
  std::int32_t width = 0;
  Color color;
  bool operator==(const Pen&) const = default;
};

enum class HatchStyle : std::uint8_t {
  kHorizontal = 0,
  kVertical = 1,
  kForwardDiagonal = 2,   // HS_FDIAGONAL: top-left to bottom-right
  kBackwardDiagonal = 3,  // HS_BDIAGONAL: bottom-left to top-right
  kCross = 4,
  kDiagonalCross = 5,
};

enum class BrushKind : std::uint8_t { kSolid, kHatch, kPattern, kHollow };

// An 8x8 two-colour pattern: row 0 is the top, bit 7 of a row its leftmost
// pixel; a set bit is ink, a clear bit white.
using PatternRows = std::array<std::uint8_t, 8>;

// The 8x8 cell a hatch brush tiles with, as a pattern's rows; a style out of
// range takes the last one.
inline const PatternRows& HatchRows(HatchStyle style) {
  static constexpr PatternRows kRows[] = {
      {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
      {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
      {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // top-left to bottom-right
      {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // bottom-left to top-right
      {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
      {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
  };
  constexpr std::size_t kLast = sizeof kRows / sizeof kRows[0] - 1;
  return kRows[std::min<std::size_t>(static_cast<std::size_t>(style), kLast)];
}

// Hatch and pattern brushes tile from the device origin.
struct Brush {
  BrushKind kind = BrushKind::kHollow;
  Color color;  // solid colour, hatch colour or pattern ink
  HatchStyle hatch = HatchStyle::kHorizontal;
  PatternRows pattern{};  // for kPattern
  bool operator==(const Brush&) const = default;
};

enum class BackgroundMode : std::uint8_t { kTransparent = 1, kOpaque = 2 };

enum class FillMode : std::uint8_t { kAlternate = 1, kWinding = 2 };

// Raster operations for lines: kCopyPen draws, kNotXorPen inverts (rubber
// bands drawn twice vanish).
enum class RasterOp : std::uint8_t { kNotXorPen = 10, kCopyPen = 13 };

// Text alignment flags, with the values of TA_*.
enum TextAlign : std::uint32_t {
  kAlignLeft = 0,
  kAlignTop = 0,
  kAlignRight = 2,
  kAlignCenter = 6,
  kAlignBottom = 8,
  kAlignBaseline = 24,
};

}  // namespace kartela::gdi
