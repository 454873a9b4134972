#include "render/area_sizes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace kartela {
namespace {

// Walks the outline runs in the order the paint draws them: one run per
// anchor of each area, each after its separators.
class RunWalker {
 public:
  explicit RunWalker(const BaseMap& map)
      : points_(map.Points), last_(std::min(map.PointCount, map.Points.Capacity() - 1)) {}

  // Twice the surface of the next run (the shoelace sum), or 0 at the end.
  std::int64_t NextRunDoubleSurface() {
    while (next_ <= last_ && IsSeparator(points_[next_]))
      ++next_;
    if (next_ > last_) return 0;
    const MapPoint first = points_[next_];
    MapPoint previous = first;
    std::int64_t sum = 0;
    for (++next_; next_ <= last_ && !IsSeparator(points_[next_]); ++next_) {
      const MapPoint p = points_[next_];
      sum += std::int64_t{previous.x} * p.y - std::int64_t{p.x} * previous.y;
      previous = p;
    }
    sum += std::int64_t{previous.x} * first.y - std::int64_t{first.x} * previous.y;
    return std::abs(sum);
  }

 private:
  const PointStore& points_;
  std::int32_t last_;
  std::int32_t next_ = 0;
};

}  // namespace

std::vector<int> AreasLargestFirst(const BaseMap& map) {
  const int count = std::min(map.MapAreaCount(), static_cast<int>(map.AreaAnchors.size()));
  std::vector<std::int64_t> sizes(static_cast<std::size_t>(std::max(count, 0)));
  RunWalker runs(map);
  for (std::size_t a = 0; a < sizes.size(); ++a) {
    const auto& anchors = map.AreaAnchors[a];
    for (std::size_t c = 0; c < anchors.size() && anchors[c].x >= 1; ++c)
      sizes[a] += runs.NextRunDoubleSurface();
  }
  std::vector<int> order(sizes.size());
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&sizes](int a, int b) {
    return sizes[static_cast<std::size_t>(a - 1)] > sizes[static_cast<std::size_t>(b - 1)];
  });
  return order;
}

}  // namespace kartela
