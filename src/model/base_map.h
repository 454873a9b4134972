// The geographic model drawn by the map window, read from a whole base map.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/area_list.h"

namespace kartela {

inline constexpr int kMaxAnchors = 10;

// Point records in blocks of kBlockRecords, so that a large map needs no
// single large allocation. Blocks are added as maps grow and kept until the
// store is destroyed.
class PointStore {
 public:
  static constexpr std::int32_t kBlockRecords = 15360;
  static constexpr std::int32_t kMaxBlocks = 100;

  PointStore();  // with block 0

  // Makes room for `count` records and for the one after them, which a
  // reader may append as the closing separator (GrowPointStore). False when
  // that would need kMaxBlocks blocks or more.
  bool Grow(std::int32_t count);

  std::int32_t Capacity() const;  // records the allocated blocks hold

  MapPoint& operator[](std::int32_t i) { return blocks_[i / kBlockRecords][i % kBlockRecords]; }
  const MapPoint& operator[](std::int32_t i) const {
    return blocks_[i / kBlockRecords][i % kBlockRecords];
  }
  // The records kBlockRecords * block onward, for bulk reading.
  MapPoint* Block(std::int32_t block) { return blocks_[block].get(); }

 private:
  std::vector<std::unique_ptr<MapPoint[]>> blocks_;
};

// A record with x of 1 or more is a vertex; one with x = 0 is a separator
// whose y is the line code of the run that follows.
inline bool IsSeparator(const MapPoint& p) {
  return p.x == 0;
}

struct BaseMap {
  std::vector<std::string> MapAreaNames;  // area n at [n - 1]
  // Anchors of area n at AreaAnchors[n - 1][k]; they end at the first k with
  // x = 0, and the reader always stores (0, 0) after the last one.
  std::vector<std::array<MapPoint, kMaxAnchors + 1>> AreaAnchors;
  PointStore Points;
  std::int32_t PointCount = -1;  // index of the last record; -1 when empty
  MapSize Resolution;
  MapPoint IndexPosition;
  std::string LoadedMapFile;  // reference of the map held; empty when none

  int MapAreaCount() const { return static_cast<int>(MapAreaNames.size()); }
  std::int16_t PointX(std::int32_t i) const { return Points[i].x; }
  std::int16_t PointY(std::int32_t i) const { return Points[i].y; }
};

}  // namespace kartela
