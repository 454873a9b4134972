#include "gdi/qt/painter_device_context.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QString>

#include "base/text_encoding.h"
#include "gdi/qt/font_substitution.h"

namespace kartela::gdi {
namespace {

constexpr int kTileSize = 8;
// Far beyond any page; keeps differences of device coordinates within int.
constexpr double kCoordinateLimit = 1 << 24;
constexpr double kMaxPenWidth = (1 << 15) - 1;  // QPen's limit

QColor ToQColor(Color color) {
  return QColor(color.r, color.g, color.b);
}

QRgb ToRgb(Color color) {
  return qRgb(color.r, color.g, color.b);
}

// An 8x8 tile: set bits in `ink`, clear bits in `paper` (premultiplied, so
// 0 is transparent).
QImage Tile(const PatternRows& rows, QRgb ink, QRgb paper) {
  QImage tile(kTileSize, kTileSize, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const bool set = (rows[static_cast<std::size_t>(y)] >> (kTileSize - 1 - x)) & 1;
      tile.setPixel(x, y, set ? ink : paper);
    }
  }
  return tile;
}

QBrush MakeBrush(const Brush& brush, const DeviceState& state) {
  switch (brush.kind) {
    case BrushKind::kSolid:
      return QBrush(ToQColor(brush.color));
    case BrushKind::kHatch: {
      const QRgb gaps = state.background_mode == BackgroundMode::kOpaque
                            ? ToRgb(state.background_color)
                            : qRgba(0, 0, 0, 0);
      return QBrush(Tile(HatchRows(brush.hatch), ToRgb(brush.color), gaps));
    }
    case BrushKind::kPattern:
      return QBrush(Tile(brush.pattern, ToRgb(brush.color), ToRgb(kWhite)));
    case BrushKind::kHollow:
      break;
  }
  return QBrush(Qt::NoBrush);
}

int ToDeviceCoordinate(double value) {
  return static_cast<int>(std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

// What ToDeviceCoordinate gives for coordinate + shift, without floating point.
int ShiftedCoordinate(std::int32_t coordinate, int shift) {
  constexpr auto kLimit = static_cast<std::int64_t>(kCoordinateLimit);
  return static_cast<int>(std::clamp(std::int64_t{coordinate} + shift, -kLimit, kLimit));
}

// The shift of a transform that only moves by whole pixels within the limit.
std::optional<QPoint> WholeShiftOf(const QTransform& transform) {
  const auto whole = [](double d) { return std::abs(d) <= kCoordinateLimit && d == std::trunc(d); };
  if (transform.type() > QTransform::TxTranslate || !whole(transform.dx()) ||
      !whole(transform.dy())) {
    return std::nullopt;
  }
  return QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
}

}  // namespace

PainterDeviceContext::PainterDeviceContext(QPainter& painter, FacePitch pitch)
    : painter_(painter), saved_(painter.isActive()), pitch_(pitch) {
  if (!saved_) return;
  // The painter's transform includes the device pixel ratio of a high-DPI
  // device, which its paint engine applies again after resetTransform():
  // points are placed in logical pixels and the engine scales them, so that
  // lines and texts come out sharp at the device's resolution.
  const qreal ratio = painter_.device() != nullptr ? painter_.device()->devicePixelRatio() : 1.0;
  to_device_ = painter_.combinedTransform() * QTransform::fromScale(1.0 / ratio, 1.0 / ratio);
  whole_shift_ = WholeShiftOf(to_device_);
  scale_x_ = std::hypot(to_device_.m11(), to_device_.m12());
  scale_y_ = std::hypot(to_device_.m21(), to_device_.m22());
  painter_.save();
  painter_.resetTransform();
  painter_.setBrushOrigin(0, 0);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

PainterDeviceContext::~PainterDeviceContext() {
  if (saved_) painter_.restore();
}

void PainterDeviceContext::SelectBrush(const Brush& brush) {
  state_.brush = brush;
  brush_.reset();
}

void PainterDeviceContext::SelectFont(const LogFont& font) {
  if (font == state_.font && font_) return;
  state_.font = font;
  font_.reset();
}

void PainterDeviceContext::SetBackgroundColor(Color color) {
  state_.background_color = color;
  brush_.reset();
}

void PainterDeviceContext::SetBackgroundMode(BackgroundMode mode) {
  state_.background_mode = mode;
  brush_.reset();
}

bool PainterDeviceContext::SupportsRasterOps() const {
  // The PDF engine claims raster operations but cannot express them.
  const QPaintEngine* engine = painter_.paintEngine();
  return engine != nullptr && engine->type() == QPaintEngine::Raster;
}

QPoint PainterDeviceContext::ToDevice(Point p) const {
  if (whole_shift_) {
    return QPoint(ShiftedCoordinate(p.x, whole_shift_->x()),
                  ShiftedCoordinate(p.y, whole_shift_->y()));
  }
  const QPointF mapped = to_device_.map(QPointF(p.x, p.y));
  return QPoint(ToDeviceCoordinate(mapped.x()), ToDeviceCoordinate(mapped.y()));
}

QPolygon PainterDeviceContext::ToDevice(std::span<const Point> points) const {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point p : points)
    polygon.append(ToDevice(p));
  return polygon;
}

QPolygon PainterDeviceContext::ToDeviceOutline(std::span<const Point> points) const {
  QPolygon outline;
  outline.reserve(static_cast<qsizetype>(points.size()));
  for (const Point p : points) {
    const QPoint q = ToDevice(p);
    if (outline.isEmpty() || outline.back() != q) outline.append(q);
  }
  return outline;
}

QRect PainterDeviceContext::DeviceBox(const Rect& r) const {
  const QPoint a = ToDevice(Point{r.left, r.top});
  const QPoint b = ToDevice(Point{r.right, r.bottom});
  // Left and top inclusive, right and bottom exclusive, as QRect's
  // QRect(left, top, width, height) counts them.
  return QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()),
               std::abs(b.y() - a.y()));
}

