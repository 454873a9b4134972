#include "render/break_proposal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "base/numbers.h"
#include "model/data_set.h"
#include "model/value_syntax.h"

namespace kartela {
namespace {

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

// The number a boundary text stands for when the map is painted.
double TextValue(const std::string& text) {
  return ConvertValueText(text);
}

// The least value with `decimals` decimals not below `cut`. A cut a rounding
// error above such a value is taken as that value.
long double CeilToDecimals(long double cut, int decimals) {
  const long double scale = std::pow(10.0L, decimals);
  const long double units = cut * scale;
  const long double tolerance = 1e-9L * std::max(1.0L, std::fabs(units));
  return std::ceil(units - tolerance) / scale;
}

// `value` to `digits` significant digits; none when that needs more than
// `decimals` decimals.
std::optional<long double> ToSignificantDigits(long double value, int digits, int decimals) {
  if (value == 0) return value;
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int places = digits - 1 - exponent;
  if (places > decimals) return std::nullopt;
  const long double scale = std::pow(10.0L, places);
  return std::round(value * scale) / scale;
}

// Whether `sorted` holds a value in [low, high).
bool HoldsValueIn(std::span<const double> sorted, long double low, long double high) {
  const auto first = std::lower_bound(sorted.begin(), sorted.end(), low,
                                      [](double v, long double bound) { return v < bound; });
  return first != sorted.end() && *first < high;
}

// Whether `candidate` may replace boundary `value` between the boundary
// before it (`low`, already rounded) and the one after it (`high`).
bool KeepsClasses(std::span<const double> sorted, long double low, long double value,
                  long double high, long double candidate) {
  if (candidate <= low || candidate >= high) return false;
  if (HoldsValueIn(sorted, low, value) && !HoldsValueIn(sorted, low, candidate)) return false;
  return !HoldsValueIn(sorted, value, high) || HoldsValueIn(sorted, candidate, high);
}

std::vector<double> ValidSorted(std::span<const double> values) {
  std::vector<double> sorted;
  for (const double value : values) {
    if (value != kMissingValue) sorted.push_back(value);
  }
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

}  // namespace

BreakChoice BreakChoiceOf(const Settings& settings) {
  return {&BreakMethodById(settings.BreakMethod), settings.RoundBreaks != 0};
}

bool RememberBreakChoice(const BreakChoice& choice, Settings& settings) {
  if (choice == BreakChoiceOf(settings)) return false;
  settings.BreakMethod = std::string(choice.method->id);
  settings.RoundBreaks = choice.round ? 1 : 0;
  settings.ChangedMask |= kChangedDivision;
  return true;
}

std::vector<std::string> BoundaryTexts(std::span<const double> boundaries, bool cuts, int width,
                                       int decimals) {
  std::vector<std::string> texts;
  for (const double boundary : boundaries) {
    if (!cuts) {
      texts.push_back(SlotText(FormatFixed(boundary, width, decimals)));
      continue;
    }
    std::string text = SlotText(FormatFixed(CeilToDecimals(boundary, decimals), width, decimals));
    if (texts.empty() || TextValue(text) > TextValue(texts.back()))
      texts.push_back(std::move(text));
  }
  return texts;
}

std::vector<std::string> RoundBoundaryTexts(const std::vector<std::string>& texts,
                                            std::span<const double> sorted, int width,
                                            int decimals) {
  std::vector<std::string> rounded;
  long double low = -kInfinity;
  for (std::size_t j = 0; j < texts.size(); ++j) {
    const long double value = TextValue(texts[j]);
    const long double high = j + 1 < texts.size() ? TextValue(texts[j + 1]) : kInfinity;
    std::string chosen = texts[j];
    for (int digits = 1;; ++digits) {
      const std::optional<long double> candidate = ToSignificantDigits(value, digits, decimals);
      if (!candidate) break;
      std::string text = SlotText(FormatFixed(*candidate, width, decimals));
      if (KeepsClasses(sorted, low, value, high, TextValue(text))) {
        chosen = std::move(text);
        break;
      }
    }
    low = TextValue(chosen);
    rounded.push_back(std::move(chosen));
  }
  return rounded;
}

std::vector<std::string> ProposeBoundaryTexts(std::span<const double> values, int class_count,
                                              const BreakChoice& choice, int width, int decimals) {
  const std::vector<double> sorted = ValidSorted(values);
  if (sorted.size() < 2) return {};
  const int classes = std::clamp(class_count, kMinClassCount, kMaxClassCount);
  const std::vector<std::string> texts =
      BoundaryTexts(choice.method->propose(sorted, classes), choice.method->cuts, width, decimals);
  return choice.round ? RoundBoundaryTexts(texts, sorted, width, decimals) : texts;
}

void ProposeClassBreaks(ClassTables& tables, int area_count, int class_count,
                        const BreakChoice& choice) {
  const std::size_t areas =
      std::min(static_cast<std::size_t>(std::max(area_count, 0)), tables.NumericValues.size());
  const std::vector<std::string> texts =
      ProposeBoundaryTexts(std::span(tables.NumericValues).first(areas), class_count, choice,
                           tables.ValueWidth, tables.DecimalDigits);
  for (std::size_t j = 0; j + 1 < tables.ProposedBreaks.size(); ++j)
    tables.ProposedBreaks[j] = j < texts.size() ? texts[j] : std::string();
}

}  // namespace kartela
