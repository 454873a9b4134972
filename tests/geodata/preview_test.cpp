#include "geodata/basemap/preview.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "png_decoding.h"

namespace kartela::basemap {
namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
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

  const std::string png = RenderPreview(map).value();
  ASSERT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
  EXPECT_EQ(BigEndian(png, 16), 40u);  // IHDR width
  EXPECT_EQ(BigEndian(png, 20), 30u);
  const auto decoded = test::DecodePng(png);
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->rgb.size(), 30u * 40 * 3);
  const auto pixel = [&](int x, int y) {
    return std::string(decoded->rgb.begin() + (y * 40 + x) * 3,
                       decoded->rgb.begin() + (y * 40 + x + 1) * 3);
  };
  EXPECT_EQ(pixel(2, 25), "\xFF\xFF\xFF");
  EXPECT_NE(pixel(25, 15), "\xFF\xFF\xFF");        // inside the outline
  EXPECT_EQ(pixel(15, 15), std::string(3, '\0'));  // the anchor's dot
}

}  // namespace
}  // namespace kartela::basemap
