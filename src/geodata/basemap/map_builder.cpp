#include "geodata/basemap/map_builder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <set>

#include "geodata/basemap/anchors.h"
#include "geodata/basemap/grouping.h"
#include "geodata/basemap/holes.h"
#include "geodata/basemap/land_area.h"
#include "geodata/basemap/sheet.h"
#include "geodata/basemap/simplify.h"

namespace kartela::basemap {
namespace {

// How much coarser an outline's lines get each time it is still too long.
constexpr double kCoarsening = 1.5;
constexpr int kMaxCoarsenings = 40;

// Per area, the parts drawn as outlines (largest first) and as island lines.
struct AreaPlan {
  std::vector<int> outlines;
  std::vector<int> islands;
};

// Parts smaller than `min_size` pixels either way are dropped, except each
// area's largest, so that no area vanishes from the map; so are hole markers.
std::vector<AreaPlan> PlanAreas(std::size_t area_count, const Sheet& sheet,
                                const std::vector<bool>& markers, double min_size) {
  std::vector<std::vector<int>> by_area(area_count);
  std::vector<double> size(sheet.parts.size());
  for (std::size_t i = 0; i < sheet.parts.size(); ++i) {
    if (!markers[i]) by_area[sheet.parts[i].area].push_back(static_cast<int>(i));
    size[i] = sheet.rings[i].size() < 3 ? 0 : std::fabs(TwiceSignedArea(sheet.rings[i]));
  }
  std::vector<AreaPlan> plans(area_count);
  for (std::size_t a = 0; a < area_count; ++a) {
    auto& parts = by_area[a];
    std::stable_sort(parts.begin(), parts.end(), [&](int p, int q) { return size[p] > size[q]; });
    for (std::size_t k = 0; k < parts.size(); ++k) {
      const Bounds& extent = sheet.extents[parts[k]];
      if (k > 0 && std::max(extent.width(), extent.height()) < min_size) continue;
      (plans[a].outlines.size() < kMaxOutlines ? plans[a].outlines : plans[a].islands)
          .push_back(parts[k]);
    }
  }
  return plans;
}

// Every arc simplified once, at a tolerance that may grow per arc.
class SimplifiedArcs {
 public:
  SimplifiedArcs(const Sheet& sheet, double tolerance)
      : sheet_(sheet), tolerance_(sheet.arcs.size(), tolerance), arcs_(sheet.arcs.size()) {
    for (std::size_t i = 0; i < arcs_.size(); ++i)
      Simplify(i);
  }
  void Coarsen(int part) {
    for (const ArcUse& use : sheet_.topology.rings[part]) {
      tolerance_[use.arc] *= kCoarsening;
      Simplify(use.arc);
    }
  }
  std::vector<MapPoint> Ring(int part) const { return AssembleRing(sheet_.topology, part, arcs_); }
  const std::vector<MapPoint>& Arc(std::size_t arc) const { return arcs_[arc]; }

