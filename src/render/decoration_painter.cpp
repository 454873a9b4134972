#include "render/decoration_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "base/numbers.h"
#include "base/real48.h"
#include "model/symbol_settings.h"
#include "render/drawing_resources.h"

namespace kartela {
namespace {

// A shape's fill is a circle colour, or hollow from kFillHollow on.
static_assert(kFillHollow == kCircleColourCount);

gdi::Point Offset(gdi::Point centre, std::int64_t dx, std::int64_t dy) {
  return gdi::Point{ClampTo<std::int32_t>(centre.x + dx), ClampTo<std::int32_t>(centre.y + dy)};
}

gdi::Rect Around(gdi::Point centre, std::int64_t half) {
  const gdi::Point top_left = Offset(centre, -half, -half);
  const gdi::Point bottom_right = Offset(centre, half, half);
  return gdi::Rect{top_left.x, top_left.y, bottom_right.x, bottom_right.y};
}

// The distances from the other point to the centre.
struct Drag {
  Drag(gdi::Point centre, gdi::Point other)
      : dx(std::int64_t{centre.x} - other.x), dy(std::int64_t{centre.y} - other.y) {}
  std::int64_t Radius() const {
    return RoundHalfEven(
        std::sqrt(static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy));
  }
  std::int64_t LargerSide() const { return std::max(std::abs(dx), std::abs(dy)); }

  std::int64_t dx;
  std::int64_t dy;
};

void SelectFill(gdi::DeviceContext& dc, int fill) {
  dc.SelectBrush(CircleColourBrush(fill));
}

void DrawRectangleSides(gdi::DeviceContext& dc, gdi::Point p1, gdi::Point p2) {
  dc.MoveTo(p1);
  dc.LineTo(gdi::Point{p2.x, p1.y});
  dc.LineTo(p2);
  dc.LineTo(gdi::Point{p1.x, p2.y});
  dc.LineTo(p1);
}

}  // namespace

int DrawCircleShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill) {
  SelectFill(dc, fill);
  const std::int64_t r = Drag(centre, other).Radius();
  dc.Ellipse(Around(centre, r));
  return ClampTo<std::int32_t>(r);
}

int DrawSquareShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill) {
  SelectFill(dc, fill);
  const std::int64_t s = Drag(centre, other).LargerSide();
  dc.Rectangle(Around(centre, s));
  return ClampTo<std::int32_t>(s);
}

// Apex up, inscribed in the circle of the drag's radius.
int DrawTriangleShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill) {
  SelectFill(dc, fill);
  const std::int64_t r = Drag(centre, other).Radius();
  const std::int64_t h = RoundHalfEven(static_cast<long double>(r) * std::sqrt(3.0L) * 0.5L);
  const std::int64_t v = RoundHalfEven(static_cast<long double>(r) * 0.5L);
  const std::array<gdi::Point, 4> points = {Offset(centre, 0, -r), Offset(centre, -h, v),
                                            Offset(centre, h, v), Offset(centre, 0, -r)};
  dc.Polygon(points);
  return ClampTo<std::int32_t>(r);
}

// A diagonal cross of twelve corners, its arms t = 0.6 s wide.
int DrawCrossShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point other, int fill) {
  SelectFill(dc, fill);
  const std::int64_t s = Drag(centre, other).LargerSide();
  const std::int64_t t = RoundHalfEven(static_cast<long double>(s) * 3 * 0.2L);
  const std::array<gdi::Point, 13> points = {
      Offset(centre, -t, -s), Offset(centre, 0, -s + t), Offset(centre, t, -s),
      Offset(centre, s, -t),  Offset(centre, s - t, 0),  Offset(centre, s, t),
      Offset(centre, t, s),   Offset(centre, 0, s - t),  Offset(centre, -t, s),
      Offset(centre, -s, t),  Offset(centre, -s + t, 0), Offset(centre, -s, -t),
      Offset(centre, -t, -s)};
  dc.Polygon(points);
  return ClampTo<std::int32_t>(s);
}

