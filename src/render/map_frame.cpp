#include "render/map_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/numbers.h"
#include "base/real48.h"
#include "render/map_furniture.h"

namespace kartela {
namespace {

constexpr long double kZoomInFactor = 1.1L;
// Rounds of the whole-map fit: the first scales, the others undo rounding.
constexpr int kFitRounds = 3;
constexpr long double kZoomOutFactor = 10.0L / 11.0L;  // correctly rounded, not 1 / 1.1L
constexpr std::int64_t kDecorationMargin = 5;
constexpr std::size_t kCoordinates = std::size_t{1} << 16;  // every int16

// Round(((coordinate + position) x magnification) x scale) - origin, each
// product stored at 48 bits.
std::int32_t DeviceAxis(int coordinate, int position, double magnification, double scale,
                        std::int32_t origin) noexcept {
  const auto value = static_cast<long double>(coordinate + position);
  const double magnified = RoundToReal48(value * magnification);
  return ClampTo<std::int32_t>(
      RoundHalfEven(RoundToReal48(static_cast<long double>(magnified) * scale)) - origin);
}

std::int32_t Truncated(long double value, double scale, std::int32_t origin) {
  return ClampTo<std::int32_t>(TruncTowardZero(value * scale) - origin);
}

// The far corner of everything a decoration covers.
struct Extent {
  std::int64_t x = 0;
  std::int64_t y = 0;

