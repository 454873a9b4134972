// What keeps the title and the legend on the drawing, and the two lines a
// finished map carries besides them: the heading above the legend ("単位：人")
// and the source line at the foot of the drawing ("出典：…").
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "gdi/device_context.h"
#include "render/paint_context.h"

namespace kartela {

// Measures texts on the target; once the target fails, on the fallback
// context with the same font; without either, half the font height a byte.
class TextMeasure {
 public:
  TextMeasure(const PaintContext& context, const LogFont& font)
      : target_(context.dc), fallback_(context.params.measure_fallback), font_(font) {}

  std::int32_t Width(std::string_view text);

 private:
  gdi::DeviceContext& target_;
  gdi::DeviceContext* fallback_;
  const LogFont& font_;
  bool target_failed_ = false;
};

// The height of a line of text: the cell height, or the em height with the
// cell the installed Japanese faces put around it.
std::int32_t CellHeight(const LogFont& font);

// The device rectangle of the picture of this paint (DrawingExtent at the
// paint's scale, less the origin) above the source line's band: where the
// title and the legend go. None for a base map without a frame (no size),
// where there is no drawing to keep anything on.
std::optional<gdi::Rect> DrawingArea(const PaintContext& context);

inline gdi::Point Moved(gdi::Point p, gdi::Point by) {
  return gdi::Point{p.x + by.x, p.y + by.y};
}
inline gdi::Rect Moved(const gdi::Rect& r, gdi::Point by) {
  return gdi::Rect{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// How far `box` moves to lie inside `area`: right (down) when it begins
// before it, otherwise left (up) when it ends after it, but never so far that
// it begins before it. Nothing moves without an area.
gdi::Point ShiftInto(const gdi::Rect& box, const std::optional<gdi::Rect>& area);

// The legend heading's line height in `font`; 0 without a heading or texts.
std::int32_t LegendHeadingHeight(const PaintContext& context, const LogFont& font);
// The heading, left-aligned at `top_left`, in the legend font already
// selected; nothing without a heading or texts.
void DrawLegendHeading(const PaintContext& context, gdi::Point top_left);

// The extra height at scale 1 the source line takes below the map; 0
// without one.
std::int32_t SourceLineHeight(const Settings& settings);
// The source line in the area-name font, at the lower left of the drawing
// (or the lower right); nothing without one or without texts.
void DrawSourceLine(const PaintContext& context);

}  // namespace kartela
