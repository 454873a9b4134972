// The nested legend of the circle map: the reference circle with the circles
// of its half and its tenth inside it, standing on one bottom point, each
// labelled to the right with a leader from the circle's top.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "render/paint_context.h"

namespace kartela {

// The reference value, then its half and its tenth rounded to two
// significant digits (round numbers near them).
std::array<double, 3> NestedLegendValues(double ref);

// A smaller circle's label: `value` with the decimals its two significant
// digits need (no trailing zeros), digits grouped by thousands when asked.
std::string NestedValueLabel(double value, bool thousands);

// The three circles and their labels at the legend corner, moved onto the
// drawing with the legend heading above them.
void DrawNestedCircleLegend(const PaintContext& context);

}  // namespace kartela
