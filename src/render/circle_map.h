// The circle map: one circle per area whose area grows with the area's value
// measured from the base value, and a reference circle with its value at the
// legend position. The command's checks are here too, so that the desktop
// command and kartela-cli refuse the same settings with the same messages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/symbol_settings.h"
#include "render/paint_context.h"
#include "render/workspace.h"

namespace kartela {

// What ScanSymbolData found among the value texts.
struct SymbolDataStats {
  bool Found = false;  // at least one value converts
  std::int32_t ValidCount = 0;
  double AbsMax = 0;  // largest and smallest absolute value
  double AbsMin = 0;
  std::uint16_t IntWidth = 0;       // most characters before the point
  std::uint16_t DecimalDigits = 0;  // most characters after the point
  std::uint16_t ValueWidth = 0;     // IntWidth + DecimalDigits + 1
};

// Converts the value texts of areas 1..area_count into `numeric_values`
// (kMissingValue for a text that does not convert) and measures them.
SymbolDataStats ScanSymbolData(const DataSet& data, int area_count,
                               std::vector<double>& numeric_values);

// The reference value proposed for values from `min` to `max`: the middle
// cut to one more significant digit than the spread has, as text with
// `decimal_digits` + 1 decimals less a trailing zero and a bare point, e.g.
// 1234..5678 gives "3400". A middle that is not positive proposes "0".
std::string SuggestRefValue(double max, double min, int value_width, int decimal_digits);

// The catalogue message that stops the command before its dialog: kMsgNoData
// when no value converts or every value is 0; 0 to go on.
int CircleDataMessage(const SymbolDataStats& stats);

// The texts of the settings dialogs of the circle map and the picture graph.
struct SymbolFields {
  std::string MaxText;    // the largest value, right-aligned in ValueWidth characters
  std::string MinText;    // the smallest, the same
  std::string Radius;     // Rad
  std::string RefValue;   // Dat: the proposal, not the previous text
  std::string BaseValue;  // Bas, without leading blanks
};

// The texts for values from `min` to `max` with the widths of their texts.
SymbolFields InitialSymbolFields(const SymbolSettings& settings, double max, double min,
                                 int value_width, int decimal_digits);

// The texts and colours of the circle map's dialog; the largest and smallest
// values are absolute values.
struct CircleFields : SymbolFields {
  std::int16_t PlusColour = 0;
  std::int16_t MinusColour = 0;
};

// The dialog's fields as the command fills them from `settings` and `stats`.
CircleFields InitialCircleFields(const SymbolSettings& settings, const SymbolDataStats& stats);

// Checks the fields of a dialog closed with OK and stores them in
// `settings`. Returns kMsgBadSetting, with `settings` unchanged, when the
// reference value is 0 (an empty or non-numeric text is 0), longer than the
// settings hold, equal to the base value, or a colour is out of 0..8;
// otherwise 0.
int ApplyCircleFields(const CircleFields& fields, SymbolSettings& settings);

// Makes the circle map the current map: the kind, the scroll reset, and both
// decoration lists emptied (ask ConfirmClearDecorations first).
void StartCircleMap(Workspace& workspace);

// The number of a reference or base value text; 0 when it does not convert.
double SymbolValueOf(std::string_view text);

// Shared with the picture graph.
// One area's symbol: the area's value, its first anchor and that anchor's
// device point, and half the symbol's size before rounding.
struct AreaSymbol {
  double value = 0;
  MapPoint anchor;
  gdi::Point centre;
  long double half_size = 0;
};
// Calls `draw` for areas 1.. in order, so that a later symbol covers an
// earlier one; not at all when the reference value equals the base value,
// which would make every symbol infinite.
void ForEachAreaSymbol(const PaintContext& context,
                       const std::function<void(const AreaSymbol&)>& draw);
// The rectangle of a symbol centred on `centre`, kept inside the coordinates.
gdi::Rect SymbolBox(gdi::Point centre, std::int32_t half_width, std::int32_t half_height);
// A radius or size in device units, rounded
// half to even and kept far inside the coordinate range.
std::int32_t RoundedRadius(long double radius);
// The pen and colours of the symbols: the thin solid pen in the screen
// colour, or black of print width, over a transparent background.
void PrepareCircleDrawing(const PaintContext& context);
// The reference value's label in the legend font, unless texts are off: half
// a character left of and below `symbol_right`, the middle of the reference
// symbol's right edge.
void DrawReferenceLabel(const PaintContext& context, gdi::Point symbol_right);

// Draws the circle map: the outlines, one circle per area with a value, the
// title, the reference circle and its label at the legend position, and the
// area names over the circles.
void DrawCircleMap(const PaintContext& context);

}  // namespace kartela
