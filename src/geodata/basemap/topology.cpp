#include "geodata/basemap/topology.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace kartela::basemap {
namespace {

// Points compare exactly: neighbours share the very same stored values
// (adding 0.0 turns -0 into 0, so the two zeros are one point).
struct PointKey {
  std::uint64_t lon = 0;
  std::uint64_t lat = 0;
  auto operator<=>(const PointKey&) const = default;
};

PointKey KeyOf(const GeoPoint& p) {
  return {std::bit_cast<std::uint64_t>(p.lon + 0.0), std::bit_cast<std::uint64_t>(p.lat + 0.0)};
}

struct PointKeyHash {
  std::size_t operator()(const PointKey& k) const { return k.lon * 0x9E3779B97F4A7C15ull ^ k.lat; }
};

// The unordered pair of a point's neighbours in the first ring that passed
// it, and whether another ring passed it with other neighbours.
struct Passage {
  PointKey a;
  PointKey b;
  bool junction = false;
};

using PassageMap = std::unordered_map<PointKey, Passage, PointKeyHash>;

PassageMap FindPassages(const std::vector<std::vector<GeoPoint>>& rings) {
  PassageMap passages;
  for (const auto& ring : rings) {
    const std::size_t n = ring.size();
    for (std::size_t k = 0; k < n; ++k) {
      PointKey a = KeyOf(ring[(k + n - 1) % n]), b = KeyOf(ring[(k + 1) % n]);
      if (b < a) std::swap(a, b);
      const auto [entry, added] = passages.try_emplace(KeyOf(ring[k]), Passage{a, b});
      if (!added && (entry->second.a != a || entry->second.b != b)) entry->second.junction = true;
    }
  }
  return passages;
}

class ArcCollector {
 public:
  explicit ArcCollector(Topology& topology) : topology_(topology) {}

  // Adds `points` (an arc as met along ring `ring`) unless it or its reverse
  // is known, and records the use.
  void Use(int ring, std::vector<GeoPoint> points) {
    std::vector<PointKey> keys(points.size()), backwards;
    std::transform(points.begin(), points.end(), keys.begin(), KeyOf);
    backwards.assign(keys.rbegin(), keys.rend());
    const bool reversed = backwards < keys;
    if (reversed) {
      keys.swap(backwards);
      std::reverse(points.begin(), points.end());
    }
    const auto [entry, added] =
        index_.try_emplace(std::move(keys), static_cast<int>(topology_.arcs.size()));
    if (added) {
      topology_.arcs.push_back(std::move(points));
      topology_.owners.emplace_back();
    }
    topology_.rings[ring].push_back({entry->second, reversed});
    topology_.owners[entry->second].push_back(ring);
  }

 private:
  Topology& topology_;
  std::map<std::vector<PointKey>, int> index_;
};

// A ring without junctions is one closed arc, started at its least point so
// that an identical ring elsewhere yields the same arc.
std::vector<GeoPoint> ClosedArc(const std::vector<GeoPoint>& ring) {
  const auto least =
      std::min_element(ring.begin(), ring.end(),
                       [](const GeoPoint& p, const GeoPoint& q) { return KeyOf(p) < KeyOf(q); });
  std::vector<GeoPoint> arc(least, ring.end());
  arc.insert(arc.end(), ring.begin(), least);
  arc.push_back(arc.front());
  return arc;
}

void CutRing(int index, const std::vector<GeoPoint>& ring, const PassageMap& passages,
             ArcCollector& collector) {
  std::vector<std::size_t> junctions;
  for (std::size_t k = 0; k < ring.size(); ++k) {
    if (passages.at(KeyOf(ring[k])).junction) junctions.push_back(k);
  }
  if (junctions.empty()) {
    collector.Use(index, ClosedArc(ring));
    return;
  }
  for (std::size_t j = 0; j < junctions.size(); ++j) {
    const std::size_t from = junctions[j];
    const std::size_t to = j + 1 < junctions.size() ? junctions[j + 1] : junctions[0] + ring.size();
    std::vector<GeoPoint> arc;
    for (std::size_t k = from; k <= to; ++k)
      arc.push_back(ring[k % ring.size()]);
    collector.Use(index, std::move(arc));
  }
}

}  // namespace

Topology BuildTopology(const std::vector<std::vector<GeoPoint>>& rings) {
  Topology topology;
  topology.rings.resize(rings.size());
  const PassageMap passages = FindPassages(rings);
  ArcCollector collector(topology);
  for (std::size_t i = 0; i < rings.size(); ++i) {
    if (!rings[i].empty()) CutRing(static_cast<int>(i), rings[i], passages, collector);
  }
  return topology;
}

}  // namespace kartela::basemap
