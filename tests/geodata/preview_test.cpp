#include "geodata/basemap/preview.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kartela::basemap {
namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

// The pixel rows of a PNG made of stored deflate blocks, filter bytes included.
std::string StoredRows(const std::string& png) {
  std::string rows;
  for (std::size_t at = 8; at + 8 <= png.size();) {
    const std::uint32_t length = BigEndian(png, at);
    if (png.compare(at + 4, 4, "IDAT") == 0) {
      for (std::size_t block = at + 8 + 2; block < at + 8 + length - 4;) {
        const std::size_t size = static_cast<std::uint8_t>(png[block + 1]) |
                                 static_cast<std::uint8_t>(png[block + 2]) << 8;
        rows.append(png, block + 5, size);
        block += 5 + size;
      }
    }
    at += 12 + length;
  }
  return rows;
}

TEST(PreviewTest, FillsOutlinesAndLeavesTheRestWhite) {
  BaseMap map;
  map.Resolution = {40, 30};
  map.MapAreaNames = {"A"};
  map.AreaAnchors.resize(1);
  map.AreaAnchors[0][0] = {15, 15};
  const MapPoint points[] = {{0, 0}, {10, 10}, {30, 10}, {30, 20}, {10, 20}, {0, 0}};
  for (const MapPoint& p : points)
    map.Points[++map.PointCount] = p;

  const std::string png = RenderPreview(map);
  ASSERT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
  EXPECT_EQ(BigEndian(png, 16), 40u);  // IHDR width
  EXPECT_EQ(BigEndian(png, 20), 30u);
  const std::string rows = StoredRows(png);
  ASSERT_EQ(rows.size(), 30u * (1 + 40 * 3));
  const auto pixel = [&](int x, int y) { return rows.substr(y * 121 + 1 + x * 3, 3); };
  EXPECT_EQ(pixel(2, 25), "\xFF\xFF\xFF");
  EXPECT_NE(pixel(25, 15), "\xFF\xFF\xFF");        // inside the outline
  EXPECT_EQ(pixel(15, 15), std::string(3, '\0'));  // the anchor's dot
}

}  // namespace
}  // namespace kartela::basemap
