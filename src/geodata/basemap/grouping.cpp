#include "geodata/basemap/grouping.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace kartela::basemap {
namespace {

std::vector<Area> GroupByRegion(const std::vector<PolygonName>& names) {
  std::vector<Area> areas;
  std::map<std::string, std::size_t, std::less<>> index_of_region;
  for (const PolygonName& polygon : names) {
    const std::string_view region = RegionOf(polygon.name);
    auto found = index_of_region.find(region);
    if (found == index_of_region.end()) {
      found = index_of_region.emplace(std::string(region), areas.size()).first;
      areas.push_back(Area{std::string(region), std::string(region), {}});
    }
    areas[found->second].polygons.push_back(polygon.polygon);
  }
  return areas;
}

std::optional<std::string> ApplyNames(std::vector<Area>& areas, const NameTable& table) {
  std::set<std::string> used;
  for (Area& area : areas) {
    const auto entry = table.shown.find(area.region);
    if (entry == table.shown.end()) {
      return "the name table has no entry for \"" + area.region + "\"";
    }
    area.name = entry->second;
    used.insert(area.region);
  }
  for (const std::string& source : table.order) {
    if (!used.contains(source)) return "the name table names an unknown region \"" + source + "\"";
  }
  return std::nullopt;
}

// Every area of the table is there: ApplyNames has checked it.
void SortByTable(std::vector<Area>& areas, const NameTable& table) {
  std::map<std::string, std::size_t, std::less<>> line;
  for (const std::string& source : table.order)
    line.emplace(source, line.size());
  std::stable_sort(areas.begin(), areas.end(),
                   [&](const Area& a, const Area& b) { return line[a.region] < line[b.region]; });
}

}  // namespace

std::string_view RegionOf(std::string_view polygon_name) {
  return polygon_name.substr(0, polygon_name.find(':'));
}

StatusOr<std::vector<Area>> GroupAreas(const std::vector<PolygonName>& names,
                                       const NameTable* table,
                                       const std::vector<std::string>& excluded, AreaOrder order) {
  std::vector<Area> areas = GroupByRegion(names);
  for (const std::string& entry : excluded) {
    if (std::erase_if(areas, [&](const Area& a) { return NamesRegion(entry, a.region); }) == 0) {
      return Status(StatusCode::kRefused, "cannot exclude unknown region \"" + entry + "\"");
    }
  }
  if (table != nullptr) {
    if (auto problem = ApplyNames(areas, *table)) return Status(StatusCode::kRefused, *problem);
    if (order == AreaOrder::kNameTable) SortByTable(areas, *table);
  }
  return areas;
}

}  // namespace kartela::basemap
