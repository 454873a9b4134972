// The transform from base-map coordinates to device coordinates, the size of
// a whole picture, and the zoom arithmetic.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>

#include "gdi/gdi_types.h"
#include "model/area_list.h"
#include "model/settings.h"
#include "render/workspace.h"

namespace kartela {

// Everything the transform needs: the drawing magnification and position of
// the settings, and the scale and origin of one paint. The paint scale is a
// stored real: FrameOf rounds it to 48 bits, so that every paint at a computed
// scale (a print, its preview) places its pixels alike.
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

// MapToDevice for the many points of one paint, giving the same integers.
// Device x depends on the map point's x alone and y on y, and the points of a
// base map share few coordinates; so each axis works out a coordinate with
// the 48-bit steps the first time it comes and looks it up after that. The
// tables (one entry per int16 coordinate and axis, 512 KiB) are made once.
class PointMapper {
 public:
  explicit PointMapper(const MapFrame& frame);

  gdi::Point operator()(MapPoint p) noexcept { return gdi::Point{x_(p.x), y_(p.y)}; }

 private:
  class Axis {
   public:
    Axis(std::int16_t position, double magnification, double scale, std::int32_t origin);

    std::int32_t operator()(std::int16_t coordinate) noexcept {
      std::int32_t& device = devices_[static_cast<std::uint16_t>(coordinate)];
      if (device == kNotYet) device = Compute(coordinate);
      return device;
    }

   private:
    // A device coordinate that may also be a result; such a coordinate is
    // simply worked out each time.
    static constexpr std::int32_t kNotYet = std::numeric_limits<std::int32_t>::min();

    std::int32_t Compute(std::int16_t coordinate) const noexcept;

    std::int16_t position_;
    double magnification_;
    double scale_;
    std::int32_t origin_;
    std::unique_ptr<std::int32_t[]> devices_;  // indexed by the coordinate's 16 bits
  };

  Axis x_;
  Axis y_;
};

// The title's anchor: centred on the map's width plus TitleOffsetX, at
// TitleOffsetY, through the transform without the drawing position.
gdi::Point TitleAnchor(const MapFrame& frame, const Settings& settings, MapSize resolution);

// The top-left corner of the legend: the base map's legend position moved by
// the legend offsets.
gdi::Point LegendAnchor(const MapFrame& frame, const Settings& settings, MapPoint index_position);

// A title or legend dragged by `delta` device pixels on the screen (scale
// 1): its offsets move by the delta over the magnification, rounded, and the
// change bit its dialog sets is set. False, with nothing changed, when the
// drag moves neither offset.
bool MoveTitle(Settings& settings, gdi::Point delta);
bool MoveLegend(Settings& settings, gdi::Point delta);

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

// The whole-map command: both magnifications scaled by one factor (so the
// map keeps its proportions), stored as 48-bit reals, so that the map's
// frame (drawing position included) fits a view of `view` pixels as large
// as it can. Decorations and a background picture keep their size and are
// left out. Nothing changes without a map or a view.
void ZoomToFit(Workspace& workspace, gdi::Size view);

}  // namespace kartela
