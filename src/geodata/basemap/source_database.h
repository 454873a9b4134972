// The areas of a boundary file as a polygon database, so that the builder
// treats them as the regions of the R databases.
#pragma once

#include <string>
#include <vector>

#include "geodata/basemap/gdal_source.h"
#include "geodata/basemap/polygon_database.h"

namespace kartela::basemap {

// One line and one polygon per ring, the rings of `areas[i]` under the
// region name `regions[i]` (a name without a colon), with its land area.
PolygonDatabase AsDatabase(const std::vector<SourceArea>& areas,
                           const std::vector<std::string>& regions);

}  // namespace kartela::basemap
