// The transform from base-map coordinates to device coordinates, the size of
// a whole picture, and the zoom arithmetic.
#pragma once

#include <cstdint>

#include "gdi/gdi_types.h"
#include "model/area_list.h"
#include "model/settings.h"
#include "render/workspace.h"

namespace kartela {

// Everything the transform needs: the drawing magnification and position of
// the settings, and the scale and origin of one paint.
struct MapFrame {
  double DrawResX = 1.0;
  double DrawResY = 1.0;
  std::int16_t DrawPosX = 0;
  std::int16_t DrawPosY = 0;
  double PaintScale = 1.0;
  gdi::Point PaintOrigin;
};

MapFrame FrameOf(const Settings& settings, double paint_scale, gdi::Point paint_origin);

// Round(((x + DrawPosX) x DrawResX) x PaintScale) - PaintOrigin.x, and the
// same for y, each product stored as a 48-bit real and rounded half to even.
// Allocates nothing.
gdi::Point MapToDevice(const MapFrame& frame, int x, int y) noexcept;
inline gdi::Point MapToDevice(const MapFrame& frame, MapPoint p) noexcept {
  return MapToDevice(frame, p.x, p.y);
}

// The title's anchor: centred on the map's width plus TitleOffsetX, at
// TitleOffsetY, through the transform without the drawing position.
gdi::Point TitleAnchor(const MapFrame& frame, const Settings& settings, MapSize resolution);

// The top-left corner of the legend: the base map's legend position moved by
// the legend offsets.
gdi::Point LegendAnchor(const MapFrame& frame, const Settings& settings, MapPoint index_position);

// Where the background picture goes: scaled by the paint scale only and
// truncated toward zero. An empty rectangle when there is no picture.
gdi::Rect BackgroundRect(const MapView& view, double paint_scale, gdi::Point paint_origin);

// The size in device units at scale 1 of everything a paint draws: the map's
// frame, the decorations (with a margin of 5) and the background picture.
gdi::Size DrawingExtent(const Workspace& workspace);

// The zoom buttons: both magnifications times 1.1, or times the
// extended-precision constant nearest 1/1.1, stored as 48-bit reals.
void ZoomIn(Settings& settings);
void ZoomOut(Settings& settings);

}  // namespace kartela
