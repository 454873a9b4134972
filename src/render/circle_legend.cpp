#include "render/circle_legend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/text_encoding.h"
#include "render/circle_map.h"
#include "render/circle_settings_check.h"
#include "render/legend.h"
#include "render/map_frame.h"
#include "render/map_furniture.h"

namespace kartela {
namespace {

// `value` rounded to two significant digits.
double TwoDigits(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 1);
  return std::round(value / unit) * unit;
}

// One circle of the legend: its radius, and where its label goes.
struct NestedCircle {
  std::int32_t radius = 0;
  std::int32_t label_top = 0;
  std::string label;
};

// Label tops below each other, each at the circle's top when there is room.
std::array<NestedCircle, 3> LayOutCircles(const PaintContext& context, gdi::Point corner,
                                          std::int32_t cell) {
  const SymbolSettings& symbols = context.workspace.symbols;
  const bool thousands = (context.workspace.settings.LegendOptions & kLegendThousands) != 0;
  const double ref = SymbolValueOf(symbols.RefValueText);
  const long double spread = ref - symbols.BaseValue;
  const long double reference = symbols.RefRadius *
                                static_cast<long double>(context.frame.DrawResX) *
                                context.params.PaintScale;
  const std::int32_t bottom = corner.y + 2 * RoundedRadius(reference);
  const std::array<double, 3> values = NestedLegendValues(ref);
  std::array<NestedCircle, 3> circles;
  std::int32_t next_top = corner.y - cell;
  for (std::size_t i = 0; i < circles.size(); ++i) {
    const long double ratio = spread == 0 ? 0 : (values[i] - symbols.BaseValue) / spread;
    circles[i].radius = RoundedRadius(reference * std::sqrt(std::fabs(ratio)));
    circles[i].label_top = std::max(bottom - 2 * circles[i].radius - cell / 2, next_top);
    next_top = circles[i].label_top + cell;
    const std::string typed(Trim(symbols.RefValueText, Blanks::kSpaceTab));
    circles[i].label = i == 0 ? (thousands ? WithThousands(typed) : typed)
                              : NestedValueLabel(values[i], thousands);
  }
  return circles;
}

}  // namespace

std::array<double, 3> NestedLegendValues(double ref) {
  return {ref, TwoDigits(ref / 2), TwoDigits(ref / 10)};
}

std::string NestedValueLabel(double value, bool thousands) {
  const int decimals =
      value == 0 ? 0 : std::max(0, 1 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
  std::array<char, 64> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
  std::string text(buffer.data());
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.ends_with('.')) text.pop_back();
  }
  return thousands ? WithThousands(text) : text;
}

void DrawNestedCircleLegend(const PaintContext& context) {
  const Workspace& ws = context.workspace;
  gdi::DeviceContext& dc = context.dc;
  const LogFont font = ScaledFont(context.resources.fonts[kFontLegend], context.params.PaintScale);
  const std::int32_t cell = CellHeight(font);
  const gdi::Point corner = LegendAnchor(context.frame, ws.settings, ws.base_map.IndexPosition);
  const std::array<NestedCircle, 3> circles = LayOutCircles(context, corner, cell);
  const std::int32_t big = circles[0].radius;
  const std::int32_t leader_end = corner.x + 2 * big + cell / 2;
  std::int32_t label_width = 0;
  if (!context.no_text()) {
    dc.SelectFont(font);
    TextMeasure measure(context, font);
    for (const NestedCircle& circle : circles)
      label_width = std::max(label_width, measure.Width(circle.label));
  }
  // The circles with their labels beside them, as one symbol.
  const gdi::Rect block{corner.x, std::min(corner.y, circles[0].label_top),
                        leader_end + 2 + label_width,
                        std::max(corner.y + 2 * big, circles[2].label_top + cell)};
  const gdi::Point shift = PlaceReferenceSymbol(context, block, {});
  const std::int32_t cx = corner.x + big + shift.x;
  const std::int32_t bottom = corner.y + 2 * big + shift.y;
  for (const NestedCircle& circle : circles) {
    dc.SelectBrush(CircleColourBrush(SymbolValueOf(ws.symbols.RefValueText) < 0
                                         ? ws.symbols.MinusColour
                                         : ws.symbols.PlusColour));
    dc.Ellipse(
        gdi::Rect{cx - circle.radius, bottom - 2 * circle.radius, cx + circle.radius, bottom});
  }
  for (const NestedCircle& circle : circles) {
    const std::int32_t label_top = circle.label_top + shift.y;
    dc.MoveTo(gdi::Point{cx, bottom - 2 * circle.radius});
    dc.LineTo(gdi::Point{leader_end + shift.x, label_top + cell / 2});
    if (context.no_text()) continue;
    dc.SetTextAlign(kAlignLeftTop);
    dc.TextOut(gdi::Point{leader_end + shift.x + 2, label_top}, circle.label);
  }
}

}  // namespace kartela
