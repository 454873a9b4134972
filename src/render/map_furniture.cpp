#include "render/map_furniture.h"

#include <algorithm>
#include <cstdlib>

#include "base/numbers.h"
#include "base/real48.h"
#include "render/map_frame.h"

namespace kartela {
namespace {

// Space between the source line and the edges of the drawing, at scale 1.
constexpr std::int32_t kSourceMargin = 4;

std::int32_t Shift1D(std::int32_t begin, std::int32_t end, std::int32_t low, std::int32_t high) {
  if (begin < low) return low - begin;
  if (end > high) return std::max(high - end, low - begin);
  return 0;
}

std::int32_t Scaled(std::int32_t length, double scale) {
  return ClampTo<std::int32_t>(RoundHalfEven(static_cast<long double>(length) * scale));
}

// The whole picture of this paint, the source line's band included.
std::optional<gdi::Rect> PictureArea(const PaintContext& context) {
  const MapSize resolution = context.workspace.base_map.Resolution;
  if (resolution.width <= 0 || resolution.height <= 0) return std::nullopt;
  const gdi::Size extent = DrawingExtent(context.workspace);
  if (extent.cx <= 0 || extent.cy <= 0) return std::nullopt;
  const double scale = context.params.PaintScale;
  const gdi::Point o = context.params.PaintOrigin;
  return gdi::Rect{-o.x, -o.y, Scaled(extent.cx, scale) - o.x, Scaled(extent.cy, scale) - o.y};
}

}  // namespace

std::int32_t TextMeasure::Width(std::string_view text) {
  if (!target_failed_) {
    if (const auto size = target_.TextExtent(text)) return size->cx;
    target_failed_ = true;
    if (fallback_ != nullptr) fallback_->SelectFont(font_);
  }
  if (fallback_ != nullptr) {
    if (const auto size = fallback_->TextExtent(text)) return size->cx;
  }
  return static_cast<std::int32_t>(text.size() * static_cast<std::size_t>(std::abs(font_.Height)) /
                                   2);
}

std::int32_t CellHeight(const LogFont& font) {
  const std::int32_t h = std::abs(static_cast<std::int32_t>(font.Height));
  return font.Height < 0 ? h + h / 6 : h;
}

std::optional<gdi::Rect> DrawingArea(const PaintContext& context) {
  std::optional<gdi::Rect> area = PictureArea(context);
  if (area) {
    const std::int32_t band =
        Scaled(SourceLineHeight(context.workspace.settings), context.params.PaintScale);
    area->bottom = std::max(area->top, area->bottom - band);
  }
  return area;
}

gdi::Point ShiftInto(const gdi::Rect& box, const std::optional<gdi::Rect>& area) {
  if (!area) return gdi::Point{};
  return gdi::Point{Shift1D(box.left, box.right, area->left, area->right),
                    Shift1D(box.top, box.bottom, area->top, area->bottom)};
}

std::int32_t LegendHeadingHeight(const PaintContext& context, const LogFont& font) {
  if (context.workspace.settings.LegendHeading.empty() || context.no_text()) return 0;
  return CellHeight(font);
}

void DrawLegendHeading(const PaintContext& context, gdi::Point top_left) {
  const std::string& heading = context.workspace.settings.LegendHeading;
  if (heading.empty() || context.no_text()) return;
  context.dc.SetTextAlign(kAlignLeftTop);
  context.dc.TextOut(top_left, heading);
}

std::int32_t SourceLineHeight(const Settings& settings) {
  if (settings.SourceText.empty()) return 0;
  return CellHeight(settings.AreaFont) + kSourceMargin;
}

void DrawSourceLine(const PaintContext& context) {
  const Settings& settings = context.workspace.settings;
  if (settings.SourceText.empty() || context.no_text()) return;
  const std::optional<gdi::Rect> area = PictureArea(context);
  if (!area) return;
  gdi::DeviceContext& dc = context.dc;
  const LogFont font =
      ScaledFont(context.resources.fonts[kFontAreaName], context.params.PaintScale);
  dc.SelectFont(font);
  dc.SetTextAlign(kAlignLeftTop);
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  dc.SetTextColor(context.TextColor());
  TextMeasure measure(context, font);
  const std::int32_t margin = Scaled(kSourceMargin, context.params.PaintScale);
  const std::int32_t width = measure.Width(settings.SourceText);
  const std::int32_t top = area->bottom - CellHeight(font) - margin;
  const std::int32_t left = settings.SourceAtRight != 0
                                ? std::max(area->left + margin, area->right - margin - width)
                                : area->left + margin;
  dc.TextOut(gdi::Point{left, top}, settings.SourceText);
}

}  // namespace kartela
