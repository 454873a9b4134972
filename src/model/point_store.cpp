#include "model/base_map.h"

namespace kartela {

namespace {

std::unique_ptr<MapPoint[]> NewBlock() {
  return std::make_unique<MapPoint[]>(PointStore::kBlockRecords);
}

}  // namespace

PointStore::PointStore() {
  blocks_.push_back(NewBlock());
}

// The record after the last one, `count`, must have a place too: it is where
// a reader appends the closing separator. So the highest block needed is
// count div kBlockRecords, which is a fresh block when the last is full.
bool PointStore::Grow(std::int32_t count) {
  if (count < 0) return false;
  const std::size_t highest_block = static_cast<std::size_t>(count / kBlockRecords);
  if (highest_block >= static_cast<std::size_t>(kMaxBlocks)) return false;
  while (blocks_.size() <= highest_block)
    blocks_.push_back(NewBlock());
  return true;
}

std::int32_t PointStore::Capacity() const {
  return static_cast<std::int32_t>(blocks_.size()) * kBlockRecords;
}

}  // namespace kartela
