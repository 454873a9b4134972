// The settings of the circle map and the picture graph: the reference circle,
// the base value and the two fill colours. They are not kept in the settings
// file: every start of the program begins with the defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kartela {

// The nine circle colours, in the order of the dialog's buttons: white,
// yellow, cyan, green, magenta, red, blue, black, light grey.
inline constexpr int kCircleColourCount = 9;
// Longest reference value text, in bytes.
inline constexpr std::size_t kMaxRefValueTextBytes = 80;

struct SymbolSettings {
  std::int16_t RefRadius = 10;   // radius of the reference circle, in base-map units
  double BaseValue = 0;          // circles grow with a value's distance from it
  std::string RefValueText;      // the reference value as typed (Shift-JIS)
  std::int16_t PlusColour = 6;   // circle colour above the base value (blue)
  std::int16_t MinusColour = 1;  // circle colour below it (yellow)
  // The circle map's legend: one reference circle, or three nested ones.
  bool NestedLegend = false;
};

}  // namespace kartela
