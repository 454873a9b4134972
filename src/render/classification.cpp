#include "render/classification.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>

#include "base/numbers.h"
#include "base/real48.h"
#include "base/text_encoding.h"
#include "render/break_methods.h"

namespace kartela {
namespace {

// The outer class thresholds, -1.6e38 and 1.7e38 as 48-bit reals; also
// where DataMax and DataMin start.
constexpr double kLowerSentinel = -0x1.e17b843576p+126;
constexpr double kUpperSentinel = 0x1.ff933c78cep+126;

bool IsValid(double number) {
  return number != kMissingValue;
}

std::uint16_t Width(std::size_t length) {
  return static_cast<std::uint16_t>(
      std::min<std::size_t>(length, std::numeric_limits<std::uint16_t>::max()));
}

// A number for a text slot. With value texts of at most 11 bytes only
// decimals beyond the 48-bit real's precision can be cut.
std::string NumberText(long double value, int width, int decimals) {
  return SlotText(FormatFixed(value, width, decimals));
}

// What the first pass over the value texts found.
struct Scan {
  bool exponent_found = false;
  int valid = 0;
  int invalid = 0;
  double minimum = kUpperSentinel;  // kept when no value is valid
  double maximum = kLowerSentinel;
};

// Converts areas 1..area_count in order, stopping at a text with an exponent
// letter, and measures the valid texts.
Scan ScanValues(const DataSet& data, int area_count, ClassTables& tables) {
  Scan scan;
  tables.IntWidth = 0;
  tables.DecimalDigits = 0;
  for (int i = 0; i < area_count; ++i) {
    const std::string& text = data.DataValues[static_cast<std::size_t>(i)];
    if (HasExponentLetter(text)) {
      scan.exponent_found = true;
      return scan;
    }
    const double number = ConvertValueText(text);
    tables.NumericValues[static_cast<std::size_t>(i)] = number;
    if (!IsValid(number)) {
      ++scan.invalid;
      continue;
    }
    scan.minimum = scan.valid == 0 ? number : std::min(scan.minimum, number);
    scan.maximum = scan.valid == 0 ? number : std::max(scan.maximum, number);
    MeasureValueText(text, tables.IntWidth, tables.DecimalDigits);
    ++scan.valid;
  }
  return scan;
}

struct Moments {
  double total = 0;
  double mean = 0;
  double variance = 0;
  double deviation = 0;
};

// Sums are taken about the middle of the range, which keeps the squares
// small. Every intermediate is a stored real.
Moments ComputeMoments(std::span<const double> numbers, const Scan& scan) {
  const double shift =
      RoundToReal48((static_cast<long double>(scan.maximum) - scan.minimum) * 0.5L + scan.minimum);
  double sum = 0;
  double sum_of_squares = 0;
  for (const double number : numbers) {
    if (!IsValid(number)) continue;
    const long double offset = static_cast<long double>(number) - shift;
    sum = RoundToReal48(sum + offset);
    sum_of_squares = RoundToReal48(sum_of_squares + offset * offset);
  }
  const long double n = scan.valid;
  Moments moments;
  moments.total = RoundToReal48(shift * n + sum);
  moments.mean = RoundToReal48(sum / n + shift);
  moments.variance = RoundToReal48(
      std::fabs((sum_of_squares - static_cast<long double>(sum) * sum / n) / (n - 1)));
  moments.deviation = RoundToReal48(std::sqrt(static_cast<long double>(moments.variance)));
  return moments;
}

// In place, with the gaps 1, 4, 13, 40, ... starting from the largest that
// does not exceed the count.
void ShellSort(std::span<double> numbers) {
  std::size_t gap = 1;
  while (3 * gap + 1 <= numbers.size())
    gap = 3 * gap + 1;
  for (; gap > 0; gap /= 3) {
    for (std::size_t i = gap; i < numbers.size(); ++i) {
      const double number = numbers[i];
      std::size_t j = i;
      for (; j >= gap && numbers[j - gap] > number; j -= gap)
        numbers[j] = numbers[j - gap];
      numbers[j] = number;
    }
  }
}

// The valid numbers in ascending order; the missing ones sort before them.
class SortedValues {
 public:
  SortedValues(std::span<const double> numbers, const Scan& scan)
      : sorted_(numbers.begin(), numbers.end()), valid_(scan.valid), invalid_(scan.invalid) {
    ShellSort(sorted_);
  }

