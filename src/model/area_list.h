// The areas of the data's base map, read from a base-map header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kartela {

// Most areas a base map may list.
inline constexpr int kMaxAreas = 3440;
// Longest area name kept, in Shift-JIS bytes.
inline constexpr std::size_t kMaxAreaNameBytes = 36;

struct MapSize {
  std::int16_t width = 640;
  std::int16_t height = 400;
};

struct MapPoint {
  std::int16_t x = 0;
  std::int16_t y = 0;
};

// The rows of the data table: area n of the base map is AreaNames[n - 1].
struct AreaList {
  std::vector<std::string> AreaNames;  // Shift-JIS, at most kMaxAreaNameBytes each
  std::int16_t LongestAreaName = 0;    // largest byte length of a name as written in the header
  std::string BaseMapTitle;            // line 1 of the header
  MapSize HeaderResolution;            // used by the drawing-scale command
  std::string CurrentBaseMapFile;      // the base-map reference this list describes (Shift-JIS)

  int AreaCount() const { return static_cast<int>(AreaNames.size()); }
};

}  // namespace kartela