QPen PainterDeviceContext::DevicePen() const {
  const Pen& pen = state_.pen;
  if (pen.style == PenStyle::kNull) return QPen(Qt::NoPen);
  QPen device_pen(ToQColor(pen.color));
  const double width = pen.width * (scale_x_ + scale_y_) / 2;
  const bool cosmetic = width < 1.5;
  if (cosmetic) {
    // Width 0 is Qt's one-pixel cosmetic pen; the flat cap leaves out the
    // last point of a line, as GDI does.
    device_pen.setWidth(0);
    device_pen.setCapStyle(Qt::FlatCap);
  } else {
    device_pen.setWidth(static_cast<int>(std::lround(std::min(width, kMaxPenWidth))));
    device_pen.setCapStyle(Qt::RoundCap);
    device_pen.setJoinStyle(Qt::RoundJoin);
  }
  if (pen.style == PenStyle::kDot) {
    // Dashes count in pen widths: 3 pixels on and off for a thin pen,
    // square dots for a wide one.
    device_pen.setDashPattern(cosmetic ? QList<qreal>{3, 3} : QList<qreal>{1, 1});
    device_pen.setCapStyle(Qt::FlatCap);
  }
  return device_pen;
}

const QBrush& PainterDeviceContext::DeviceBrush() {
  if (!brush_) brush_ = MakeBrush(state_.brush, state_);
  return *brush_;
}

const QFont& PainterDeviceContext::DeviceFont() {
  if (!font_) {
    if (installed_families_.empty()) installed_families_ = InstalledFamilies();
    font_ = MakeQFont(state_.font, scale_y_, installed_families_, pitch_);
  }
  return *font_;
}

void PainterDeviceContext::UseRasterOp() {
  const bool invert = state_.raster_op == RasterOp::kNotXorPen && SupportsRasterOps();
  painter_.setCompositionMode(invert ? QPainter::RasterOp_NotSourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
}

template <typename Draw>
void PainterDeviceContext::Fill(const Draw& draw) {
  const QBrush& brush = DeviceBrush();
  if (brush.style() == Qt::NoBrush) return;
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(brush);
  draw();
}

template <typename Draw>
void PainterDeviceContext::Stroke(const Draw& draw) {
  const QPen pen = DevicePen();
  if (pen.style() == Qt::NoPen) return;
  painter_.setBrush(Qt::NoBrush);
  if (state_.pen.style == PenStyle::kDot && state_.background_mode == BackgroundMode::kOpaque) {
    QPen gaps = pen;
    gaps.setStyle(Qt::SolidLine);
    gaps.setColor(ToQColor(state_.background_color));
    painter_.setPen(gaps);
    draw();
  }
  painter_.setPen(pen);
  draw();
}

void PainterDeviceContext::LineTo(Point p) {
  const QPoint from = ToDevice(state_.position);
  const QPoint to = ToDevice(p);
  state_.position = p;
  UseRasterOp();
  Stroke([&] { painter_.drawLine(from, to); });
}

void PainterDeviceContext::Polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  const QPolygon line = ToDevice(points);
  UseRasterOp();
  Stroke([&] { painter_.drawPolyline(line); });
}

