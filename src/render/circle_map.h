// The circle map: one circle per area whose area grows with the area's value
// measured from the base value, and a reference circle with its value at the
// legend position. The command's checks are in circle_settings_check.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "render/paint_context.h"
#include "render/workspace.h"

namespace kartela {

// Makes the circle map the current map: the kind, the scroll reset, and both
// decoration lists emptied (ask ConfirmClearDecorations first).
void StartCircleMap(Workspace& workspace);

// Shared with the picture graph.
// One area's symbol: the area's value, its first anchor and that anchor's
// device point, and half the symbol's size before rounding.
struct AreaSymbol {
  double value = 0;
  MapPoint anchor;
  gdi::Point centre;
  long double half_size = 0;
};
// Calls `draw` for areas 1.. in order, so that a later symbol covers an
// earlier one; not at all when the reference value equals the base value,
// which would make every symbol infinite.
void ForEachAreaSymbol(const PaintContext& context,
                       const std::function<void(const AreaSymbol&)>& draw);
// The rectangle of a symbol centred on `centre`, kept inside the coordinates.
gdi::Rect SymbolBox(gdi::Point centre, std::int32_t half_width, std::int32_t half_height);
// A radius or size in device units, rounded
// half to even and kept far inside the coordinate range.
std::int32_t RoundedRadius(long double radius);
// The pen and colours of the symbols: the thin solid pen in the screen
// colour, or black of print width, over a transparent background.
void PrepareCircleDrawing(const PaintContext& context);
// The reference value's label in the legend font, unless texts are off: half
// a character left of and below `symbol_right`, the middle of the reference
// symbol's right edge.
void DrawReferenceLabel(const PaintContext& context, gdi::Point symbol_right);

// Moves the reference symbol `symbol` (device units, at the legend corner)
// with its `label` (drawn by DrawReferenceLabel; empty: none) and the legend
// heading onto the drawing: draws the heading, notes the legend's place and
// returns how far to move the symbol. Leaves the legend font selected unless
// texts are off.
gdi::Point PlaceReferenceSymbol(const PaintContext& context, const gdi::Rect& symbol,
                                std::string_view label);
// "=" then the reference value text, or "= " before one without a blank.
std::string ReferenceLabel(const std::string& ref_value_text);

// Draws the circle map: the outlines, one circle per area with a value, the
// title, the reference circle and its label at the legend position, and the
// area names over the circles.
void DrawCircleMap(const PaintContext& context);

}  // namespace kartela
