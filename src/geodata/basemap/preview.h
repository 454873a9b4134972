// A picture of a loaded base map, for checking a recipe by eye: outlines
// filled by area in turn with a few colours, other lines black, second
// borders red, inset frames blue, first anchors as black dots and further
// ones grey, and the legend position as a box the size of a legend of eight
// classes. Returns the bytes of a PNG file, or why it could not be encoded.
#pragma once

#include <string>

#include "base/status.h"
#include "model/base_map.h"

namespace kartela::basemap {

StatusOr<std::string> RenderPreview(const BaseMap& map);

}  // namespace kartela::basemap
