// The circle map's command and its settings dialog (TCircleInfoDialog): the
// statistics of the values, the fields the dialog starts with and the checks
// of the fields it is closed with, shared by the desktop command and
// kartela-cli so that both refuse the same settings with the same messages.
// The picture graph's dialog has the same value fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/data_set.h"
#include "model/symbol_settings.h"

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
  bool NestedLegend = false;  // 「入れ子の凡例」
};

// The dialog's fields as the command fills them from `settings` and `stats`.
CircleFields InitialCircleFields(const SymbolSettings& settings, const SymbolDataStats& stats);

// Checks the fields of a dialog closed with OK and stores them in
// `settings`. Returns kMsgBadSetting, with `settings` unchanged, when the
// reference value is 0 (an empty or non-numeric text is 0), longer than the
// settings hold, equal to the base value, or a colour is out of 0..8;
// otherwise 0.
int ApplyCircleFields(const CircleFields& fields, SymbolSettings& settings);

// The number of a reference or base value text; 0 when it does not convert.
double SymbolValueOf(std::string_view text);

}  // namespace kartela
