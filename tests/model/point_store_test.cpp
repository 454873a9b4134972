#include <gtest/gtest.h>

#include "model/base_map.h"

namespace kartela {
namespace {

constexpr std::int32_t kBlock = PointStore::kBlockRecords;

TEST(PointStoreTest, StartsWithOneBlock) {
  PointStore store;
  EXPECT_EQ(store.Capacity(), kBlock);
  EXPECT_TRUE(IsSeparator(store[kBlock - 1]));  // blocks start as (0, 0)
}

// Grow(count) keeps a place for record `count`, the closing separator a
// reader may append, so a full last block brings the next one.
TEST(PointStoreTest, GrowKeepsRoomForTheRecordAfterTheLast) {
  PointStore store;
  ASSERT_TRUE(store.Grow(kBlock - 1));
  EXPECT_EQ(store.Capacity(), kBlock);
  ASSERT_TRUE(store.Grow(kBlock));
  EXPECT_EQ(store.Capacity(), 2 * kBlock);
  ASSERT_TRUE(store.Grow(3 * kBlock + 7));
  EXPECT_EQ(store.Capacity(), 4 * kBlock);
  ASSERT_TRUE(store.Grow(0));
  EXPECT_EQ(store.Capacity(), 4 * kBlock) << "blocks are kept";
}

TEST(PointStoreTest, GrowStopsBeforeTheHundredthBlockIndex) {
  PointStore store;
  const std::int32_t last_that_fits = PointStore::kMaxBlocks * kBlock - 1;
  ASSERT_TRUE(store.Grow(last_that_fits));
  EXPECT_EQ(store.Capacity(), PointStore::kMaxBlocks * kBlock);
  store[last_that_fits] = {3, 4};  // the appended separator's place exists
  EXPECT_FALSE(store.Grow(last_that_fits + 1));
  EXPECT_FALSE(store.Grow(-1));
  EXPECT_EQ(store.Capacity(), PointStore::kMaxBlocks * kBlock);
  EXPECT_EQ(store[last_that_fits].y, 4);
}

TEST(PointStoreTest, IndexAndBlocksAddressTheSameRecords) {
  PointStore store;
  ASSERT_TRUE(store.Grow(2 * kBlock));
  store.Block(1)[0] = {11, -12};
  store[kBlock - 1] = {7, 8};
  EXPECT_EQ(store[kBlock].x, 11);
  EXPECT_EQ(store[kBlock].y, -12);
  EXPECT_EQ(store.Block(0)[kBlock - 1].x, 7);
}

}  // namespace
}  // namespace kartela
