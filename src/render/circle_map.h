// The circle map: one circle per area whose area grows with the area's value
// measured from the base value, and a reference circle with its value at the
// legend position. The command's checks are here too, so that the desktop
// command and kartela-cli refuse the same settings with the same messages.
#pragma once

#include <cstdint>
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

// The texts and colours of the settings dialog.
struct CircleFields {
  std::string MaxText;    // AbsMax, right-aligned in ValueWidth characters
  std::string MinText;    // AbsMin, the same
  std::string Radius;     // Rad
  std::string RefValue;   // Dat: the proposal, not the previous text
  std::string BaseValue;  // Bas, without leading blanks
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

// Draws the circle map: the outlines, one circle per area with a value, the
// title, the reference circle and its label at the legend position, and the
// area names over the circles.
void DrawCircleMap(const PaintContext& context);

}  // namespace kartela
