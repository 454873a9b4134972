// The polygons of a map laid out in pixels: each shared border once.
#pragma once

#include <vector>

#include "base/status.h"
#include "geodata/basemap/geometry.h"
#include "geodata/basemap/grouping.h"
#include "geodata/basemap/polygon_database.h"
#include "geodata/basemap/recipe.h"
#include "geodata/basemap/topology.h"

namespace kartela::basemap {

struct Part {         // one polygon of an area
  int area = 0;       // index into the areas
  int placement = 0;  // 0 the map itself, i the i-th inset
  std::vector<GeoPoint> ring;
};

struct Sheet {
  std::vector<Part> parts;
  Topology topology;                          // ring i is part i
  std::vector<std::vector<PlanePoint>> arcs;  // in pixels
  std::vector<PlaneRing> rings;               // each part's ring in pixels
  std::vector<Bounds> extents;                // each part's extent in pixels

  // Whether part `inner` lies inside part `outer`: a point of the boundary
  // of `inner` that `outer` does not share lies inside the ring of `outer`.
  bool Inside(int inner, int outer) const;
};

// Projects the areas' polygons that the recipe does not omit (an inset's
// with its own projection when it has one), moves the inset ones into their
// boxes and fits the rest into the frame.
StatusOr<Sheet> LayOutSheet(const Recipe& recipe, const PolygonDatabase& database,
                            const std::vector<Area>& areas);

}  // namespace kartela::basemap
