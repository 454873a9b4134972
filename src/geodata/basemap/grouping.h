// Areas of a base map from the named polygons of a database.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geodata/basemap/polygon_database.h"
#include "geodata/basemap/recipe.h"

namespace kartela::basemap {

struct Area {
  std::string region;         // the source name before the first colon
  std::string name;           // the displayed name, UTF-8
  std::vector<int> polygons;  // 1-based polygon numbers, in name-file order
};

// The region a polygon name belongs to: the text before its first colon.
std::string_view RegionOf(std::string_view polygon_name);

// Groups polygons by region in the order regions first appear in the name
// file, or in the order of the name table's lines, leaving out `excluded`
// regions ("X*" every region starting with X; an entry that leaves out
// nothing is refused). With a name table every region must have an entry and
// every entry a region, so a typing error cannot slip by.
StatusOr<std::vector<Area>> GroupAreas(const std::vector<PolygonName>& names,
                                       const NameTable* table,
                                       const std::vector<std::string>& excluded,
                                       AreaOrder order = AreaOrder::kFirstAppearance);

}  // namespace kartela::basemap
