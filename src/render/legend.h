// The texts of a paint map: the title, the legend (one box and one value
// range per class) and the area names at the areas' anchors.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "render/classification.h"
#include "render/paint_context.h"

namespace kartela {

// Longest lower or upper text of a legend row, in bytes.
inline constexpr std::size_t kLegendTextBytes = 32;

// Bits of AreaNameFlags.
inline constexpr std::int16_t kNamesShown = 0x01;
inline constexpr std::int16_t kNamesAtEveryAnchor = 0x03;  // both low bits
inline constexpr std::int16_t kNamesTransparent = 0x04;
inline constexpr std::int16_t kNamesAbbreviated = 0x08;
inline constexpr std::int16_t kNamesBackwards = 0x10;
inline constexpr std::int16_t kNamesOnlyWithData = 0x20;

struct LegendRow {
  std::string lower = " ";
  std::string upper = " ";
};

// The working texts of one paint: a row per class (the first `row_count`
// are used), the template whose width both number columns take, and the
// text between the two numbers.
struct LegendTexts {
  std::array<LegendRow, kMaxClassCount> rows;
  int row_count = 1;
  std::string width_template;
  std::string separator;
};

// LegendStyle: mod 4 gives 1 ascending, 2 descending, anything else hidden;
// 4 and above asks for adjusted ranges ("1.0~1.9" rather than "1.0~2.0").
bool LegendShown(std::int16_t legend_style);
bool LegendDescending(std::int16_t legend_style);
bool LegendAdjusted(std::int16_t legend_style);

// Where boundaries are committed (the paint map command, the command line):
// blanks the entry after the last one and normalises the texts of the
// boundaries in force and of the entry after them (trimmed, one leading space
// unless they begin with "-"), as the legend shows them and the text copy
// reads them. A second call changes nothing.
void NormaliseClassBreaks(ClassTables& tables);

// Builds the legend texts for `classes` from the boundary texts of `tables`,
// normalised as NormaliseClassBreaks does; `tables` stays as it is.
LegendTexts PrepareLegendTexts(const ClassTables& tables, const PaintClasses& classes,
                               std::int16_t legend_style, std::string_view legend_face);

// The data title centred over the map; nothing without texts.
void DrawTitle(const PaintContext& context);

// The legend boxes and, unless texts are left out, their value ranges.
void DrawLegend(const PaintContext& context, const LegendTexts& texts);

// The area names as AreaNameFlags asks; nothing without texts.
void DrawAreaNames(const PaintContext& context);

// `name` cut at the first "(" and the first full-width one, then without one
// final 都, 府, 県, 市, 町 or 村.
std::string AbbreviatedAreaName(std::string_view name);

}  // namespace kartela
