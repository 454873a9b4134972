// A polygon database written by the tests themselves, in the byte layout of
// the maps and mapdata packages, with coordinates given in degrees.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "geodata/basemap/polygon_database.h"
#include "model/area_list.h"

namespace kartela::test {

using Degrees = std::vector<std::pair<double, double>>;  // (longitude, latitude)

class TinyDatabase {
 public:
  // Adds a line through `points` and returns its number.
  int AddLine(const Degrees& points);
  // Adds a polygon walking the signed line numbers `lines`.
  void AddPolygon(const std::string& name, const std::vector<int>& lines);
  // Adds a polygon with a closed line of its own through `points`.
  void AddRing(const std::string& name, Degrees points);

  std::string LineBytes() const;
  std::string PolygonBytes() const;
  std::string NameBytes() const;

  // The parsed database; fails the test when it does not parse.
  basemap::PolygonDatabase Parse() const;
  // Writes `stem`.L, .G and .N.
  void Write(const std::filesystem::path& stem) const;

 private:
  std::vector<Degrees> lines_;
  std::vector<std::pair<std::string, std::vector<int>>> polygons_;
};

// Points as plain pairs, to compare whole runs in expectations.
using Pairs = std::vector<std::pair<int, int>>;
inline std::pair<int, int> AsPair(const MapPoint& p) {
  return {p.x, p.y};
}
Pairs AsPairs(const std::vector<MapPoint>& points);

// A square ring of side `size` degrees with its south-west corner at (lon, lat).
Degrees Square(double lon, double lat, double size);

}  // namespace kartela::test
