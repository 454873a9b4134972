// Writing a built map as a base-map file (.IDT).
#pragma once

#include <string>

#include "base/status.h"
#include "geodata/basemap/map_builder.h"

namespace kartela::basemap {

// Most point records a base map may hold, the closing separator included.
inline constexpr std::size_t kMaxPointRecords = 1'535'999;
// Most Shift-JIS bytes of the title, the header's first line.
inline constexpr std::size_t kMaxHeaderLine = 255;

// `utf8` in Shift-JIS, as base maps and data files store their texts;
// refused with `what` named when Shift-JIS cannot hold a character of it.
StatusOr<std::string> ToSjis(const std::string& utf8, const std::string& what);

// The bytes of the file: the Shift-JIS header with CR LF line ends
// (title, @RESOLUTION, @INDEXPOSITION, one line "name=x,y/x,y..." per area,
// @STARTOFPOINTS), then the little-endian point records: each area's outline
// runs, then the other lines, each run after a separator carrying its line
// code, and a closing separator. Refuses names and titles that Shift-JIS
// cannot hold or that the header would misread, and maps beyond the limits
// of the format.
StatusOr<std::string> EncodeBaseMap(const BuiltMap& map);

}  // namespace kartela::basemap
