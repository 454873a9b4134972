#include "render/class_counts.h"

namespace kartela {

ClassCounts CountAreasPerClass(std::span<const double> values, const PaintClasses& classes,
                               int division_method) {
  ClassCounts counts;
  for (const double value : values) {
    if (value == kMissingValue) {
      ++counts.missing;
      continue;
    }
    const std::optional<int> cls = ClassOfValue(value, classes, division_method);
    if (cls)
      ++counts.per_class[static_cast<std::size_t>(*cls)];
    else
      ++counts.unclassed;
  }
  return counts;
}

}  // namespace kartela