 private:
  void Simplify(std::size_t arc) {
    arcs_[arc] = RoundToPixels(SimplifyLine(sheet_.arcs[arc], tolerance_[arc]));
  }
  const Sheet& sheet_;
  std::vector<double> tolerance_;
  std::vector<std::vector<MapPoint>> arcs_;
};

std::vector<MapPoint> OutlineRing(int part, const std::vector<std::vector<int>>& enclaves,
                                  const SimplifiedArcs& arcs) {
  std::vector<MapPoint> ring = arcs.Ring(part);
  for (const int enclave : enclaves[part])
    ring = CutHole(ring, arcs.Ring(enclave));
  return ring;
}

// Coarsens the lines of every outline that is still longer than a run may be.
std::optional<std::string> FitOutlines(const std::vector<AreaPlan>& plans,
                                       const std::vector<std::vector<int>>& enclaves,
                                       SimplifiedArcs& arcs) {
  for (int round = 0; round < kMaxCoarsenings; ++round) {
    bool all_fit = true;
    for (const AreaPlan& plan : plans) {
      for (const int part : plan.outlines) {
        if (OutlineRing(part, enclaves, arcs).size() <= kMaxRunVertices) continue;
        all_fit = false;
        arcs.Coarsen(part);
        for (const int enclave : enclaves[part])
          arcs.Coarsen(enclave);
      }
    }
    if (all_fit) return std::nullopt;
  }
  return "an outline keeps more than " + std::to_string(kMaxRunVertices) + " points";
}

void AddLine(std::vector<Run>& lines, std::int16_t code, const std::vector<MapPoint>& points) {
  if (points.size() < 2) return;
  for (auto& piece : SplitLine(points, kMaxRunVertices))
    lines.push_back(Run{code, std::move(piece)});
}

std::vector<BuiltArea> ComposeAreas(const std::vector<Area>& areas,
                                    const std::vector<AreaPlan>& plans,
                                    const std::vector<std::vector<int>>& enclaves,
                                    const SimplifiedArcs& arcs, std::vector<Run>& lines) {
  std::vector<BuiltArea> built;
  for (std::size_t a = 0; a < areas.size(); ++a) {
    BuiltArea& area = built.emplace_back();
    area.name = areas[a].name;
    for (const int part : plans[a].outlines) {
      area.outlines.push_back(OutlineRing(part, enclaves, arcs));
      area.anchors.push_back(AnchorInside(area.outlines.back()));
    }
    for (const int part : plans[a].islands) {
      std::vector<MapPoint> ring = arcs.Ring(part);
      if (!ring.empty()) ring.push_back(ring.front());
      AddLine(lines, kPlainLine, ring);
    }
  }
  return built;
}

// The larger unit of `region`: its first N characters for a number N, else
// the text before the recipe's character.
std::string LargerUnit(const std::string& higher_level, const std::string& region) {
  int length = 0;
  const auto [end, status] =
      std::from_chars(higher_level.data(), higher_level.data() + higher_level.size(), length);
  if (status == std::errc() && end == higher_level.data() + higher_level.size()) {
    return region.substr(0, static_cast<std::size_t>(length));
  }
  return region.substr(0, region.find(higher_level));
}

// Borders between parts whose regions belong to different larger units.
void AddSecondBorders(const Recipe& recipe, const std::vector<Area>& areas, const Sheet& sheet,
                      const SimplifiedArcs& arcs, std::vector<Run>& lines) {
  if (recipe.higher_level.empty()) return;
  const auto unit = [&](int part) {
    return LargerUnit(recipe.higher_level, areas[sheet.parts[part].area].region);
  };
  for (std::size_t i = 0; i < sheet.topology.owners.size(); ++i) {
    std::set<std::string> units;
    for (const int owner : sheet.topology.owners[i])
      units.insert(unit(owner));
    if (units.size() > 1) AddLine(lines, kSecondBorder, arcs.Arc(i));
  }
}

// Each area's land area: the source's figure, or the sum of its polygons;
// a polygon that only marks a hole in the area counts out.
void MeasureLandAreas(const PolygonDatabase& database, const std::vector<Area>& areas,
                      const Sheet& sheet, const std::vector<bool>& markers,
                      std::vector<BuiltArea>& built) {
  for (std::size_t a = 0; a < areas.size(); ++a) {
    const auto known = database.land_areas.find(areas[a].region);
    if (known != database.land_areas.end()) {
      built[a].land_area = known->second;
      continue;
    }
    for (const int polygon : areas[a].polygons)
      built[a].land_area += RingArea(WalkPolygon(database, polygon));
  }
  for (std::size_t i = 0; i < sheet.parts.size(); ++i) {
    const Part& part = sheet.parts[i];
    if (markers[i] && !database.land_areas.contains(areas[part.area].region)) {
      built[part.area].land_area -= 2 * RingArea(part.ring);
    }
  }
}

void AddInsetFrames(const Recipe& recipe, std::vector<Run>& lines) {
  for (const InsetRecipe& inset : recipe.insets) {
    const auto x0 = static_cast<std::int16_t>(inset.box.left),
               y0 = static_cast<std::int16_t>(inset.box.top);
    const auto x1 = static_cast<std::int16_t>(inset.box.right),
               y1 = static_cast<std::int16_t>(inset.box.bottom);
    lines.push_back(Run{kFrameLine, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}});
  }
}

}  // namespace

std::vector<std::vector<MapPoint>> SplitLine(const std::vector<MapPoint>& points,
                                             std::size_t limit) {
  std::vector<std::vector<MapPoint>> pieces;
  for (std::size_t start = 0; start + 1 < points.size(); start += limit - 1) {
    const std::size_t end = std::min(points.size(), start + limit);
    pieces.emplace_back(points.begin() + start, points.begin() + end);
  }
  return pieces;
}

StatusOr<BuiltMap> BuildBaseMap(const Recipe& recipe, const PolygonDatabase& database,
                                const NameTable* names) {
  auto areas = GroupAreas(database.names, names, recipe.excluded, recipe.order);
  if (!areas.ok()) return areas.status();
  auto sheet = LayOutSheet(recipe, database, *areas);
  if (!sheet.ok()) return sheet.status();
  const std::vector<bool> markers = FindHoleMarkers(*sheet);
  const std::vector<AreaPlan> plans = PlanAreas(areas->size(), *sheet, markers, recipe.min_size);
  std::vector<int> outline_parts;
  for (const AreaPlan& plan : plans)
    outline_parts.insert(outline_parts.end(), plan.outlines.begin(), plan.outlines.end());
  const auto enclaves = FindEnclaves(*sheet, outline_parts);
  SimplifiedArcs arcs(*sheet, recipe.tolerance);
  if (auto problem = FitOutlines(plans, enclaves, arcs))
    return Status(StatusCode::kRefused, *problem);

  BuiltMap map;
  map.title = recipe.title;
  map.resolution = {static_cast<std::int16_t>(recipe.width),
                    static_cast<std::int16_t>(recipe.height)};
  map.index_position = {static_cast<std::int16_t>(recipe.legend_x),
                        static_cast<std::int16_t>(recipe.legend_y)};
  map.areas = ComposeAreas(*areas, plans, enclaves, arcs, map.lines);
  MeasureLandAreas(database, *areas, *sheet, markers, map.areas);
  AddSecondBorders(recipe, *areas, *sheet, arcs, map.lines);
  AddInsetFrames(recipe, map.lines);
  return map;
}

}  // namespace kartela::basemap
