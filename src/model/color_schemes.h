// Named colour schemes for paint maps: ordered colours that readers with
// the common forms of colour blindness can still tell apart, for 2 to 8
// classes. The values are the ColorBrewer schemes as published (3 to 8
// classes); two classes take the two ends of the three-class scheme.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/settings.h"

namespace kartela {

enum class SchemeKind : std::uint8_t {
  kSequential,  // light to dark: low to high values
  kDiverging,   // two hues meeting at a light middle class
};

// Colours as 0xRRGGBB.
using SchemeRow = std::array<std::uint32_t, kMaxClassCount>;

struct ColorScheme {
  std::string_view name;  // the stored name, as published ("Blues")
  SchemeKind kind;
  std::array<SchemeRow, kMaxClassCount - 2> rows;  // row r: r + 3 classes
};

// Every scheme, sequential ones first, in the order the dialog offers them.
std::span<const ColorScheme> ColorSchemes();

// The scheme stored as `name`, or nullptr (an empty or unknown name: the
// pattern order fills the classes).
const ColorScheme* FindColorScheme(std::string_view name);

// The colour of class `j` (0 = lowest values) of `k` classes, k = 1..8; a
// single class takes the lowest colour of two.
std::uint32_t SchemeColour(const ColorScheme& scheme, int k, int j);

}  // namespace kartela
