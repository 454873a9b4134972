// The paint map at the base map format's limits, generated in memory.
#include <cstdint>
#include <string>

#include "base/numbers.h"
#include "shipped_maps.h"

namespace kartela::bench {
namespace {

constexpr std::int32_t kRecords = PointStore::kMaxBlocks * PointStore::kBlockRecords;
constexpr int kColumns = 80;
constexpr int kRows = kMaxAreas / kColumns;  // 43
constexpr int kCellWidth = 12;
constexpr int kCellHeight = 16;
constexpr int kPerimeter = 2 * (kCellWidth + kCellHeight);
constexpr int kAreaVertices = 445;  // with its separator, 446 records an area
constexpr int kLineVertices = 109;
static_assert(kRows * kColumns == kMaxAreas);
static_assert((kRecords - kMaxAreas * (kAreaVertices + 1)) % (kLineVertices + 1) == 0);

// The point at `step` of `steps` along the outline of the cell at (left, top),
// clockwise from its top-left corner, moved by up to one unit either way: a
// border that meanders every few vertices, or that zigzags at every vertex.
MapPoint AlongCell(int left, int top, int step, int steps, Borders borders) {
  const int d = step * kPerimeter / steps;
  const int wobble = (borders == Borders::kZigzag ? step * 7919 : step / 16) % 3 - 1;
  int x = left;
  int y = top;
  if (d < kCellWidth) {
    x += d;
    y += wobble;
  } else if (d < kCellWidth + kCellHeight) {
    x += kCellWidth + wobble;
    y += d - kCellWidth;
  } else if (d < 2 * kCellWidth + kCellHeight) {
    x += 2 * kCellWidth + kCellHeight - d;
    y += kCellHeight + wobble;
  } else {
    x += wobble;
    y += kPerimeter - d;
  }
  return MapPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
}

class PointWriter {
 public:
  explicit PointWriter(BaseMap& map) : map_(map) { map_.Points.Grow(kRecords - 1); }

  void Separator() { Put(MapPoint{0, 0}); }
  void Put(MapPoint p) { map_.Points[++map_.PointCount] = p; }

 private:
  BaseMap& map_;
};

void AddArea(BaseMap& map, PointWriter& writer, int area, Borders borders) {
  const int left = 2 + (area % kColumns) * kCellWidth;
  const int top = 2 + (area / kColumns) * kCellHeight;
  map.MapAreaNames.push_back("A" + std::to_string(area + 1));
  auto& anchors = map.AreaAnchors.emplace_back();
  anchors[0] = MapPoint{static_cast<std::int16_t>(left + kCellWidth / 2),
                        static_cast<std::int16_t>(top + kCellHeight / 2)};
  writer.Separator();
  for (int i = 0; i < kAreaVertices; ++i)
    writer.Put(AlongCell(left, top, i, kAreaVertices, borders));
}

// Horizontal lines across the grid until the store is full.
void AddLines(BaseMap& map, PointWriter& writer) {
  for (int row = 1; map.PointCount + 1 < kRecords; ++row) {
    writer.Separator();
    for (int i = 0; i < kLineVertices; ++i) {
      writer.Put(MapPoint{static_cast<std::int16_t>(2 + i * kColumns * kCellWidth / kLineVertices),
                          static_cast<std::int16_t>(2 + row * kCellHeight)});
    }
  }
}

}  // namespace

bool MakeLimitPaintMap(Workspace& workspace, Borders borders) {
  BaseMap& map = workspace.base_map;
  map = BaseMap{};
  map.Resolution = MapSize{1000, 700};
  map.IndexPosition = MapPoint{900, 500};
  PointWriter writer(map);
  for (int area = 0; area < kMaxAreas; ++area) {
    AddArea(map, writer, area, borders);
    workspace.data.DataValues[static_cast<std::size_t>(area)] =
        FormatFixed(static_cast<long double>(area * 7919 % 10007) / 10, 0, 1);
  }
  AddLines(map, writer);
  workspace.area_list.AreaNames = map.MapAreaNames;
  return ClassifyAsPaintMap(workspace);
}

}  // namespace kartela::bench
