// Areas read from a vector boundary file through GDAL (Shapefile,
// GeoPackage, GeoJSON, FlatGeobuf, KML, GML and the rest GDAL reads).
//
// Rows are joined into areas by a group field (the rows of one municipality's
// islands), their geometry repaired where it is invalid, moved to longitude
// and latitude, and their texts decoded with the table's own encoding.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "geodata/basemap/geometry.h"
#include "geodata/import_problem.h"

namespace kartela::basemap {

struct SourceRequest {
  std::filesystem::path path;
  std::string layer;        // empty: the first layer
  std::string name_field;   // required
  std::string group_field;  // empty: rows with the same name are one area
  std::string order_field;  // empty: areas in the order of their first row
  std::string value_field;  // empty: no values
  TextEncoding encoding = TextEncoding::kAuto;
  // Names Shift-JIS cannot hold, or longer than an area name may be, are
  // refused rather than transliterated and cut.
  bool strict_names = false;
  // The coordinate system of the source (an EPSG code, a PROJ string, WKT),
  // taken instead of the one it states; empty: its own.
  std::string source_system;
  // The numbers taken as plane coordinates as they are, whatever the source
  // states: a map of x and y, y up.
  bool planar = false;
  // The names are region names a recipe refers to, not names shown: any
  // text, and rows without one are left out (noted).
  bool region_names = false;
  // Called now and then with the rows read so far and in all; false cancels.
  std::function<bool(long long done, long long total)> progress;
};

struct SourceArea {
  long long first_row = 0;  // 1-based row of the layer
  std::string name;         // UTF-8, representable in Shift-JIS
                            // within kMaxAreaNameBytes unless
                            // region_names
  std::string value;        // the value text, empty without a value
  // Outer rings, radians, not closed; with `planar` the source's numbers
  // read as degrees.
  std::vector<std::vector<GeoPoint>> rings;
  double land_area = 0;  // km² on the ellipsoid of all its polygons, their holes taken out
};

struct SourceAreas {
  std::vector<SourceArea> areas;
  TextEncoding encoding = TextEncoding::kAuto;  // the one the texts were read in
  // What the import went on after: names changed, rows repaired or left
  // out, a system guessed (the codes of the notes in import_problem.h).
  geodata::ImportProblems notes;
};

// The areas, or the problems that stop the import: the rows at fault, or
// kCancelled when `progress` said stop.
geodata::ImportStatusOr<SourceAreas> ReadSourceAreas(const SourceRequest& request);

// What a dialog shows before the import: the layers and, for a layer, its
// fields with a few different values decoded in the detected encoding.
struct SourceField {
  std::string name;
  std::vector<std::string> samples;  // UTF-8; reals with the decimals they need
  bool text = false;                 // a text field
  bool numeric = false;              // an integer or real field, one a value field may be
  bool distinct = false;             // no value empty or repeated in the rows looked at
};

struct SourceLayerInfo {
  std::vector<std::string> layers;
  std::vector<SourceField> fields;  // of the chosen layer
  TextEncoding encoding = TextEncoding::kAuto;
};

geodata::ImportStatusOr<SourceLayerInfo> InspectSource(const std::filesystem::path& path,
                                                       const std::string& layer);

}  // namespace kartela::basemap
