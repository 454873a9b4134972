#include "geodata/basemap/source_database.h"

namespace kartela::basemap {

PolygonDatabase AsDatabase(const std::vector<SourceArea>& areas,
                           const std::vector<std::string>& regions) {
  PolygonDatabase database;
  for (std::size_t a = 0; a < areas.size(); ++a) {
    database.land_areas[regions[a]] += areas[a].land_area;
    for (const auto& ring : areas[a].rings) {
      database.lines.push_back(SourceLine{ring});
      const int number = static_cast<int>(database.lines.size());
      database.polygons.push_back(SourcePolygon{{number}});
      database.names.push_back(PolygonName{regions[a], number});
    }
  }
  return database;
}

}  // namespace kartela::basemap
