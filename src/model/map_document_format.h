// The layout of a map document (.KTD): the kind tags, the header lines of
// each kind, the limits the reader checks and the forms of its numbers. The
// reader, the writer and the tests all take them from here.
//
// Lines end in CR LF and texts are Shift-JIS. Line 1 is the kind tag, line 2
// the data title (empty for a white map), line 3 the base-map reference, then
// the kind's own header lines (kHeaderLines). A line "#" opens the body: the
// value count and the values, the shape count and five lines per shape
// (X1, Y1, X2, Y2, Kind), the text count and four lines per text (X, Y,
// Style, Text). Nothing follows the last text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/area_list.h"
#include "model/data_set.h"
#include "model/decorations.h"
#include "model/symbol_settings.h"

namespace kartela::map_document {

// The map kinds a document holds, numbered as the map window numbers them.
enum class Kind : std::uint8_t {
  kWhiteMap = 1,
  kPaintMap = 2,
  kCircleGraph = 3,
  kPictureGraph = 4
};

struct KindTag {
  Kind kind;
  std::string_view tag;
};
inline constexpr std::array<KindTag, 4> kKindTags = {{{Kind::kPaintMap, "@P"},
                                                      {Kind::kWhiteMap, "@W"},
                                                      {Kind::kCircleGraph, "@M"},
                                                      {Kind::kPictureGraph, "@G"}}};

inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kBodyMarker = "#";

// Header lines after the base-map reference: paint map DataMin, DataMax,
// DivisionMethod, LegendStyle and seven boundaries; circle map RefRadius,
// RefValueText, BaseValue, PlusColour, MinusColour; picture graph the
// picture's file name, RefRadius, RefValueText, BaseValue.
inline constexpr std::size_t kBoundaryCount = 7;
inline constexpr std::size_t kPaintHeaderLines = 4 + kBoundaryCount;
inline constexpr std::size_t kCircleHeaderLines = 5;
inline constexpr std::size_t kPictureHeaderLines = 4;

// A paint map drawn in a colour scheme has one more line after its header,
// this prefix and the scheme's name; readers skip lines they do not know
// there, and a document without a scheme has no such line.
inline constexpr std::string_view kColorSchemePrefix = "ColorScheme=";
inline constexpr std::size_t kMaxSchemeNameBytes = 32;
// Lines of the same place for any kind, each only when set: the legend
// heading, the source line (as JoinSourceLine writes it) and the circle
// map's nested legend.
inline constexpr std::string_view kLegendHeadingPrefix = "LegendHeading=";
inline constexpr std::string_view kSourcePrefix = "Source=";
inline constexpr std::string_view kNestedCircleLegendLine = "CircleLegend=nested";

// Limits of the lines the reader takes.
inline constexpr std::size_t kMaxBoundaryBytes = 22;
inline constexpr std::size_t kMaxPathBytes = 4096;      // the base-map reference and the picture
inline constexpr std::size_t kMaxNumberLineBytes = 64;  // any integer or real line
inline constexpr int kMaxValueCount = kMaxAreas;

// The 23-character form of a written real: a blank or "-", one digit, ".",
// 14 digits, "E", the exponent's sign and four digits.
inline constexpr std::size_t kRealTextBytes = 23;

// The largest file the layout can hold: every header line at its longest,
// the values, and both decoration lists full, each line with its CR LF.
inline constexpr std::uintmax_t kMaxFileBytes =
    (3 + kPaintHeaderLines + 5) * (kMaxPathBytes + 2) +
    static_cast<std::uintmax_t>(kMaxValueCount) * (kMaxValueBytes + 2) +
    2 * (kMaxNumberLineBytes + 2) +
    static_cast<std::uintmax_t>(kMaxDecorations) *
        (8 * (kMaxNumberLineBytes + 2) + kMaxDecorationTextBytes + 2);

// `value` in the 23-character form, 15 significant digits rounded to nearest.
std::string FormatReal(double value);

// A real line in any decimal or exponent notation (blanks around it allowed,
// an optional sign); nullopt for anything else, or a magnitude beyond the
// stored real's range. The result is rounded to the stored real.
std::optional<double> ParseReal(std::string_view line);

// An integer line: optional blanks, an optional sign and decimal digits,
// nothing else; nullopt outside [low, high].
std::optional<std::int32_t> ParseInteger(std::string_view line, std::int32_t low,
                                         std::int32_t high);

}  // namespace kartela::map_document
