// The texts of a paint map: the title, the legend (one box and one value
// range per class) and the area names at the areas' anchors.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
// Names that would overlap one already written are left out (larger areas
// first), and transparent names over dark fills are white with a dark halo.
inline constexpr std::int16_t kNamesApart = 0x40;

struct LegendRow {
  std::string lower = " ";
  std::string upper = " ";
  std::string count;  // "（12）" after the range, or empty
};

// The working texts of one paint: a row per class (the first `row_count`
// are used), the template whose width both number columns take, and the
// text between the two numbers.
struct LegendTexts {
  std::array<LegendRow, kMaxClassCount> rows;
  int row_count = 1;
  std::string width_template;
  std::string separator;
  // The text of a last row with the brush of areas without a value
  // ("データなし"); empty: no such row.
  std::string missing;
  // The template and separator before the options widened the texts: the
  // wider legend keeps the right edge of the plain one, so that it stays
  // inside the picture. Empty without options.
  std::string plain_template;
  std::string plain_separator;
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

// The paint map as it is drawn when the proposed boundaries are taken as they
// stand: statistics computed, the proposal committed and normalised as the
// paint map command commits it, the paint map made the current map. False
// when the values allow no paint map.
bool ClassifyAsPaintMap(Workspace& workspace);

// Builds the legend texts for `classes` from the boundary texts of `tables`,
// normalised as NormaliseClassBreaks does; `tables` stays as it is.
LegendTexts PrepareLegendTexts(const ClassTables& tables, const PaintClasses& classes,
                               std::int16_t legend_style, std::string_view legend_face);

// Applies the LegendOptions bits `options` to `texts`, made by
// PrepareLegendTexts: digits grouped by thousands, "以上"/"未満" words (under
// division method 2 "超"/"以下"; with adjusted ranges the moved end reads
// "以下"/"以上") instead of the separator, the number of areas of each
// class, and the row for areas without a value when some of the first
// `area_count` areas have none. No option leaves `texts` as it is.
void ApplyLegendOptions(LegendTexts& texts, const ClassTables& tables, const PaintClasses& classes,
                        std::int16_t legend_style, std::uint8_t options, int area_count);

// "1234567.5" as "1,234,567.5": the first run of digits grouped by three.
std::string WithThousands(std::string_view text);

// The text of the row for areas without a value, "データなし" (Shift-JIS).
inline constexpr std::string_view kLegendMissingText = "\x83\x66\x81\x5b\x83\x5e\x82\xc8\x82\xb5";

// The words after the lower and the upper end of a class: "以上"/"未満"
// under division method 1, "超"/"以下" under method 2; an end `adjusted`
// by one unit into the class is included ("以上" or "以下").
struct BoundWords {
  std::string_view lower;
  std::string_view upper;
};
BoundWords BoundWordsFor(int division_method, bool adjusted);

// "（12）", the digits grouped when `thousands`.
std::string LegendCountText(int count, bool thousands);

// The data title centred over the map; nothing without texts.
void DrawTitle(const PaintContext& context);

// The legend boxes and, unless texts are left out, their value ranges.
void DrawLegend(const PaintContext& context, const LegendTexts& texts);

// The brush an area is filled with, for names written over it.
using AreaFill = std::function<gdi::Brush(int area)>;

// The area names as AreaNameFlags asks; nothing without texts. `fill` tells
// the names apart (kNamesApart) which areas are dark; none: no area is.
void DrawAreaNames(const PaintContext& context, const AreaFill& fill = {});

// `name` cut at the first "(" and the first full-width one, then without one
// final 都, 府, 県, 市, 町 or 村.
std::string AbbreviatedAreaName(std::string_view name);

}  // namespace kartela
