#include "geodata/basemap/sheet.h"

#include <algorithm>
#include <memory>

#include "geodata/basemap/layout.h"
#include "geodata/basemap/projection.h"

namespace kartela::basemap {
namespace {

bool IsOmitted(const Recipe& recipe, const std::string& region, const std::vector<GeoPoint>& ring) {
  return std::any_of(recipe.omissions.begin(), recipe.omissions.end(),
                     [&](const Selection& omission) { return Selects(omission, region, ring); });
}

std::vector<Part> CollectParts(const Recipe& recipe, const PolygonDatabase& database,
                               const std::vector<Area>& areas) {
  std::vector<Part> parts;
  for (std::size_t a = 0; a < areas.size(); ++a) {
    for (const int polygon : areas[a].polygons) {
      std::vector<GeoPoint> ring = WalkPolygon(database, polygon);
      if (IsOmitted(recipe, areas[a].region, ring)) continue;
      const int placement = ChoosePlacement(recipe, areas[a].region, ring);
      parts.push_back(Part{static_cast<int>(a), placement, std::move(ring)});
    }
  }
  return parts;
}

StatusOr<std::vector<int>> ArcPlacements(const Topology& topology, const std::vector<Part>& parts) {
  std::vector<int> placements;
  for (const auto& owners : topology.owners) {
    const int placement = parts[owners.front()].placement;
    for (const int owner : owners) {
      if (parts[owner].placement != placement) {
        return Status(StatusCode::kRefused,
                      "an inset would cut a border between two polygons; widen its bounds");
      }
    }
    placements.push_back(placement);
  }
  return placements;
}

// The projection of each placement: the map's, or an inset's own.
StatusOr<std::vector<std::unique_ptr<Projection>>> PlacementProjections(const Recipe& recipe) {
  std::vector<std::unique_ptr<Projection>> projections;
  for (std::size_t i = 0; i <= recipe.insets.size(); ++i) {
    const std::string& own = i == 0 ? recipe.projection : recipe.insets[i - 1].projection;
    auto projection = Projection::Create(own.empty() ? recipe.projection : own);
    if (!projection.ok()) return projection.status();
    projections.push_back(std::move(*projection));
  }
  return projections;
}

StatusOr<std::vector<std::vector<PlanePoint>>> ProjectArcs(const Recipe& recipe,
                                                           const Topology& topology,
                                                           const std::vector<int>& placements) {
  auto projections = PlacementProjections(recipe);
  if (!projections.ok()) return projections.status();
  std::vector<std::vector<PlanePoint>> arcs;
  for (std::size_t i = 0; i < topology.arcs.size(); ++i) {
    auto& arc = arcs.emplace_back();
    for (const GeoPoint& p : topology.arcs[i]) {
      const auto projected = (*projections)[placements[i]]->Forward(p);
      if (!projected) {
        return Status(StatusCode::kRefused, "the projection fails at a point of the source");
      }
      arc.push_back(*projected);
    }
  }
  return arcs;
}

// Moves each arc from projected metres to the pixels of its placement.
Status PlaceArcs(const Recipe& recipe, const std::vector<int>& placements,
                 std::vector<std::vector<PlanePoint>>& arcs) {
  std::vector<Bounds> extents(recipe.insets.size() + 1);
  for (std::size_t i = 0; i < arcs.size(); ++i)
    extents[placements[i]].Add(BoundsOf(arcs[i]));
  const auto transforms = FitPlacements(recipe, extents);
  if (!transforms.ok()) return transforms.status();
  for (std::size_t i = 0; i < arcs.size(); ++i) {
    for (PlanePoint& p : arcs[i])
      p = (*transforms)[placements[i]].Apply(p);
  }
  return Status();
}

}  // namespace

bool Sheet::Inside(int inner, int outer) const {
  if (!extents[outer].Contains(extents[inner])) return false;
  for (const ArcUse& use : topology.rings[inner]) {
    const auto& owners = topology.owners[use.arc];
    if (std::find(owners.begin(), owners.end(), outer) == owners.end()) {
      const PlanePoint& probe = arcs[use.arc][arcs[use.arc].size() / 2];
      return RingContains(rings[outer], probe.x, probe.y);
    }
  }
  return false;
}

StatusOr<Sheet> LayOutSheet(const Recipe& recipe, const PolygonDatabase& database,
                            const std::vector<Area>& areas) {
  Sheet sheet;
  sheet.parts = CollectParts(recipe, database, areas);
  std::vector<std::vector<GeoPoint>> rings;
  for (const Part& part : sheet.parts)
    rings.push_back(part.ring);
  sheet.topology = BuildTopology(rings);
  const auto placements = ArcPlacements(sheet.topology, sheet.parts);
  if (!placements.ok()) return placements.status();
  auto arcs = ProjectArcs(recipe, sheet.topology, *placements);
  if (!arcs.ok()) return arcs.status();
  if (Status placed = PlaceArcs(recipe, *placements, *arcs); !placed.ok()) return placed;
  sheet.arcs = std::move(*arcs);
  for (std::size_t i = 0; i < sheet.parts.size(); ++i) {
    sheet.rings.push_back(AssembleRing(sheet.topology, static_cast<int>(i), sheet.arcs));
    sheet.extents.push_back(BoundsOf(sheet.rings.back()));
  }
  return sheet;
}

}  // namespace kartela::basemap
