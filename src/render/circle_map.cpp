#include "render/circle_map.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "base/real48.h"
#include "render/circle_legend.h"
#include "render/circle_settings_check.h"
#include "render/legend.h"
#include "render/map_furniture.h"
#include "render/map_painter.h"

namespace kartela {

std::string ReferenceLabel(const std::string& ref_value_text) {
  return (ref_value_text.starts_with(' ') ? "=" : "= ") + ref_value_text;
}

namespace {

// Far beyond any picture; keeps an absurd ratio of values from overflowing
// the device coordinates.
constexpr long double kMaxRadius = 1 << 24;

// One circle per area, in area order, so that a later circle covers an
// earlier one. A value equal to the base value selects no brush: it keeps
// the previous circle's.
void DrawAreaCircles(const PaintContext& context) {
  const SymbolSettings& symbols = context.workspace.symbols;
  const long double base = symbols.BaseValue;
  ForEachAreaSymbol(context, [&](const AreaSymbol& symbol) {
    const double v = symbol.value;
    if (v - base > 0) context.dc.SelectBrush(CircleColourBrush(symbols.PlusColour));
    if (v - base < 0) context.dc.SelectBrush(CircleColourBrush(symbols.MinusColour));
    if (v == 0 || v == kMissingValue || symbol.anchor.x <= 0) return;
    const std::int32_t r = RoundedRadius(symbol.half_size);
    context.dc.Ellipse(SymbolBox(symbol.centre, r, r));
  });
}

// The brush of the reference symbol: by the sign of the reference value.
void SelectReferenceBrush(const PaintContext& context) {
  const SymbolSettings& symbols = context.workspace.symbols;
  const double ref = SymbolValueOf(symbols.RefValueText);
  if (ref > 0) context.dc.SelectBrush(CircleColourBrush(symbols.PlusColour));
  if (ref < 0) context.dc.SelectBrush(CircleColourBrush(symbols.MinusColour));
}

// The reference circle's radius in device units.
std::int32_t ReferenceRadius(const PaintContext& context) {
  return RoundedRadius(context.workspace.symbols.RefRadius *
                       static_cast<long double>(context.frame.DrawResX) *
                       context.params.PaintScale);
}

// The reference circle with its top-left corner at the legend corner, and
// its value half a character right of it, centred on it.
void DrawReferenceCircle(const PaintContext& context) {
  const Workspace& ws = context.workspace;
  const gdi::Point corner = LegendAnchor(context.frame, ws.settings, ws.base_map.IndexPosition);
  const std::int32_t r = ReferenceRadius(context);
  const gdi::Point shift = PlaceReferenceSymbol(
      context, gdi::Rect{corner.x, corner.y, corner.x + 2 * r, corner.y + 2 * r},
      ReferenceLabel(ws.symbols.RefValueText));
  const gdi::Point at = Moved(corner, shift);
  SelectReferenceBrush(context);
  context.dc.Ellipse(gdi::Rect{at.x, at.y, at.x + 2 * r, at.y + 2 * r});
  DrawReferenceLabel(context, gdi::Point{at.x + 2 * r, at.y + r});
}

}  // namespace

gdi::Rect SymbolBox(gdi::Point centre, std::int32_t half_width, std::int32_t half_height) {
  return gdi::Rect{ClampTo<std::int32_t>(std::int64_t{centre.x} - half_width),
                   ClampTo<std::int32_t>(std::int64_t{centre.y} - half_height),
                   ClampTo<std::int32_t>(std::int64_t{centre.x} + half_width),
                   ClampTo<std::int32_t>(std::int64_t{centre.y} + half_height)};
}

void ForEachAreaSymbol(const PaintContext& context,
                       const std::function<void(const AreaSymbol&)>& draw) {
  const Workspace& ws = context.workspace;
  const SymbolSettings& symbols = ws.symbols;
  const long double base = symbols.BaseValue;
  const long double spread = SymbolValueOf(symbols.RefValueText) - base;
  if (spread == 0) return;  // every symbol would be infinite
  const long double scale = symbols.RefRadius * static_cast<long double>(context.frame.DrawResX) *
                            context.params.PaintScale;
  const std::vector<double>& values = ws.class_tables.NumericValues;
  const int count = std::min(
      {ws.area_list.AreaCount(), ws.base_map.MapAreaCount(), static_cast<int>(values.size())});
  for (int i = 0; i < count; ++i) {
    const double v = values[static_cast<std::size_t>(i)];
    const MapPoint anchor = ws.base_map.AreaAnchors[static_cast<std::size_t>(i)][0];
    draw(AreaSymbol{v, anchor, MapToDevice(context.frame, anchor),
                    scale * std::sqrt(std::fabs((v - base) / spread))});
  }
}

std::int32_t RoundedRadius(long double radius) {
  if (!(radius <= kMaxRadius)) radius = kMaxRadius;  // also catches NaN
  return static_cast<std::int32_t>(RoundHalfEven(std::max(radius, -kMaxRadius)));
}

void PrepareCircleDrawing(const PaintContext& context) {
  gdi::DeviceContext& dc = context.dc;
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  dc.SelectPen(context.Pen(kPenLegend));
  dc.SetBackgroundColor(context.BackgroundColor());
  dc.SetTextColor(context.TextColor());
}

void DrawReferenceLabel(const PaintContext& context, gdi::Point symbol_right) {
  if (context.no_text()) return;
  const LogFont font = ScaledFont(context.resources.fonts[kFontLegend], context.params.PaintScale);
  const std::int32_t f = font.Height / 2;
  context.dc.SelectFont(font);
  context.dc.SetTextAlign(kAlignLeftTop);
  context.dc.TextOut(gdi::Point{symbol_right.x - f, symbol_right.y + f},
                     ReferenceLabel(context.workspace.symbols.RefValueText));
}

gdi::Point PlaceReferenceSymbol(const PaintContext& context, const gdi::Rect& symbol,
                                std::string_view label) {
  const LogFont font = ScaledFont(context.resources.fonts[kFontLegend], context.params.PaintScale);
  gdi::Rect block = symbol;
  if (!context.no_text()) {
    context.dc.SelectFont(font);
    TextMeasure measure(context, font);
    if (!label.empty()) {
      const std::int32_t f = font.Height / 2;
      const std::int32_t label_top = (symbol.top + symbol.bottom) / 2 + f;
      block.right = std::max(block.right, symbol.right - f + measure.Width(label));
      block.bottom = std::max(block.bottom, label_top + CellHeight(font));
    }
    const std::int32_t heading = LegendHeadingHeight(context, font);
    block.top -= heading;
    if (heading > 0)
      block.right = std::max(block.right,
                             symbol.left + measure.Width(context.workspace.settings.LegendHeading));
  }
  const gdi::Point shift = ShiftInto(block, DrawingArea(context));
  DrawLegendHeading(context, gdi::Point{symbol.left + shift.x, block.top + shift.y});
  context.NoteLegendPlace(Moved(block, shift), shift);
  return shift;
}

void StartCircleMap(Workspace& workspace) {
  workspace.view.Kind = MapKind::kCircleGraph;
  workspace.view.ScrollReset = true;
  ClearDecorations(workspace.decorations);
}

void DrawCircleMap(const PaintContext& context) {
  PaintParams outline_params = context.params;
  outline_params.PaintFlags |= kPaintOutlineOnly;
  PaintWhiteMap(PaintContext(context.workspace, context.resources, context.dc, outline_params));
  PrepareCircleDrawing(context);
  gdi::DeviceContext& dc = context.dc;
  InLayer(dc, gdi::Layer::kSymbols, [&] { DrawAreaCircles(context); });
  InLayer(dc, gdi::Layer::kTitle, [&] { DrawTitle(context); });
  if (LegendShown(context.workspace.settings.LegendStyle)) {
    InLayer(dc, gdi::Layer::kLegend, [&] {
      if (context.workspace.symbols.NestedLegend) {
        DrawNestedCircleLegend(context);
      } else {
        DrawReferenceCircle(context);
      }
    });
  }
  InLayer(dc, gdi::Layer::kNames, [&] { DrawAreaNames(context); });
}

}  // namespace kartela