  // The p-th smallest valid number, p from 1.
  double Nth(std::int64_t p) const {
    const std::int64_t rank = std::clamp<std::int64_t>(p, 1, valid_);
    return sorted_[static_cast<std::size_t>(invalid_ + rank - 1)];
  }

  std::span<const double> Valid() const {
    return std::span(sorted_).subspan(static_cast<std::size_t>(invalid_));
  }

 private:
  std::vector<double> sorted_;
  std::int64_t valid_;
  std::int64_t invalid_;
};

void FillDataStats(const Scan& scan, const Moments& moments, double median, ClassTables& tables) {
  const int width = tables.ValueWidth;
  const int digits = tables.DecimalDigits;
  auto& stats = tables.DataStats;
  stats[kStatValidCount] = std::to_string(scan.valid);
  stats[kStatTotal] = NumberText(moments.total, width, digits);
  stats[kStatMaximum] = NumberText(scan.maximum, width, digits);
  stats[kStatMinimum] = NumberText(scan.minimum, width, digits);
  stats[kStatMedian] = NumberText(median, width, digits);
  stats[kStatMean] = NumberText(moments.mean, width, digits + 2);
  stats[kStatVariance] = NumberText(moments.variance, width, digits + 2);
  stats[kStatDeviation] = NumberText(moments.deviation, width, digits + 2);
  stats[kStatInvalidCount] = std::to_string(scan.invalid);
}

void FillDeciles(const SortedValues& sorted, const Scan& scan, ClassTables& tables) {
  for (int j = 1; j <= static_cast<int>(kDecileCount); ++j) {
    const std::int64_t p = TruncatedShare(scan.valid, 10, j);
    const double value = p == 0 ? scan.minimum : sorted.Nth(p);
    tables.DecileTexts[static_cast<std::size_t>(j - 1)] =
        NumberText(value, tables.ValueWidth, tables.DecimalDigits);
  }
}

void FillProposedBreaks(const SortedValues& sorted, int class_count, ClassTables& tables) {
  const std::vector<double> breaks = EqualCountBreaks(sorted.Valid(), class_count);
  for (std::size_t j = 0; j + 1 < tables.ProposedBreaks.size(); ++j) {
    tables.ProposedBreaks[j] =
        j < breaks.size() ? NumberText(breaks[j], tables.ValueWidth, tables.DecimalDigits) : "";
  }
}

int ClampedAreaCount(int area_count, const DataSet& data, const ClassTables& tables) {
  const std::size_t slots = std::min(data.DataValues.size(), tables.NumericValues.size());
  return std::clamp(area_count, 0, static_cast<int>(slots));
}

}  // namespace

void MeasureValueText(std::string_view text, std::uint16_t& int_width,
                      std::uint16_t& decimal_digits) {
  const std::size_t point = text.find('.');
  const std::size_t before = point == std::string_view::npos ? text.size() : point;
  const std::size_t after = point == std::string_view::npos ? 0 : text.size() - point - 1;
  int_width = std::max(int_width, Width(before));
  decimal_digits = std::max(decimal_digits, Width(after));
}

std::string SlotText(std::string_view text) {
  return std::string(sjis::CutToBytes(text, kClassTextBytes));
}

int ConvertDataValues(const DataSet& data, int area_count, ClassTables& tables) {
  const int areas = ClampedAreaCount(area_count, data, tables);
  tables.DataMin = kUpperSentinel;
  tables.DataMax = kLowerSentinel;
  int invalid = 0;
  for (int i = 0; i < areas; ++i) {
    const double number = ConvertValueText(data.DataValues[static_cast<std::size_t>(i)]);
    tables.NumericValues[static_cast<std::size_t>(i)] = number;
    if (!IsValid(number)) {
      ++invalid;
      continue;
    }
    tables.DataMin = std::min(tables.DataMin, number);
    tables.DataMax = std::max(tables.DataMax, number);
  }
  return invalid;
}

ValueSyntaxResult ComputeDataStatistics(const DataSet& data, int area_count, int class_count,
                                        ClassTables& tables) {
  const int areas = ClampedAreaCount(area_count, data, tables);
  const Scan scan = ScanValues(data, areas, tables);
  if (scan.exponent_found) return ValueSyntaxResult::kExponentNotation;
  // Set before the count checks: the picture graph goes on with a single
  // value and reads them.
  tables.ValueWidth = static_cast<std::uint16_t>(tables.IntWidth + tables.DecimalDigits + 1);
  tables.DataMax = scan.maximum;
  tables.DataMin = scan.minimum;
  if (scan.valid == 0) return ValueSyntaxResult::kNoData;
  if (scan.valid == 1) return ValueSyntaxResult::kTooFewData;
  const std::span<const double> numbers(tables.NumericValues.data(),
                                        static_cast<std::size_t>(areas));
  const Moments moments = ComputeMoments(numbers, scan);
  // A sorted copy leaves NumericValues in area order.
  const SortedValues sorted(numbers, scan);
  FillDataStats(scan, moments, sorted.Nth((scan.valid + 1) / 2), tables);
  FillDeciles(sorted, scan, tables);
  FillProposedBreaks(sorted, std::clamp(class_count, kMinClassCount, kMaxClassCount), tables);
  return ValueSyntaxResult::kOk;
}

PaintClasses BuildClassThresholds(const BreakTexts& class_breaks) {
  PaintClasses classes;
  classes.ClassThresholds[0] = kLowerSentinel;
  int boundaries = 0;
  while (boundaries < kMaxClassCount - 1) {
    const double number = ConvertValueText(class_breaks[static_cast<std::size_t>(boundaries)]);
    if (!IsValid(number)) break;
    classes.ClassThresholds[static_cast<std::size_t>(++boundaries)] = number;
  }
  classes.EffectiveClassCount = boundaries + 1;
  classes.ClassThresholds[static_cast<std::size_t>(boundaries + 1)] = kUpperSentinel;
  return classes;
}

std::optional<BoundaryFault> FindBoundaryFault(std::span<const std::string> texts) {
  std::vector<double> numbers;
  for (const std::string& text : texts)
    numbers.push_back(ConvertValueText(text));
  const auto last_number = std::find_if(numbers.rbegin(), numbers.rend(), IsValid);
  const auto used = static_cast<std::size_t>(numbers.rend() - last_number);
  for (std::size_t i = 0; i < used; ++i) {
    if (!IsValid(numbers[i])) return BoundaryFault{BoundaryFault::Kind::kNotANumber, i};
    if (i > 0 && numbers[i] <= numbers[i - 1])
      return BoundaryFault{BoundaryFault::Kind::kNotIncreasing, i};
  }
  return std::nullopt;
}

std::optional<int> ClassOfValue(double value, const PaintClasses& classes, int division_method) {
  if (!IsValid(value)) return std::nullopt;
  const auto& t = classes.ClassThresholds;
  const int k = std::clamp(classes.EffectiveClassCount, 1, kMaxClassCount);
  for (std::size_t j = 0; j < static_cast<std::size_t>(k); ++j) {
    const bool inside = division_method == 2 ? t[j] < value && value <= t[j + 1]
                                             : t[j] <= value && value < t[j + 1];
    if (inside) return static_cast<int>(j);
  }
  return std::nullopt;
}

std::optional<int> ParseClassCount(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  if (text.front() == '+') text.remove_prefix(1);
  int count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (count < kMinClassCount || count > kMaxClassCount) return std::nullopt;
  return count;
}

}  // namespace kartela
