// Placing the projected map and its insets into the pixel frame of the map.
#pragma once

#include <string>
#include <vector>

#include "geodata/basemap/geometry.h"
#include "geodata/basemap/recipe.h"

namespace kartela::basemap {

// Whether `selection` takes the polygon `ring` of `region`.
bool Selects(const Selection& selection, const std::string& region,
             const std::vector<GeoPoint>& ring);

// Which placement a polygon gets: 0 the map itself, i the i-th inset of the
// recipe (the first inset that selects it).
int ChoosePlacement(const Recipe& recipe, const std::string& region,
                    const std::vector<GeoPoint>& ring);

// Projected metres to pixels, with y turned downward.
struct PixelTransform {
  double scale = 1;
  double offset_x = 0;
  double offset_y = 0;
  PlanePoint Apply(const PlanePoint& p) const {
    return {offset_x + p.x * scale, offset_y - p.y * scale};
  }
};

// The map's projected extent fitted into the recipe's frame, and each
// inset's extent centred in its box at the map's scale times the inset's
// scale. `extents[0]` is the map's, `extents[i]` the i-th inset's.
StatusOr<std::vector<PixelTransform>> FitPlacements(const Recipe& recipe,
                                                    const std::vector<Bounds>& extents);

}  // namespace kartela::basemap
