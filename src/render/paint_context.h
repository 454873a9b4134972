// What every paint step receives: the model, the drawing objects, the target
// and the parameters of the call.
#pragma once

#include <cstdint>
#include <optional>

#include "gdi/device_context.h"
#include "render/drawing_resources.h"
#include "render/map_frame.h"
#include "render/workspace.h"

namespace kartela {

// Bits of PaintFlags.
inline constexpr std::uint8_t kPaintMonochrome = 0x01;   // black pens and texts on white
inline constexpr std::uint8_t kPaintNoText = 0x02;       // no title, legend texts or names
inline constexpr std::uint8_t kPaintOutlineOnly = 0x04;  // white map without area names

// Where a paint drew the title and the legend (device units), for the map
// window to find them under the mouse.
// A shift is how far the paint moved the item from where its offsets put it,
// to keep it on the drawing.
struct FurniturePlaces {
  std::optional<gdi::Rect> title;
  std::optional<gdi::Rect> legend;
  gdi::Point title_shift{};
  gdi::Point legend_shift{};
};

struct PaintParams {
  std::uint8_t PaintFlags = 0;
  gdi::Point PaintOrigin{};  // subtracted after scaling; the scroll position on screen
  double PaintScale = 1.0;
  // Where texts are measured when the target cannot measure (the map
  // window's own screen context); none where every target measures.
  gdi::DeviceContext* measure_fallback = nullptr;
  // Filled with the places of the title and the legend when set; only then
  // are they measured, so no other target sees an extra call.
  FurniturePlaces* places = nullptr;
};

struct PaintContext {
  PaintContext(const Workspace& workspace_in, const DrawingResources& resources_in,
               gdi::DeviceContext& dc_in, const PaintParams& params_in)
      : workspace(workspace_in),
        resources(resources_in),
        dc(dc_in),
        params(params_in),
        frame(FrameOf(workspace_in.settings, params_in.PaintScale, params_in.PaintOrigin)) {
    params.PaintScale = frame.PaintScale;  // sizes scale by the stored real, as points do
  }

  bool monochrome() const { return (params.PaintFlags & kPaintMonochrome) != 0; }
  bool no_text() const { return (params.PaintFlags & kPaintNoText) != 0; }
  const gdi::Pen& Pen(PenIndex index) const { return resources.PenFor(index, monochrome()); }
  gdi::Color TextColor() const { return monochrome() ? gdi::kBlack : resources.screen.window_text; }
  gdi::Color BackgroundColor() const {
    return monochrome() ? gdi::kWhite : resources.screen.window;
  }
  // Tells the caller that asked for places (PaintParams::places) where the
  // title and the legend went, and how far they were moved onto the drawing.
  void NoteLegendPlace(const gdi::Rect& box, gdi::Point shift) const {
    if (params.places == nullptr) return;
    params.places->legend = box;
    params.places->legend_shift = shift;
  }
  void NoteTitlePlace(const gdi::Rect& box, gdi::Point shift) const {
    if (params.places == nullptr) return;
    params.places->title = box;
    params.places->title_shift = shift;
  }

  const Workspace& workspace;
  const DrawingResources& resources;
  gdi::DeviceContext& dc;
  PaintParams params;
  MapFrame frame;
};

}  // namespace kartela
