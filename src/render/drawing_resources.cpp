#include "render/drawing_resources.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"
#include "model/symbol_settings.h"

namespace kartela {
namespace {

using gdi::Brush;
using gdi::BrushKind;
using gdi::Color;
using gdi::HatchStyle;
using gdi::Pen;
using gdi::PenStyle;

constexpr Brush Solid(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Brush{BrushKind::kSolid, Color{r, g, b}, HatchStyle::kHorizontal, {}};
}

constexpr Brush Hatch(HatchStyle hatch, Color color) {
  return Brush{BrushKind::kHatch, color, hatch, {}};
}

// One row of a pattern drawn as "X" for ink and "." for white, left to right.
constexpr std::uint8_t Row(const char (&pixels)[9]) {
  std::uint8_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits = static_cast<std::uint8_t>((bits << 1) | (pixels[i] == 'X' ? 1 : 0));
  return bits;
}

constexpr Brush Pattern(Color ink, const gdi::PatternRows& rows) {
  return Brush{BrushKind::kPattern, ink, HatchStyle::kHorizontal, rows};
}

// UsePalette is kept and saved, but colours are always plain RGB here: there
// is no palette device to realise one on, so both settings draw alike.
constexpr std::array<Brush, kBrushCount> kBrushes = {
    // 0..7: greens
    Solid(192, 255, 128),
    Solid(160, 255, 128),
    Solid(128, 255, 128),
    Solid(64, 192, 64),
    Solid(32, 160, 32),
    Solid(0, 96, 0),
    Solid(0, 64, 0),
    Solid(0, 32, 0),
    // 8..15: blues
    Solid(128, 255, 255),
    Solid(32, 224, 255),
    Solid(0, 192, 255),
    Solid(0, 160, 255),
    Solid(0, 96, 255),
    Solid(32, 32, 255),
    Solid(0, 0, 192),
    Solid(0, 0, 128),
    // 16..23: yellows to reds
    Solid(255, 255, 128),
    Solid(255, 192, 64),
    Solid(255, 128, 0),
    Solid(255, 64, 64),
    Solid(192, 0, 0),
    Solid(128, 0, 0),
    Solid(96, 0, 0),
    Solid(64, 0, 0),
    // 24..31: white, yellow, cyan, green, magenta, red, blue, black
    Solid(255, 255, 255),
    Solid(255, 255, 0),
    Solid(0, 255, 255),
    Solid(0, 255, 0),
    Solid(255, 0, 255),
    Solid(255, 0, 0),
    Solid(0, 0, 255),
    Solid(0, 0, 0),
    // 32..33: greys
    Solid(192, 192, 192),
    Solid(128, 128, 128),
    // 34..39: hatches
    Hatch(HatchStyle::kHorizontal, {255, 0, 0}),
    Hatch(HatchStyle::kVertical, {0, 0, 255}),
    Hatch(HatchStyle::kForwardDiagonal, {0, 128, 0}),
    Hatch(HatchStyle::kBackwardDiagonal, {128, 0, 128}),
    Hatch(HatchStyle::kCross, {128, 128, 0}),
    Hatch(HatchStyle::kDiagonalCross, {0, 128, 128}),
    // 40..55: the 8x8 patterns E..T
    Pattern({0, 0, 128}, {Row("...XX..."), Row("..XX...."), Row(".XXX...."), Row("XX.XX..."),
                          Row("X...XX.X"), Row(".....XXX"), Row(".....XX."), Row("....XX..")}),
    Pattern({0, 191, 0}, {Row(".XX..XX."), Row("XX..XX.."), Row("X..XX..X"), Row("..XX..XX"),
                          Row(".XX..XX."), Row("XX..XX.."), Row("X..XX..X"), Row("..XX..XX")}),
    Pattern({191, 191, 0}, {Row(".XX..XX."), Row(".XX..XX."), Row("X..XX..X"), Row("X..XX..X"),
                            Row(".XX..XX."), Row(".XX..XX."), Row("X..XX..X"), Row("X..XX..X")}),
    Pattern({191, 0, 191}, {Row("........"), Row(".XXXXXXX"), Row(".XXXXXXX"), Row(".XXXXXXX"),
                            Row("........"), Row("XXXX.XXX"), Row("XXXX.XXX"), Row("XXXX.XXX")}),
    Pattern({255, 0, 0}, {Row("X.X.X.X."), Row(".X.X.X.X"), Row("X.X.X.X."), Row(".X.X.X.X"),
                          Row("X.X.X.X."), Row(".X.X.X.X"), Row("X.X.X.X."), Row(".X.X.X.X")}),
    Pattern({255, 0, 0}, {Row("X....XXX"), Row(".XXXX..."), Row(".XXXX..."), Row(".XXXX..."),
                          Row(".XXXX..."), Row("X....XXX"), Row("X....XXX"), Row("X....XXX")}),
    Pattern({0, 0, 255}, {Row("....X..."), Row("...XXX.."), Row("..XXXXX."), Row(".XXXXXXX"),
                          Row("XXXXXXX."), Row(".XXXXX.."), Row("..XXX..."), Row("...X....")}),
    Pattern({128, 128, 128}, {Row("XX..XX.."), Row(".XX..XX."), Row("..X...X."), Row("..X...X."),
                              Row(".XX..XX."), Row("XX..XX.."), Row("X...X..."), Row("X...X...")}),
    Pattern({0, 191, 0}, {Row(".XXXX..."), Row("XX..XX.."), Row("X....XXX"), Row("........"),
                          Row(".XXXX..."), Row("XX..XX.."), Row("X....XXX"), Row("........")}),
    Pattern({0, 191, 191}, {Row("XXX....."), Row("XXX....."), Row("XXX....."), Row("........"),
                            Row("....XXX."), Row("....XXX."), Row("....XXX."), Row("........")}),
    Pattern({255, 0, 0}, {Row("..XX...."), Row("...XX..."), Row("....XX.."), Row(".....XX."),
                          Row(".....XX."), Row("....XX.."), Row("...XX..."), Row("..XX....")}),
    Pattern({0, 0, 0}, {Row("XXXXXXXX"), Row("..X....."), Row("..X....."), Row("..X....."),
                        Row("XXXXXXXX"), Row("......X."), Row("......X."), Row("......X.")}),
    Pattern({191, 191, 0}, {Row("........"), Row("........"), Row("...XX..."), Row("..XXXX.."),
                            Row(".XX..XX."), Row("XX....XX"), Row("X......X"), Row("........")}),
    Pattern({191, 0, 191}, {Row("XXXXXX.."), Row("XXXXXX.."), Row("XXXXXX.."), Row("XXXXXX.."),
                            Row("XXXXXX.."), Row("XXXXXX.."), Row("........"), Row("........")}),
    Pattern({0, 191, 191}, {Row("XXXXXX.."), Row("X....X.."), Row("X....X.."), Row("X....X.."),
                            Row("X....X.."), Row("XXXXXX.."), Row("........"), Row("........")}),
    Pattern({0, 255, 0}, {Row("X.X.X.X."), Row(".X.X.X.X"), Row("X.X.X.X."), Row(".X.X.X.X"),
                          Row("X.X.X.X."), Row(".X.X.X.X"), Row("X.X.X.X."), Row(".X.X.X.X")}),
    // 56: hollow
    Brush{},
};

// Symbols of brushes 0..55, in index order.
constexpr std::string_view kSymbols = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRST";
constexpr char kNoSymbol = 'U';
constexpr std::size_t kMaxOrderTextChars = 17;

// The largest print magnification whose thick width is computed; beyond it
// the width would leave the range of a pen.
constexpr double kMaxPrintMagnification = 1000.0;

Pen ScreenPen(PenStyle style, std::int32_t width, Color color) {
  return Pen{style, width, color};
}

Pen MonoPen(PenStyle style, std::int32_t width) {
  return Pen{style, width, gdi::kBlack};
}

// A line setting as its screen pen and its monochrome pen.
struct PenPair {
  Pen screen;
  Pen mono;
};

PenPair ThinPens(Color color, PrintPenWidths print) {
  return {ScreenPen(PenStyle::kSolid, 0, color), MonoPen(PenStyle::kSolid, print.line)};
}

PenPair ThickPens(Color color, PrintPenWidths print) {
  return {ScreenPen(PenStyle::kSolid, 2, color), MonoPen(PenStyle::kSolid, print.thick)};
}

PenPair DottedPens(Color color, PrintPenWidths print) {
  return {ScreenPen(PenStyle::kDot, 0, color), MonoPen(PenStyle::kDot, print.line)};
}

// The pens of a BorderStyle field. Thin and "none" both give thin pens: a
// second border set to none is drawn thin, an auxiliary line set to none is
// not drawn at all (the paint routine skips it).
template <typename Field>
PenPair FieldPens(Field field, Color color, PrintPenWidths print) {
  if (field == Field::kThick) return ThickPens(color, print);
  if (field == Field::kDotted) return DottedPens(color, print);
  return ThinPens(color, print);
}

void Store(std::array<Pen, kPenCount>& pens, PenIndex index, const PenPair& pair) {
  pens[static_cast<std::size_t>(index)] = pair.screen;
  pens[static_cast<std::size_t>(index) + 1] = pair.mono;
}

}  // namespace

// A field value the dialog never sets (3) draws as the field's first choice.
NormalBorder NormalBorderOf(std::int16_t border_style) {
  const int field = border_style & 3;
  return field == 1   ? NormalBorder::kThick
         : field == 2 ? NormalBorder::kDotted
                      : NormalBorder::kThin;
}

SecondBorder SecondBorderOf(std::int16_t border_style) {
  const int field = (border_style >> 2) & 3;
  return field == 1   ? SecondBorder::kThick
         : field == 2 ? SecondBorder::kDotted
                      : SecondBorder::kNone;
}

AuxiliaryLine AuxiliaryLineOf(std::int16_t border_style) {
  return static_cast<AuxiliaryLine>((border_style >> 4) & 3);
}

const std::array<gdi::Brush, kBrushCount>& Brushes() {
  return kBrushes;
}

const gdi::Brush& BrushAt(int index) {
  if (index < 0 || index >= kBrushCount) index = kHollowBrush;
  return kBrushes[static_cast<std::size_t>(index)];
}

const gdi::Brush& CircleColourBrush(int colour) {
  const bool coloured = colour >= 0 && colour < kCircleColourCount;
  return BrushAt(coloured ? kFirstCircleColourBrush + colour : kHollowBrush);
}

// An automatic print size (below 0) is taken as magnification 1, as the
// preview draws, so that a monochrome export never gets a negative width.
PrintPenWidths PrintWidthsOf(std::int16_t print_line_width, double print_size) {
  const double magnification = print_size < 0 ? 1.0 : std::min(print_size, kMaxPrintMagnification);
  return PrintPenWidths{std::max<std::int32_t>(print_line_width, 0),
                        static_cast<std::int32_t>(2 * TruncTowardZero(magnification))};
}

std::array<gdi::Pen, kPenCount> CreatePens(std::int16_t border_style, gdi::Color screen_color,
                                           PrintPenWidths print) {
  std::array<Pen, kPenCount> pens;
  Store(pens, kPenBorder, FieldPens(NormalBorderOf(border_style), screen_color, print));
  Store(pens, kPenLegend, ThinPens(screen_color, print));
  Store(pens, kPenDotted, DottedPens(screen_color, print));
  Store(pens, kPenSecondBorder, FieldPens(SecondBorderOf(border_style), screen_color, print));
  Store(pens, kPenAuxiliary, FieldPens(AuxiliaryLineOf(border_style), screen_color, print));
  return pens;
}

DrawingResources CreateDrawingResources(const Settings& settings, const ScreenColors& screen,
                                        std::int16_t print_line_width) {
  DrawingResources resources;
  resources.pens = CreatePens(settings.BorderStyle, screen.window_text,
                              PrintWidthsOf(print_line_width, settings.PrintSize));
  resources.fonts = {settings.TitleFont, settings.IndexFont, settings.FancyFont, settings.AreaFont};
  resources.screen = screen;
  resources.pattern_order = settings.PatternOrder;
  resources.scheme = FindColorScheme(settings.ColorScheme);
  return resources;
}

gdi::Brush DrawingResources::ClassBrush(int k, int j) const {
  const int row_classes = k == 1 ? kMinClassCount : k;
  const bool in_row =
      row_classes >= kMinClassCount && row_classes <= kMaxClassCount && j >= 0 && j < row_classes;
  if (scheme == nullptr || !in_row) return BrushForClass(pattern_order, k, j);
  const std::uint32_t rgb = SchemeColour(*scheme, k, j);
  return gdi::Brush{gdi::BrushKind::kSolid, gdi::Color{static_cast<std::uint8_t>(rgb >> 16),
                                                       static_cast<std::uint8_t>(rgb >> 8),
                                                       static_cast<std::uint8_t>(rgb)}};
}

LogFont ScaledFont(const LogFont& font, double scale) {
  if (scale == 1.0) return font;
  LogFont scaled = font;
  const std::int64_t height = RoundHalfEven(static_cast<long double>(font.Height) * scale);
  scaled.Height = ClampTo<std::int16_t>(height);
  return scaled;
}

int BrushIndexForClass(const PatternOrderTable& order, int k, int j) {
  if (k == 1) k = kMinClassCount;
  if (k < kMinClassCount || k > kMaxClassCount || j < 0 || j >= k) return kHollowBrush;
  const int index =
      order[static_cast<std::size_t>(k - kMinClassCount)][static_cast<std::size_t>(j)];
  return index < kBrushCount ? index : kHollowBrush;
}

const gdi::Brush& BrushForClass(const PatternOrderTable& order, int k, int j) {
  return BrushAt(BrushIndexForClass(order, k, j));
}

std::optional<std::uint8_t> BrushOfSymbol(char symbol) {
  const std::size_t at = kSymbols.find(symbol);
  if (at == std::string_view::npos) return std::nullopt;
  return static_cast<std::uint8_t>(at);
}

char SymbolOfBrush(int index) {
  if (index < 0 || index >= static_cast<int>(kSymbols.size())) return kNoSymbol;
  return kSymbols[static_cast<std::size_t>(index)];
}

void ParsePatternOrder(std::string_view text, int k, std::array<std::uint8_t, 8>& row) {
  const int entries = std::clamp(k, 0, static_cast<int>(row.size()));
  int taken = 0;
  const std::string_view scanned = text.substr(0, kMaxOrderTextChars);
  for (std::size_t i = 0; i < scanned.size() && taken < entries; ++i) {
    // A double-byte character is skipped whole: its second byte may have the
    // code of a symbol ("Ｂ" ends in the code of "a").
    if (sjis::IsLeadByte(static_cast<unsigned char>(scanned[i]))) {
      ++i;
    } else if (const auto brush = BrushOfSymbol(scanned[i])) {
      row[static_cast<std::size_t>(taken++)] = *brush;
    }
  }
}

std::string FormatPatternOrder(const std::array<std::uint8_t, 8>& row, int k) {
  std::string text;
  const int entries = std::clamp(k, 0, static_cast<int>(row.size()));
  for (int j = 0; j < entries; ++j) {
    if (j > 0) text += '-';
    text += SymbolOfBrush(row[static_cast<std::size_t>(j)]);
  }
  return text;
}

}  // namespace kartela