  void Cover(std::int64_t px, std::int64_t py) {
    x = std::max(x, px);
    y = std::max(y, py);
  }
};

void CoverShape(const ShapeDecoration& shape, Extent& extent) {
  const std::int64_t dx = shape.X1 - shape.X2;
  const std::int64_t dy = shape.Y1 - shape.Y2;
  const std::int64_t radius = RoundHalfEven(std::sqrt(static_cast<long double>(dx * dx + dy * dy)));
  const std::int64_t half_side = std::max(std::abs(dx), std::abs(dy));
  switch (SplitShapeKind(shape.Kind).mode) {
    case DecorationMode::kNorthArrow:  // its pointer reaches a quarter of its height right
      extent.Cover(shape.X1 + std::abs(dy) / 4, shape.Y1 + std::abs(dy) / 2);
      break;
    case DecorationMode::kLine:
    case DecorationMode::kDottedLine:
    case DecorationMode::kRectangle:
    case DecorationMode::kArrow:
      extent.Cover(std::max(shape.X1, shape.X2), std::max(shape.Y1, shape.Y2));
      break;
    case DecorationMode::kCircle:
    case DecorationMode::kTriangle:
      extent.Cover(shape.X1 + radius, shape.Y1 + radius);
      break;
    case DecorationMode::kSquare:
    case DecorationMode::kCross:
      extent.Cover(shape.X1 + half_side, shape.Y1 + half_side);
      break;
    default:  // the kind draws nothing
      break;
  }
}

void CoverText(const TextDecoration& text, std::int64_t h, Extent& extent) {
  const auto n = static_cast<std::int64_t>(text.Text.size());
  const std::int64_t half = (h + 1) / 2;
  extent.Cover(text.X + (n / 2) * h + half + (n % 2 == 1 ? half : 0), text.Y + h + h / 3);
}

Extent DecorationExtent(const DecorationLists& decorations, const LogFont& decoration_font) {
  Extent extent;
  for (const ShapeDecoration& shape : decorations.Shapes())
    CoverShape(shape, extent);
  const std::int64_t h = std::abs(static_cast<std::int64_t>(decoration_font.Height));
  for (const TextDecoration& text : decorations.Texts())
    CoverText(text, h, extent);
  return Extent{extent.x + kDecorationMargin, extent.y + kDecorationMargin};
}

// `offset` moved by `pixels` over `magnification`, rounded, kept in 16 bits.
std::int16_t MovedOffset(std::int16_t offset, std::int32_t pixels, double magnification) {
  if (!(magnification > 0)) return offset;
  const std::int64_t moved =
      offset + RoundHalfEven(pixels / static_cast<long double>(magnification));
  return ClampTo<std::int16_t>(moved);
}

bool MoveOffsets(std::int16_t& x, std::int16_t& y, const Settings& settings, gdi::Point delta) {
  const std::int16_t new_x = MovedOffset(x, delta.x, settings.DrawResX);
  const std::int16_t new_y = MovedOffset(y, delta.y, settings.DrawResY);
  if (new_x == x && new_y == y) return false;
  x = new_x;
  y = new_y;
  return true;
}

double Zoomed(double magnification, long double factor) {
  return RoundToReal48(magnification * factor);
}

// The lower-right corner of the map's frame at scale 1.
gdi::Point FrameCorner(const Workspace& workspace) {
  const MapSize resolution = workspace.base_map.Resolution;
  return MapToDevice(FrameOf(workspace.settings, 1.0, gdi::Point{}), resolution.width,
                     resolution.height);
}

}  // namespace

MapFrame FrameOf(const Settings& settings, double paint_scale, gdi::Point paint_origin) {
  return MapFrame{settings.DrawResX, settings.DrawResY,          settings.DrawPosX,
                  settings.DrawPosY, RoundToReal48(paint_scale), paint_origin};
}

gdi::Point MapToDevice(const MapFrame& frame, int x, int y) noexcept {
  return gdi::Point{
      DeviceAxis(x, frame.DrawPosX, frame.DrawResX, frame.PaintScale, frame.PaintOrigin.x),
      DeviceAxis(y, frame.DrawPosY, frame.DrawResY, frame.PaintScale, frame.PaintOrigin.y)};
}

PointMapper::PointMapper(const MapFrame& frame)
    : x_(frame.DrawPosX, frame.DrawResX, frame.PaintScale, frame.PaintOrigin.x),
      y_(frame.DrawPosY, frame.DrawResY, frame.PaintScale, frame.PaintOrigin.y) {}

PointMapper::Axis::Axis(std::int16_t position, double magnification, double scale,
                        std::int32_t origin)
    : position_(position),
      magnification_(magnification),
      scale_(scale),
      origin_(origin),
      devices_(std::make_unique_for_overwrite<std::int32_t[]>(kCoordinates)) {
  std::fill_n(devices_.get(), kCoordinates, kNotYet);
}

std::int32_t PointMapper::Axis::Compute(std::int16_t coordinate) const noexcept {
  return DeviceAxis(coordinate, position_, magnification_, scale_, origin_);
}

gdi::Point TitleAnchor(const MapFrame& frame, const Settings& settings, MapSize resolution) {
  MapFrame without_position = frame;
  without_position.DrawPosX = 0;
  without_position.DrawPosY = 0;
  return MapToDevice(without_position, settings.TitleOffsetX + resolution.width / 2,
                     settings.TitleOffsetY);
}

gdi::Point LegendAnchor(const MapFrame& frame, const Settings& settings, MapPoint index_position) {
  return MapToDevice(frame, index_position.x + settings.LegendOffsetX,
                     index_position.y + settings.LegendOffsetY);
}

bool MoveTitle(Settings& settings, gdi::Point delta) {
  if (!MoveOffsets(settings.TitleOffsetX, settings.TitleOffsetY, settings, delta)) return false;
  settings.ChangedMask |= kChangedTitleFont;
  return true;
}

bool MoveLegend(Settings& settings, gdi::Point delta) {
  if (!MoveOffsets(settings.LegendOffsetX, settings.LegendOffsetY, settings, delta)) return false;
  settings.ChangedMask |= kChangedIndexFont;
  return true;
}

gdi::Rect BackgroundRect(const MapView& view, double paint_scale, gdi::Point paint_origin) {
  const gdi::Point o = paint_origin;
  switch (view.Background) {
    case BackgroundMode::kBounds: {
      const PictureBounds& b = view.BackgroundBounds;
      return gdi::Rect{Truncated(b.left, paint_scale, o.x), Truncated(b.top, paint_scale, o.y),
                       Truncated(b.right, paint_scale, o.x), Truncated(b.bottom, paint_scale, o.y)};
    }
    case BackgroundMode::kSize: {
      const PictureSize& s = view.BackgroundSize;
      return gdi::Rect{-o.x, -o.y, Truncated(s.width, paint_scale, o.x),
                       Truncated(s.height, paint_scale, o.y)};
    }
    case BackgroundMode::kNone:
      break;
  }
  return gdi::Rect{};
}

gdi::Size DrawingExtent(const Workspace& workspace) {
  const Settings& settings = workspace.settings;
  const gdi::Point frame_corner = FrameCorner(workspace);
  const Extent decorations = DecorationExtent(workspace.decorations, settings.FancyFont);
  std::int64_t width = std::max<std::int64_t>(frame_corner.x, decorations.x);
  std::int64_t height = std::max<std::int64_t>(frame_corner.y, decorations.y);
  // The source line goes below the map, not over it.
  if (workspace.view.Kind != MapKind::kNone && frame_corner.y > 0)
    height = std::max<std::int64_t>(height, frame_corner.y + SourceLineHeight(settings));
  if (workspace.view.Background != BackgroundMode::kNone) {
    width = std::max<std::int64_t>(width, workspace.view.BackgroundSize.width);
    height = std::max<std::int64_t>(height, workspace.view.BackgroundSize.height);
  }
  return gdi::Size{ClampTo<std::int32_t>(width), ClampTo<std::int32_t>(height)};
}

void ZoomIn(Settings& settings) {
  settings.DrawResX = Zoomed(settings.DrawResX, kZoomInFactor);
  settings.DrawResY = Zoomed(settings.DrawResY, kZoomInFactor);
}

void ZoomOut(Settings& settings) {
  settings.DrawResX = Zoomed(settings.DrawResX, kZoomOutFactor);
  settings.DrawResY = Zoomed(settings.DrawResY, kZoomOutFactor);
}

void ZoomToFit(Workspace& workspace, gdi::Size view) {
  if (view.cx <= 0 || view.cy <= 0) return;
  Settings& settings = workspace.settings;
  for (int round = 0; round < kFitRounds; ++round) {
    const gdi::Point corner = FrameCorner(workspace);
    if (corner.x <= 0 || corner.y <= 0) return;
    const long double factor = std::min(static_cast<long double>(view.cx) / corner.x,
                                        static_cast<long double>(view.cy) / corner.y);
    // After the first round only a frame that rounding left too large shrinks.
    if (round > 0 && factor >= 1.0L) return;
    settings.DrawResX = Zoomed(settings.DrawResX, factor);
    settings.DrawResY = Zoomed(settings.DrawResY, factor);
  }
}

}  // namespace kartela
