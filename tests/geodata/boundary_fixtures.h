// Boundary files written by the tests through GDAL, from the prefectures of
// the shipped base map 全国２.IDT (its pixels taken as longitude and latitude).
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kartela::test {

using LonLatRing = std::vector<std::pair<double, double>>;  // degrees, not closed

struct BoundaryRow {
  std::string name;  // UTF-8
  int code = 0;
  double value = 0;
  std::vector<LonLatRing> polygons;  // empty: a row without geometry
};

// Areas `first` to `last` (1-based) of 全国２.IDT, one row each, coded by
// their area number, valued 1000 times it.
std::vector<BoundaryRow> ShippedPrefectures(int first, int last);

// Each polygon of a row as a row of its own, with the row's name and code.
std::vector<BoundaryRow> OneRowPerPart(const std::vector<BoundaryRow>& rows);

enum class FixtureText { kCp932WithoutCpg, kCp932WithCpg, kUtf8 };

struct FixtureFormat {
  const char* driver;  // a GDAL driver name
  const char* file;
  FixtureText text;
  int epsg;  // the coordinate system written, from longitude and latitude
};

// Writes `rows` as a polygon layer "areas" with the fields NAME, CODE
// (integer) and POP (real); returns the file's path.
std::filesystem::path WriteBoundaryFile(const std::filesystem::path& dir,
                                        const FixtureFormat& format,
                                        const std::vector<BoundaryRow>& rows);

// A point layer with a NAME field.
std::filesystem::path WritePointFile(const std::filesystem::path& dir);

}  // namespace kartela::test
