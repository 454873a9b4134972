// The decorations on top of every map: the shape routines shared with the
// map window's rubber bands, and the two paint steps that draw the lists.
#pragma once

#include <cstdint>

#include "gdi/device_context.h"
#include "model/decorations.h"
#include "render/paint_context.h"

namespace kartela {

// The shape routines. `centre` and `other` are device points: the press and
// the end of the drag. Each selects the brush of `fill` (0..8 the circle
// colours, anything else hollow), draws with the pen already selected and
// returns the shape's size, which the next drag of its type starts from.
int DrawCircleShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill);
int DrawSquareShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill);
int DrawTriangleShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill);
int DrawCrossShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill);

// A line from `tail` to `tip` with a filled head at `tip`, the head's length
// and width kArrowHead and kArrowHead / 2 times `scale` (at most the line's
// length).
void DrawArrowShape(gdi::DeviceContext& dc, gdi::Point tail, gdi::Point tip, double scale);
inline constexpr int kArrowHead = 12;

// A north arrow centred on `centre`, as tall as `below` is below it (or
// kNorthArrowDefault times `scale` when that is 0): a two-tone pointer with
// its tip up, and a stroked "N" above the tip.
void DrawNorthArrowShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point below, double scale);
inline constexpr int kNorthArrowDefault = 36;

// The height of a north arrow placed now: three times the decoration font's
// character height.
std::int16_t NorthArrowHeight(const LogFont& decoration_font);

// A shape of `kind` between `p1` and `p2` with the pen selected: a line, the
// four sides of a rectangle, an arrow, a north arrow, or a filled shape's
// routine. Returns the routine's size; 0 for the others and kinds that draw
// nothing. `scale` sizes the arrowheads.
int DrawShapeOfKind(gdi::DeviceContext& dc, std::uint8_t kind, gdi::Point p1, gdi::Point p2,
                    double scale = 1.0);

// The size the routine of `kind` returns for a drag from `p1` to `p2`,
// without drawing: what a drag leaves for the next drag of its type.
int ShapeSize(std::uint8_t kind, gdi::Point p1, gdi::Point p2);

// The rubber band of a drag in `mode`: the shape without fill. Returns its
// size as DrawShapeOfKind does.
int DrawRubberBand(gdi::DeviceContext& dc, DecorationMode mode, gdi::Point p1, gdi::Point p2);

// Where a stored decoration point is drawn: scaled and rounded half to even,
// then moved by the origin. At scale 1 on screen this is where it was placed.
gdi::Point DecorationToDevice(std::int32_t x, std::int32_t y, const PaintParams& params);

// One shape decoration with its pen, over the background mode the caller set.
void DrawShapeDecoration(const PaintContext& context, const ShapeDecoration& shape);

// Every shape decoration in list order, also when texts are left out.
void DrawShapeDecorations(const PaintContext& context);

// Every text decoration in the decoration font; nothing without texts.
void DrawTextDecorations(const PaintContext& context);

}  // namespace kartela
