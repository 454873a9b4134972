// The ways to propose class boundaries for a paint map. Each method turns
// the valid values, in ascending order, into the boundary values between
// its classes; a boundary is the lowest value of the class above it. The
// texts the dialog shows are made from them in boundary_texts.h.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kartela {

struct BreakMethod {
  // Stable: stored in the settings file and usable by documents.
  std::string_view id;
  // At most class_count - 1 boundary values, ascending, from the valid
  // values in ascending order (at least two of them).
  std::vector<double> (*propose)(std::span<const double> sorted, int class_count);
  // Whether the boundaries are computed cuts rather than data values; a cut
  // is shown at the next value the data's decimals can hold, so that every
  // value keeps the side of the cut it was grouped on.
  bool cuts = false;
};

// Every method, equal counts (the default) first.
std::span<const BreakMethod> BreakMethods();

// The method with `id`; equal counts for an empty or unknown id.
const BreakMethod& BreakMethodById(std::string_view id);

// Trunc(n / (parts / j)) in extended precision. The inner quotient is rounded
// there, so the result can fall just below a whole number: 18 values in 6
// parts give 14 for j = 5, where exact or double arithmetic gives 15.
std::int64_t TruncatedShare(int n, int parts, int j);

// Boundary j is the first value of class j + 1 when the values are split
// into `class_count` groups of nearly equal size; ties may repeat a value.
std::vector<double> EqualCountBreaks(std::span<const double> sorted, int class_count);

// Cuts at min + j (max - min) / class_count.
std::vector<double> EqualIntervalBreaks(std::span<const double> sorted, int class_count);

// The grouping of the distinct values with the least sum of squared
// deviations from the group means (Fisher's exact optimal partition, the
// "natural breaks" of Jenks). Fewer boundaries when there are fewer
// distinct values than classes.
std::vector<double> NaturalBreaks(std::span<const double> sorted, int class_count);

// Cuts one sample standard deviation apart, centred on the mean: the middle
// class straddles the mean for an odd class count, the mean is a cut for an
// even one.
std::vector<double> StandardDeviationBreaks(std::span<const double> sorted, int class_count);

}  // namespace kartela