void PainterDeviceContext::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  // Repeated points leave a fill and a one-pixel solid line as they are;
  // wider or dotted pens keep every point, whose joins and dashes they step.
  const QPen pen = DevicePen();
  const bool thin_solid =
      pen.style() == Qt::NoPen || (pen.style() == Qt::SolidLine && pen.width() == 0);
  const QPolygon outline = thin_solid ? ToDeviceOutline(points) : ToDevice(points);
  const Qt::FillRule rule =
      state_.fill_mode == FillMode::kWinding ? Qt::WindingFill : Qt::OddEvenFill;
  UseRasterOp();
  Fill([&] { painter_.drawPolygon(outline, rule); });
  Stroke([&] { painter_.drawPolygon(outline); });
}

void PainterDeviceContext::Rectangle(const Rect& r) {
  const QRect box = DeviceBox(r);
  if (box.isEmpty()) return;
  // The frame runs through the last pixel inside the box; the fill keeps
  // inside the frame, and without a pen it stops one pixel short, as in GDI.
  const QPoint last(box.left() + box.width() - 1, box.top() + box.height() - 1);
  const int inset = state_.pen.style == PenStyle::kNull ? 0 : 1;
  const QRect inside(QPoint(box.left() + inset, box.top() + inset), last - QPoint(1, 1));
  UseRasterOp();
  if (inside.isValid()) Fill([&] { painter_.drawRect(inside); });
  const QPolygon frame(
      {box.topLeft(), QPoint(last.x(), box.top()), last, QPoint(box.left(), last.y())});
  Stroke([&] { painter_.drawPolygon(frame); });
}

void PainterDeviceContext::Ellipse(const Rect& r) {
  const QRect box = DeviceBox(r);
  if (box.isEmpty()) return;
  // Qt strokes an ellipse just inside the right and bottom of this box.
  const QRectF bounds(box.left(), box.top(), box.width() - 1, box.height() - 1);
  UseRasterOp();
  Fill([&] { painter_.drawEllipse(bounds); });
  Stroke([&] { painter_.drawEllipse(bounds); });
}

void PainterDeviceContext::TextOut(Point p, std::string_view text) {
  if (text.empty()) return;
  const QFont& font = DeviceFont();
  const QString utf16 = QString::fromStdString(sjis::ToUtf8Lossy(text));
  const QFontMetrics metrics(font, painter_.device());
  const int width = metrics.horizontalAdvance(utf16);
  const int height = metrics.ascent() + metrics.descent();
  const std::uint32_t horizontal = state_.text_align & kAlignCenter;
  const std::uint32_t vertical = state_.text_align & kAlignBaseline;
  const int left = horizontal == kAlignCenter ? -width / 2 : horizontal == kAlignRight ? -width : 0;
  const int top = vertical == kAlignBaseline ? -metrics.ascent()
                  : vertical == kAlignBottom ? -height
                                             : 0;
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.translate(ToDevice(p));
  // Escapement is in tenths of a degree, counter-clockwise.
  if (state_.font.Escapement != 0) painter_.rotate(-state_.font.Escapement / 10.0);
  if (state_.background_mode == BackgroundMode::kOpaque) {
    painter_.fillRect(QRect(left, top, width, height), ToQColor(state_.background_color));
  }
  painter_.setFont(font);
  painter_.setPen(ToQColor(state_.text_color));
  painter_.drawText(QPoint(left, top + metrics.ascent()), utf16);
  painter_.restore();
}

std::optional<Size> PainterDeviceContext::TextExtent(std::string_view text) {
  if (!painter_.isActive() || scale_x_ <= 0 || scale_y_ <= 0) return std::nullopt;
  const QFontMetrics metrics(DeviceFont(), painter_.device());
  const QString utf16 = QString::fromStdString(sjis::ToUtf8Lossy(text));
  const double width = metrics.horizontalAdvance(utf16) / scale_x_;
  const double height = (metrics.ascent() + metrics.descent()) / scale_y_;
  return Size{static_cast<std::int32_t>(std::lround(width)),
              static_cast<std::int32_t>(std::lround(height))};
}

}  // namespace kartela::gdi
