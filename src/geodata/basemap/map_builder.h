// From a polygon database and a recipe to the contents of a base map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "geodata/basemap/polygon_database.h"
#include "geodata/basemap/recipe.h"
#include "model/area_list.h"

namespace kartela::basemap {

// Longest run of vertices a base map may hold (the renderer's buffer).
inline constexpr std::size_t kMaxRunVertices = 1000;
// Most outline polygons an area may have (one anchor each).
inline constexpr std::size_t kMaxOutlines = 10;

// Line codes of the runs after the outlines.
inline constexpr std::int16_t kPlainLine = 0;
inline constexpr std::int16_t kSecondBorder = -1;
inline constexpr std::int16_t kFrameLine = -9;

struct Run {
  std::int16_t code = kPlainLine;
  std::vector<MapPoint> points;
};

struct BuiltArea {
  std::string name;  // UTF-8
  // The area's largest polygons, largest first, each with its anchor.
  std::vector<std::vector<MapPoint>> outlines;
  std::vector<MapPoint> anchors;
  // km² on the ellipsoid, of every polygon of the area in the source, also
  // those omitted, put in an inset or too small to draw.
  double land_area = 0;
};

struct BuiltMap {
  std::string title;  // UTF-8
  MapSize resolution;
  MapPoint index_position;
  std::vector<BuiltArea> areas;
  std::vector<Run> lines;  // smaller islands, second borders, inset frames
};

StatusOr<BuiltMap> BuildBaseMap(const Recipe& recipe, const PolygonDatabase& database,
                                const NameTable* names);

// `points` cut into runs of at most `limit` vertices; each run after the
// first starts where the one before ended, so the line stays connected.
std::vector<std::vector<MapPoint>> SplitLine(const std::vector<MapPoint>& points,
                                             std::size_t limit);

}  // namespace kartela::basemap
