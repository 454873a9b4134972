// The title and the legend dragged with the mouse on the map window while no
// decoration tool is chosen: found under the pointer where the last paint
// drew them, shown as a frame while the button is held, and moved on the
// release by the drag over the magnification, as the position dialogs move
// them. Escape leaves them where they were. Points and places are canvas
// pixels (window pixels plus the scroll position).
#pragma once

#include <optional>

#include "gdi/gdi_types.h"
#include "model/settings.h"

namespace kartela {

enum class Furniture { kTitle, kLegend };

class FurnitureDrag {
 public:
  // Where the last paint drew the title and the legend; none for what it
  // did not draw. A shift is how far the paint moved the item from where its
  // offsets put it, to keep it on the drawing: a drag starts from where the
  // item is seen.
  void SetPlaces(std::optional<gdi::Rect> title, std::optional<gdi::Rect> legend,
                 gdi::Point title_shift = {}, gdi::Point legend_shift = {});
  // The offsets of `settings` that put the title and the legend where the
  // last paint drew them (what the position dialogs show).
  void ApplyShifts(Settings& settings) const;
  const std::optional<gdi::Rect>& TitlePlace() const { return title_; }
  const std::optional<gdi::Rect>& LegendPlace() const { return legend_; }

  // The item drawn at `canvas`; the legend is drawn over the title.
  std::optional<Furniture> At(gdi::Point canvas) const;

  // The left button down: a drag begins over an item. A drag cancelled
  // before is forgotten.
  void Press(gdi::Point canvas);
  void Move(gdi::Point canvas);
  // The left button up, during a drag or after a cancelled one. A drag
  // moves the item's offsets in `settings` by the drag, with the change bit
  // of its dialog; true when an offset changed.
  bool Release(gdi::Point canvas, Settings& settings);
  // Escape: the drag ends with nothing moved; the item takes no new drag
  // until the button is released. False when no drag was going on.
  bool Cancel();

  bool Dragging() const { return drag_.has_value(); }
  bool Cancelled() const { return cancelled_; }
  // Whether the pointer at `canvas` shows that it can move an item: during
  // a drag, and over an item unless a cancelled drag awaits its release.
  bool CanMoveAt(gdi::Point canvas) const;
  // Where the dragged item would go; none without a drag.
  std::optional<gdi::Rect> Frame() const;

 private:
  struct Drag {
    Furniture item;
    gdi::Rect place;  // where it was
    gdi::Point press;
    gdi::Point now;
  };

  std::optional<gdi::Rect> title_;
  std::optional<gdi::Rect> legend_;
  gdi::Point title_shift_;
  gdi::Point legend_shift_;
  std::optional<Drag> drag_;
  bool cancelled_ = false;
};

}  // namespace kartela
