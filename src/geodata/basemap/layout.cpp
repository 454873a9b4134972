#include "geodata/basemap/layout.h"

#include <algorithm>
#include <numbers>

namespace kartela::basemap {
namespace {

// Room kept between an inset's contents and its frame.
constexpr double kInsetPadding = 6;

bool WithinDegrees(const GeoBox& box, const std::vector<GeoPoint>& ring) {
  constexpr double kDegrees = 180 / std::numbers::pi;
  return std::all_of(ring.begin(), ring.end(), [&](const GeoPoint& p) {
    const double lon = p.lon * kDegrees, lat = p.lat * kDegrees;
    return box.west <= lon && lon <= box.east && box.south <= lat && lat <= box.north;
  });
}

PixelTransform Centre(const Bounds& extent, double scale, double left, double top, double width,
                      double height) {
  PixelTransform t;
  t.scale = scale;
  t.offset_x = left + (width - extent.width() * scale) / 2 - extent.min_x * scale;
  t.offset_y = top + (height - extent.height() * scale) / 2 + extent.max_y * scale;
  return t;
}

}  // namespace

bool Selects(const Selection& selection, const std::string& region,
             const std::vector<GeoPoint>& ring) {
  const auto& regions = selection.regions;
  return (regions.empty() ||
          std::any_of(regions.begin(), regions.end(),
                      [&](const std::string& entry) { return NamesRegion(entry, region); })) &&
         WithinDegrees(selection.bounds, ring);
}

int ChoosePlacement(const Recipe& recipe, const std::string& region,
                    const std::vector<GeoPoint>& ring) {
  for (std::size_t i = 0; i < recipe.insets.size(); ++i) {
    if (Selects(recipe.insets[i].selection, region, ring)) return static_cast<int>(i) + 1;
  }
  return 0;
}

StatusOr<std::vector<PixelTransform>> FitPlacements(const Recipe& recipe,
                                                    const std::vector<Bounds>& extents) {
  if (extents.empty() || extents[0].empty() || extents[0].width() <= 0 ||
      extents[0].height() <= 0) {
    return Status(StatusCode::kRefused, "nothing is left for the map outside its insets");
  }
  const PixelBox& frame = recipe.frame;
  const double scale =
      std::min(frame.width() / extents[0].width(), frame.height() / extents[0].height());
  std::vector<PixelTransform> transforms{
      Centre(extents[0], scale, frame.left, frame.top, frame.width(), frame.height())};
  for (std::size_t i = 0; i < recipe.insets.size(); ++i) {
    const Bounds& extent = extents[i + 1];
    const InsetRecipe& inset = recipe.insets[i];
    if (extent.empty()) {
      return Status(StatusCode::kRefused, "inset " + std::to_string(i + 1) + " takes no polygon");
    }
    const double inner_width = inset.box.width() - 2 * kInsetPadding;
    const double inner_height = inset.box.height() - 2 * kInsetPadding;
    const double inset_scale = scale * inset.scale;
    if (extent.width() * inset_scale > inner_width ||
        extent.height() * inset_scale > inner_height) {
      return Status(StatusCode::kRefused,
                    "inset " + std::to_string(i + 1) + " needs a box of at least " +
                        std::to_string(static_cast<int>(extent.width() * inset_scale +
                                                        2 * kInsetPadding + 1)) +
                        " x " +
                        std::to_string(static_cast<int>(extent.height() * inset_scale +
                                                        2 * kInsetPadding + 1)) +
                        " pixels");
    }
    transforms.push_back(Centre(extent, inset_scale, inset.box.left + kInsetPadding,
                                inset.box.top + kInsetPadding, inner_width, inner_height));
  }
  return transforms;
}

}  // namespace kartela::basemap
