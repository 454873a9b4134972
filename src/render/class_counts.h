// How many areas each class of a paint map holds, by the same rule that
// paints them.
#pragma once

#include <array>
#include <span>

#include "model/settings.h"
#include "render/classification.h"

namespace kartela {

struct ClassCounts {
  std::array<int, kMaxClassCount> per_class{};  // class j at index j
  int missing = 0;                              // areas without a value
  int unclassed = 0;  // values no class holds (beyond the outer thresholds)
};

// Counts `values` (one per area, kMissingValue for an area without a value)
// into the classes of `classes` under `division_method`, with ClassOfValue.
ClassCounts CountAreasPerClass(std::span<const double> values, const PaintClasses& classes,
                               int division_method);

}  // namespace kartela
