// The drawing objects every paint selects: 57 fill brushes, 10 pens made from
// the border-line setting, the 4 font records, and the pattern order that
// maps a class to a brush, with the symbols the user types for it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gdi/gdi_types.h"
#include "model/color_schemes.h"
#include "model/log_font.h"
#include "model/settings.h"

namespace kartela {

inline constexpr int kBrushCount = 57;
inline constexpr int kFirstCircleColourBrush = 24;  // the nine colours of circles and symbols
inline constexpr int kFirstHatchBrush = 34;
inline constexpr int kFirstPatternBrush = 40;
inline constexpr int kHollowBrush = 56;

enum PenIndex : int {
  kPenBorder = 0,  // each screen pen is followed by its monochrome twin
  kPenBorderMono,
  kPenLegend,  // legend boxes and code -9 lines
  kPenLegendMono,
  kPenDotted,  // rubber bands
  kPenDottedMono,
  kPenSecondBorder,
  kPenSecondBorderMono,
  kPenAuxiliary,
  kPenAuxiliaryMono,
  kPenCount,
};

enum FontIndex : int {
  kFontTitle = 0,
  kFontLegend,
  kFontDecoration,
  kFontAreaName,
  kFontCount,
};

inline constexpr std::int16_t kDefaultPrintLineWidth = 2;

// The colours captured from the system at start-up.
struct ScreenColors {
  gdi::Color window = gdi::kWhite;       // background of texts
  gdi::Color window_text = gdi::kBlack;  // pens and texts
};

// Widths of the monochrome pens, in device pixels.
struct PrintPenWidths {
  std::int32_t line = kDefaultPrintLineWidth;
  std::int32_t thick = 2;
};

// The fields of BorderStyle.
enum class NormalBorder { kThin, kThick, kDotted };
enum class SecondBorder { kNone, kThick, kDotted };
enum class AuxiliaryLine { kNone, kThin, kThick, kDotted };
NormalBorder NormalBorderOf(std::int16_t border_style);
SecondBorder SecondBorderOf(std::int16_t border_style);
AuxiliaryLine AuxiliaryLineOf(std::int16_t border_style);

// The brush table in index order. Hatch and pattern brushes are described
// with plain colours: the palette option changes nothing on this platform.
const std::array<gdi::Brush, kBrushCount>& Brushes();
// Brush `index` of the table; an index beyond it is the hollow brush.
const gdi::Brush& BrushAt(int index);
// The brush of circle colour `colour` (0..8); any other colour is hollow.
const gdi::Brush& CircleColourBrush(int colour);

// Texts are placed by the top-left corner of their cell.
inline constexpr std::uint32_t kAlignLeftTop = gdi::kAlignLeft | gdi::kAlignTop;

// The monochrome widths: the print line width, and twice the whole part of
// the print magnification for thick lines.
PrintPenWidths PrintWidthsOf(std::int16_t print_line_width, double print_size);

std::array<gdi::Pen, kPenCount> CreatePens(std::int16_t border_style, gdi::Color screen_color,
                                           PrintPenWidths print);

// The objects one paint draws with, made from the current settings.
struct DrawingResources {
  std::array<gdi::Pen, kPenCount> pens;
  std::array<LogFont, kFontCount> fonts;
  ScreenColors screen;
  PatternOrderTable pattern_order{};
  const ColorScheme* scheme = nullptr;  // when set, its colours fill the classes

  // The brush of class `j` of `k` classes: the scheme's colour as a solid
  // brush, else the pattern order's brush (BrushForClass).
  gdi::Brush ClassBrush(int k, int j) const;

  // The screen pen `index`, or its monochrome twin.
  const gdi::Pen& PenFor(PenIndex index, bool monochrome) const {
    return pens[static_cast<std::size_t>(index + (monochrome ? 1 : 0))];
  }
};

DrawingResources CreateDrawingResources(const Settings& settings, const ScreenColors& screen,
                                        std::int16_t print_line_width);

// `font` as drawn at `scale`: height Round(height x scale), or the record
// itself at scale 1.
LogFont ScaledFont(const LogFont& font, double scale);

// The brush index of class `j` of `k` classes. A single class takes the first
// entry of the two-class row; an entry that names no brush (the settings
// keep any byte) and a class outside the row are hollow.
int BrushIndexForClass(const PatternOrderTable& order, int k, int j);
const gdi::Brush& BrushForClass(const PatternOrderTable& order, int k, int j);

// Pattern symbols: "0".."9", "a".."z", "A".."T" stand for brushes 0..55.
std::optional<std::uint8_t> BrushOfSymbol(char symbol);
// The symbol of brush `index`; "U" for an index without one, which reads
// back as no entry.
char SymbolOfBrush(int index);

// Reads the order typed for `k` classes into `row`: up to 17 characters are
// scanned, characters that are no symbol are skipped, at most k entries are
// taken, and entries not reached keep their values.
void ParsePatternOrder(std::string_view text, int k, std::array<std::uint8_t, 8>& row);
// The first `k` entries of `row` as symbols joined by "-", e.g. "o-p-q-r-s".
std::string FormatPatternOrder(const std::array<std::uint8_t, 8>& row, int k);

}  // namespace kartela
