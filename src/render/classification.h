// Classification of a paint map: the value texts as numbers, the statistics
// and percentiles shown before drawing, the class boundaries proposed by
// equal counts, and the rule that puts a value into a class at paint time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/data_set.h"
#include "model/settings.h"
#include "model/value_syntax.h"

namespace kartela {

// Bytes a class text slot holds (statistics, percentiles, boundaries).
inline constexpr std::size_t kClassTextBytes = 22;
inline constexpr std::size_t kDecileCount = 9;

// Order of the texts in ClassTables::DataStats.
enum DataStatSlot : std::size_t {
  kStatValidCount = 0,
  kStatTotal,
  kStatMaximum,
  kStatMinimum,
  kStatMedian,
  kStatMean,
  kStatVariance,
  kStatDeviation,
  kStatInvalidCount,
  kDataStatCount,
};

// Boundary j (1..7) at index j - 1, and one more entry after them.
using BreakTexts = std::array<std::string, kMaxClassCount>;

struct ClassTables {
  // 1: a class holds its lower boundary and not its upper one; 2: the reverse.
  std::int16_t DivisionMethod = 1;
  // Number of area n at NumericValues[n - 1]; kMissingValue for a text that
  // does not convert.
  std::vector<double> NumericValues = std::vector<double>(kMaxAreas, kMissingValue);
  double DataMin = 0;  // smallest and largest valid value
  double DataMax = 0;
  std::uint16_t IntWidth = 0;       // most characters before the point over the valid texts
  std::uint16_t DecimalDigits = 0;  // most characters after the point
  std::uint16_t ValueWidth = 0;     // IntWidth + DecimalDigits + 1
  std::array<std::string, kDataStatCount> DataStats;
  std::array<std::string, kDecileCount> DecileTexts;  // values at 10 %, 20 %, ... 90 %
  BreakTexts ProposedBreaks;                          // the proposal never writes the last entry
  BreakTexts ClassBreaks;                             // the boundaries in force for painting
};

// `text` cut to a class text slot, never in the middle of a double-byte
// character.
std::string SlotText(std::string_view text);

// Raises the widths to those of a valid value text: the characters before
// and after its point, or the whole text and none.
void MeasureValueText(std::string_view text, std::uint16_t& int_width,
                      std::uint16_t& decimal_digits);

// Converts the value texts of areas 1..area_count into NumericValues and sets
// DataMin and DataMax from the values that convert. Returns how many did not.
int ConvertDataValues(const DataSet& data, int area_count, ClassTables& tables);

// Converts and checks the values of areas 1..area_count and fills every table
// but ClassBreaks; `class_count` is the number of classes to propose.
// On kExponentNotation the areas before the offending one are converted; on
// kNoData and kTooFewData NumericValues, DataMin, DataMax and the widths are
// filled as far as one or no value allows, the texts are left alone.
ValueSyntaxResult ComputeDataStatistics(const DataSet& data, int area_count, int class_count,
                                        ClassTables& tables);

// The classes of one paint: class j holds the values between
// ClassThresholds[j] and ClassThresholds[j + 1].
struct PaintClasses {
  std::array<double, kMaxClassCount + 1> ClassThresholds{};
  int EffectiveClassCount = 1;
};

// The classes from the leading boundaries that convert; the first one that
// does not (an empty text does not) ends them; the last entry is never read.
// With no boundary there is one class holding every value.
PaintClasses BuildClassThresholds(const BreakTexts& class_breaks);

// A boundary of the data information dialog that would not give the classes
// the user sees.
struct BoundaryFault {
  enum class Kind {
    kNotANumber,     // does not convert, but a later boundary does
    kNotIncreasing,  // not above the boundary before it
  };
  Kind kind = Kind::kNotANumber;
  // The boundary at fault, 0 for boundary 1; for kNotIncreasing the boundary
  // it is not above is index - 1.
  std::size_t index = 0;
};

// The first fault among the boundary texts `texts` (Shift-JIS, boundary 1
// first). The boundaries in force are the leading ones that convert, so one
// that does not convert is a fault only when a later one does (it would end
// the classes early, silently); an empty tail is how fewer classes are
// asked for. Nothing when the boundaries are usable.
std::optional<BoundaryFault> FindBoundaryFault(std::span<const std::string> texts);

// The class of `value`: the first whose range holds it, the lower end
// included under division method 1, the upper end under method 2. None for
// kMissingValue and for a value beyond the outer thresholds. Boundaries out
// of order are not refused: a class whose lower end exceeds its upper end
// holds nothing, and the first class that fits takes the value.
std::optional<int> ClassOfValue(double value, const PaintClasses& classes, int division_method);

// The class count typed in the class-count dialog: a decimal integer from 2
// to 8; none when the text is refused (the dialog then shows message 13).
std::optional<int> ParseClassCount(std::string_view text);

}  // namespace kartela
