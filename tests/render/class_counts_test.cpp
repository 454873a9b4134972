#include "render/class_counts.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kartela {
namespace {

struct CountCase {
  int division_method;
  std::array<int, kMaxClassCount> per_class;
};

// A value on a boundary goes up under method 1 and down under method 2; an
// area without a value is counted apart, as is a value past the outer
// thresholds, which no class holds.
TEST(CountAreasPerClassTest, ValuesOnBoundariesFollowTheDivisionMethod) {
  const std::vector<double> values = {1, 2, 3, 3, kMissingValue, 4, 5, 5, 9, 1e39};
  BreakTexts breaks;
  breaks[0] = "3";
  breaks[1] = "5";
  breaks[2] = "";
  breaks[3] = "7";  // after the gap: not a boundary
  const PaintClasses classes = BuildClassThresholds(breaks);
  for (const CountCase& c : {CountCase{1, {2, 3, 3}}, CountCase{2, {4, 3, 1}}}) {
    const ClassCounts counts = CountAreasPerClass(values, classes, c.division_method);
    EXPECT_EQ(counts.per_class, c.per_class) << "method " << c.division_method;
    EXPECT_EQ(counts.missing, 1);
    EXPECT_EQ(counts.unclassed, 1);
  }
}

}  // namespace
}  // namespace kartela
