// The data file that goes with a built map.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"
#include "geodata/basemap/map_builder.h"

namespace kartela::basemap {

// The bytes of a data file on `map` (saved as `map_file_name`), titled
// `title`, with `values[i]` for its area i (all UTF-8); refuses what
// Shift-JIS or the data-file format cannot hold.
StatusOr<std::string> FormatMapData(const BuiltMap& map, const std::string& map_file_name,
                                    const std::string& title,
                                    const std::vector<std::string>& values);

}  // namespace kartela::basemap
