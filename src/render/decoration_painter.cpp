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
// The circle colours the arrows are filled with.
constexpr int kWhiteFill = 0;
constexpr int kBlackFill = 7;

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

void DrawArrowShape(gdi::DeviceContext& dc, gdi::Point tail, gdi::Point tip, double scale) {
  const long double dx = tip.x - tail.x;
  const long double dy = tip.y - tail.y;
  const long double length = std::hypot(dx, dy);
  if (length == 0) return;
  const long double head = std::min<long double>(kArrowHead * scale, length);
  const long double ux = dx / length;
  const long double uy = dy / length;
  const auto at = [&](long double along, long double across) {
    return gdi::Point{ClampTo<std::int32_t>(RoundHalfEven(tip.x - ux * along - uy * across)),
                      ClampTo<std::int32_t>(RoundHalfEven(tip.y - uy * along + ux * across))};
  };
  dc.MoveTo(tail);
  dc.LineTo(at(head, 0));
  dc.SelectBrush(CircleColourBrush(kBlackFill));
  const std::array<gdi::Point, 4> points = {tip, at(head, head / 4), at(head, -head / 4), tip};
  dc.Polygon(points);
}

void DrawNorthArrowShape(gdi::DeviceContext& dc, gdi::Point centre, gdi::Point below,
                         double scale) {
  std::int64_t s = std::abs(std::int64_t{below.y} - centre.y);
  if (s == 0) s = RoundHalfEven(kNorthArrowDefault * static_cast<long double>(scale));
  const std::int64_t half = s / 2;
  const std::int64_t quarter = s / 4;
  const gdi::Point tip = Offset(centre, 0, -half);
  const gdi::Point notch = Offset(centre, 0, quarter);
  dc.SelectBrush(CircleColourBrush(kBlackFill));
  const std::array<gdi::Point, 4> dark = {tip, Offset(centre, -quarter, half), notch, tip};
  dc.Polygon(dark);
  dc.SelectBrush(CircleColourBrush(kWhiteFill));
  const std::array<gdi::Point, 4> light = {tip, notch, Offset(centre, quarter, half), tip};
  dc.Polygon(light);
  // "N": two uprights and the diagonal, a third of the arrow high.
  const std::int64_t bottom = -half - std::max<std::int64_t>(2, s / 12);
  const std::int64_t top = bottom - s / 3;
  const std::int64_t side = std::max<std::int64_t>(2, s / 8);
  const std::array<gdi::Point, 4> letter = {
      Offset(centre, -side, bottom), Offset(centre, -side, top), Offset(centre, side, bottom),
      Offset(centre, side, top)};
  dc.Polyline(letter);
}

std::int16_t NorthArrowHeight(const LogFont& decoration_font) {
  return ClampTo<std::int16_t>(3 * std::abs(std::int64_t{decoration_font.Height}));
}

int DrawShapeOfKind(gdi::DeviceContext& dc, std::uint8_t kind, gdi::Point p1, gdi::Point p2,
                    double scale) {
  const ShapeKindParts parts = SplitShapeKind(kind);
  switch (parts.mode) {
    case DecorationMode::kLine:
    case DecorationMode::kDottedLine:
      dc.MoveTo(p1);
      dc.LineTo(p2);
      return 0;
    case DecorationMode::kArrow:
      DrawArrowShape(dc, p1, p2, scale);
      return 0;
    case DecorationMode::kNorthArrow:
      DrawNorthArrowShape(dc, p1, p2, scale);
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
                  DecorationToDevice(shape.X2, shape.Y2, context.params),
                  context.params.PaintScale);
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
