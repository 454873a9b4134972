#include "render/circle_settings_check.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/real48.h"
#include "model/messages.h"
#include "model/value_syntax.h"
#include "render/classification.h"

namespace kartela {
namespace {

bool ValidColour(std::int16_t index) {
  return index >= 0 && index < kCircleColourCount;
}

// A stored real is off by up to one unit in the last place of its 40-bit
// significand; a few of them cover the error of what is computed from it.
constexpr long double kStoredError = 0x1p-38L;

// Toward zero, but `value` within `tolerance` of an integer counts as that
// integer: 0.1 is stored a little above 0.1, and its log10 must still be
// -1, and 0.6 / 0.1 must still be 6.
long double TruncNearInteger(long double value, long double tolerance) {
  const long double nearest = std::nearbyint(value);
  return std::fabs(value - nearest) <= tolerance ? nearest : std::trunc(value);
}

}  // namespace

SymbolDataStats ScanSymbolData(const DataSet& data, int area_count,
                               std::vector<double>& numeric_values) {
  SymbolDataStats stats;
  const int count = std::min({area_count, static_cast<int>(data.DataValues.size()),
                              static_cast<int>(numeric_values.size())});
  for (int i = 0; i < count; ++i) {
    const std::string& text = data.DataValues[static_cast<std::size_t>(i)];
    const double v = ConvertValueText(text);
    numeric_values[static_cast<std::size_t>(i)] = v;
    if (v == kMissingValue) continue;
    const double magnitude = std::fabs(v);
    stats.AbsMax = stats.Found ? std::max(stats.AbsMax, magnitude) : magnitude;
    stats.AbsMin = stats.Found ? std::min(stats.AbsMin, magnitude) : magnitude;
    stats.Found = true;
    ++stats.ValidCount;
    MeasureValueText(text, stats.IntWidth, stats.DecimalDigits);
  }
  stats.ValueWidth = static_cast<std::uint16_t>(stats.IntWidth + stats.DecimalDigits + 1);
  return stats;
}

std::string SuggestRefValue(double max, double min, int value_width, int decimal_digits) {
  const long double mid = (static_cast<long double>(max) + min) * 0.5L;
  long double ref = 0;
  if (mid > 0 && std::isfinite(mid)) {
    const auto e = static_cast<int>(TruncNearInteger(std::log10(mid), kStoredError));
    // The spread keeps the error of the larger value: 4.3 - 4.2 is 0.1 only
    // to a few units of 4.3.
    const long double spread = std::fabs(static_cast<long double>(max) - min);
    const long double largest = std::max(std::fabs(max), std::fabs(min));
    const int d = max == min ? 0
                             : static_cast<int>(TruncNearInteger(std::log10(spread),
                                                                 kStoredError * largest / spread));
    const long double digits = std::pow(10.0L, e - d + 1);
    const long double magnitude = std::pow(10.0L, e);
    const long double cut = mid / magnitude * digits;
    ref = TruncNearInteger(cut, kStoredError * cut) / digits * magnitude;
  }
  std::string text = FormatFixed(ref, value_width + 1, decimal_digits + 1);
  if (text.find('.') != std::string::npos && text.ends_with('0')) {
    text.pop_back();
    if (text.ends_with('.')) text.pop_back();
  }
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

int CircleDataMessage(const SymbolDataStats& stats) {
  return !stats.Found || stats.AbsMax == 0 ? kMsgNoData : 0;
}

SymbolFields InitialSymbolFields(const SymbolSettings& settings, double max, double min,
                                 int value_width, int decimal_digits) {
  SymbolFields fields;
  fields.MaxText = FormatFixed(max, value_width, decimal_digits);
  fields.MinText = FormatFixed(min, value_width, decimal_digits);
  fields.Radius = std::to_string(settings.RefRadius);
  fields.RefValue = SuggestRefValue(max, min, value_width, decimal_digits);
  fields.BaseValue = FormatFixed(settings.BaseValue, value_width, decimal_digits);
  fields.BaseValue.erase(0, fields.BaseValue.find_first_not_of(' '));
  return fields;
}

CircleFields InitialCircleFields(const SymbolSettings& settings, const SymbolDataStats& stats) {
  CircleFields fields;
  static_cast<SymbolFields&>(fields) = InitialSymbolFields(settings, stats.AbsMax, stats.AbsMin,
                                                           stats.ValueWidth, stats.DecimalDigits);
  fields.PlusColour = settings.PlusColour;
  fields.MinusColour = settings.MinusColour;
  fields.NestedLegend = settings.NestedLegend;
  return fields;
}

double SymbolValueOf(std::string_view text) {
  const auto value = ParseDataValue(text);
  return value ? RoundToReal48(*value) : 0;
}

int ApplyCircleFields(const CircleFields& fields, SymbolSettings& settings) {
  const double ref = SymbolValueOf(fields.RefValue);
  const double base = SymbolValueOf(fields.BaseValue);
  if (ref == 0 || ref == base || fields.RefValue.size() > kMaxRefValueTextBytes ||
      !ValidColour(fields.PlusColour) || !ValidColour(fields.MinusColour)) {
    return kMsgBadSetting;
  }
  settings.RefRadius = ReadLeadingInt16(fields.Radius);
  settings.BaseValue = base;
  settings.RefValueText = fields.RefValue;
  settings.PlusColour = fields.PlusColour;
  settings.MinusColour = fields.MinusColour;
  settings.NestedLegend = fields.NestedLegend;
  return 0;
}

}  // namespace kartela
