// The polygon databases of the R packages `maps` and `mapdata`: three files
// per database, NAME.L (lines), NAME.G (polygons) and NAME.N (names).
//
// NAME.L, little-endian: int32 format word (2); int32 line count; one 28-byte
// header per line (int32 absolute offset of its first point, uint16 point
// count, uint16 left and right polygon, uint16 padding, float32 bounding
// box); then float32 (longitude, latitude) pairs in radians. The sides are
// not used: in some databases (japan, world) they number polygons of another
// edition, so the shared borders are found from the polygons' own rings.
// NAME.G: uint16 polygon count; one 24-byte header per polygon (int32
// absolute offset of its line list, int32 line count, float32 bounding box);
// then int32 signed line numbers (negative: the line walked backwards).
// NAME.N: text, one line per polygon, "name<TAB>polygon number".
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "geodata/basemap/geometry.h"

namespace kartela::basemap {

struct SourceLine {
  std::vector<GeoPoint> points;
};

struct SourcePolygon {
  std::vector<std::int32_t> lines;  // 1-based line numbers, negative walked backwards
};

struct PolygonName {
  std::string name;  // "Region" or "Region:part"
  int polygon = 0;   // 1-based
};

struct PolygonDatabase {
  std::vector<SourceLine> lines;        // line n at [n - 1]
  std::vector<SourcePolygon> polygons;  // polygon n at [n - 1]
  std::vector<PolygonName> names;       // in the order of the name file
  // Land areas in km² by region, where the source knows them better than
  // the polygons tell (a boundary file's holes); the rest are measured.
  std::map<std::string, double> land_areas;
};

// Each parser checks every count and offset against the size of its bytes and
// refuses input that does not fit with a message naming the offending entry.
StatusOr<std::vector<SourceLine>> ParseLineFile(std::string_view bytes);
StatusOr<std::vector<SourcePolygon>> ParsePolygonFile(std::string_view bytes,
                                                      std::size_t line_count);
StatusOr<std::vector<PolygonName>> ParseNameFile(std::string_view bytes, std::size_t polygon_count);

// The three files together.
StatusOr<PolygonDatabase> ParsePolygonDatabase(std::string_view line_bytes,
                                               std::string_view polygon_bytes,
                                               std::string_view name_bytes);

// Reads `stem`.L, `stem`.G and `stem`.N.
StatusOr<PolygonDatabase> ReadPolygonDatabase(const std::filesystem::path& stem);

// The points of polygon `number` (1-based), its lines walked in order, each
// junction point and the closing point given once.
std::vector<GeoPoint> WalkPolygon(const PolygonDatabase& database, int number);

}  // namespace kartela::basemap
