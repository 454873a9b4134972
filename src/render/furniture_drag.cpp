#include "render/furniture_drag.h"

#include "render/map_frame.h"

namespace kartela {
namespace {

bool Contains(const std::optional<gdi::Rect>& place, gdi::Point p) {
  return place && p.x >= place->left && p.x < place->right && p.y >= place->top &&
         p.y < place->bottom;
}

gdi::Rect Moved(const gdi::Rect& r, gdi::Point by) {
  return gdi::Rect{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

}  // namespace

void FurnitureDrag::SetPlaces(std::optional<gdi::Rect> title, std::optional<gdi::Rect> legend,
                              gdi::Point title_shift, gdi::Point legend_shift) {
  title_ = title;
  legend_ = legend;
  title_shift_ = title_shift;
  legend_shift_ = legend_shift;
}

void FurnitureDrag::ApplyShifts(Settings& settings) const {
  const std::uint32_t changed = settings.ChangedMask;
  MoveTitle(settings, title_shift_);
  MoveLegend(settings, legend_shift_);
  settings.ChangedMask = changed;  // nothing moved yet
}

std::optional<Furniture> FurnitureDrag::At(gdi::Point canvas) const {
  if (Contains(legend_, canvas)) return Furniture::kLegend;
  if (Contains(title_, canvas)) return Furniture::kTitle;
  return std::nullopt;
}

void FurnitureDrag::Press(gdi::Point canvas) {
  cancelled_ = false;
  const std::optional<Furniture> item = At(canvas);
  if (!item) return;
  drag_ = Drag{*item, *item == Furniture::kTitle ? *title_ : *legend_, canvas, canvas};
}

void FurnitureDrag::Move(gdi::Point canvas) {
  if (drag_) drag_->now = canvas;
}

bool FurnitureDrag::Release(gdi::Point canvas, Settings& settings) {
  cancelled_ = false;
  if (!drag_) return false;
  const Drag drag = *drag_;
  drag_.reset();
  const bool title = drag.item == Furniture::kTitle;
  const gdi::Point shift = title ? title_shift_ : legend_shift_;
  const gdi::Point delta{canvas.x - drag.press.x + shift.x, canvas.y - drag.press.y + shift.y};
  return title ? MoveTitle(settings, delta) : MoveLegend(settings, delta);
}

bool FurnitureDrag::Cancel() {
  if (!drag_) return false;
  drag_.reset();
  cancelled_ = true;
  return true;
}

bool FurnitureDrag::CanMoveAt(gdi::Point canvas) const {
  return !cancelled_ && (drag_.has_value() || At(canvas).has_value());
}

std::optional<gdi::Rect> FurnitureDrag::Frame() const {
  if (!drag_) return std::nullopt;
  return Moved(drag_->place,
               gdi::Point{drag_->now.x - drag_->press.x, drag_->now.y - drag_->press.y});
}

}  // namespace kartela