int DrawShapeOfKind(gdi::DeviceContext& dc, std::uint8_t kind, gdi::Point p1, gdi::Point p2) {
  const ShapeKindParts parts = SplitShapeKind(kind);
  switch (parts.mode) {
    case DecorationMode::kLine:
    case DecorationMode::kDottedLine:
      dc.MoveTo(p1);
      dc.LineTo(p2);
      return 0;
    case DecorationMode::kRectangle:
      DrawRectangleSides(dc, p1, p2);
      return 0;
    case DecorationMode::kCircle:
      return DrawCircleShape(dc, p1, p2, parts.fill);
    case DecorationMode::kSquare:
      return DrawSquareShape(dc, p1, p2, parts.fill);
    case DecorationMode::kTriangle:
      return DrawTriangleShape(dc, p1, p2, parts.fill);
    case DecorationMode::kCross:
      return DrawCrossShape(dc, p1, p2, parts.fill);
    default:  // the kind draws nothing
      break;
  }
  return 0;
}

int ShapeSize(std::uint8_t kind, gdi::Point p1, gdi::Point p2) {
  switch (SplitShapeKind(kind).mode) {
    case DecorationMode::kCircle:
    case DecorationMode::kTriangle:
      return ClampTo<std::int32_t>(Drag(p1, p2).Radius());
    case DecorationMode::kSquare:
    case DecorationMode::kCross:
      return ClampTo<std::int32_t>(Drag(p1, p2).LargerSide());
    default:  // lines, rectangles and kinds that draw nothing
      break;
  }
  return 0;
}

int DrawRubberBand(gdi::DeviceContext& dc, DecorationMode mode, gdi::Point p1, gdi::Point p2) {
  DecorationTools hollow;
  hollow.CircleFill = hollow.SquareFill = hollow.TriangleFill = hollow.CrossFill = kFillHollow;
  return DrawShapeOfKind(dc, ShapeKindFor(hollow, mode), p1, p2);
}

gdi::Point DecorationToDevice(std::int32_t x, std::int32_t y, const PaintParams& params) {
  const long double scale = params.PaintScale;
  return gdi::Point{ClampTo<std::int32_t>(RoundHalfEven(x * scale) - params.PaintOrigin.x),
                    ClampTo<std::int32_t>(RoundHalfEven(y * scale) - params.PaintOrigin.y)};
}

void DrawShapeDecoration(const PaintContext& context, const ShapeDecoration& shape) {
  context.dc.SelectPen(context.Pen(shape.Kind == kShapeDottedLine ? kPenDotted : kPenLegend));
  DrawShapeOfKind(context.dc, shape.Kind, DecorationToDevice(shape.X1, shape.Y1, context.params),
                  DecorationToDevice(shape.X2, shape.Y2, context.params));
}

void DrawShapeDecorations(const PaintContext& context) {
  gdi::DeviceContext& dc = context.dc;
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  for (const ShapeDecoration& shape : context.workspace.decorations.Shapes())
    DrawShapeDecoration(context, shape);
  dc.SetRasterOp(gdi::RasterOp::kCopyPen);
}

void DrawTextDecorations(const PaintContext& context) {
  if (context.no_text()) return;
  gdi::DeviceContext& dc = context.dc;
  dc.SelectFont(ScaledFont(context.resources.fonts[kFontDecoration], context.params.PaintScale));
  dc.SetTextColor(context.TextColor());
  dc.SetBackgroundColor(context.BackgroundColor());
  dc.SetTextAlign(kAlignLeftTop);
  for (const TextDecoration& text : context.workspace.decorations.Texts()) {
    if (text.Style == kTextCleared) dc.SetBackgroundMode(gdi::BackgroundMode::kOpaque);
    if (text.Style == kTextTransparent) dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
    dc.TextOut(DecorationToDevice(text.X, text.Y, context.params), text.Text);
  }
}

}  // namespace kartela
