// A base map from the user's own boundary file: the areas GDAL reads,
// projected, laid out and generalised by the builder of the shipped maps.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geodata/basemap/gdal_source.h"
#include "geodata/basemap/recipe.h"

namespace kartela::basemap {

struct ImportOptions {
  SourceRequest source;
  std::string title;  // UTF-8; empty: the source file's name
  // PROJ string or EPSG code; empty: chosen from the extent. Not for a
  // planar source, which keeps its own plane.
  std::string projection;
  // Degrees; polygons south of it go to an inset. Not for a planar source.
  std::optional<double> inset_below_lat;
  double tolerance = 0.5;     // pixels
  std::string map_file_name;  // UTF-8; the data file's base-map reference
  bool with_data = false;     // also make a data file
};

struct ImportedMap {
  std::string map_bytes;          // the .IDT file
  std::string data_bytes;         // the .DAT file, when asked for
  geodata::ImportProblems notes;  // what the import went on after (SourceAreas::notes)
  TextEncoding encoding = TextEncoding::kAuto;
  std::string projection;
  int areas = 0;
};

// A conformal conic around the centre of the areas' extent (Mercator for an
// extent across the equator, the Equal Earth projection for one of more
// than 90 degrees of latitude or 180 of longitude), on GRS80.
std::string ChooseProjection(const std::vector<SourceArea>& areas);

// The recipe an import builds with.
Recipe ImportRecipe(const ImportOptions& options, const std::vector<SourceArea>& areas);

// Builds the map from areas already read; refuses more areas or point
// records than the format holds, a title it cannot hold and a projection
// PROJ does not take.
geodata::ImportStatusOr<ImportedMap> BuildImportedMap(const ImportOptions& options,
                                                      SourceAreas source);

geodata::ImportStatusOr<ImportedMap> ImportBaseMap(const ImportOptions& options);

}  // namespace kartela::basemap
