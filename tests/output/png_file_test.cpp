// PNG files from pixels in memory, read back by libpng's reader: RGB and
// indexed pixels with rows apart by more than their width come back as
// they were; layouts that would read outside the pixels, and indices past
// the palette, are refused.
#include "output/png_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "png_decoding.h"

namespace kartela::output {
namespace {

constexpr PngColour kPalette[] = {{255, 255, 255}, {200, 30, 30}, {0, 0, 128}};

// `width` x `height` bytes a pixel of `channels`, rows `stride` apart, the
// last row without padding; each sample a different small number.
std::vector<std::uint8_t> Pixels(std::uint32_t width, std::uint32_t height, std::size_t channels,
                                 std::size_t stride, std::uint8_t modulo) {
  std::vector<std::uint8_t> bytes(stride * (height - 1) + width * channels, 0xEE);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::size_t i = 0; i < width * channels; ++i)
      bytes[y * stride + i] = static_cast<std::uint8_t>((y * 7 + i * 3) % modulo);
  }
  return bytes;
}

TEST(PngFileTest, RgbAndIndexedPixelsComeBackAsTheyWere) {
  const std::uint32_t width = 5;
  const std::uint32_t height = 3;
  const std::vector<std::uint8_t> rgb = Pixels(width, height, 3, 20, 251);
  const std::vector<std::uint8_t> indices = Pixels(width, height, 1, 8, 3);
  struct Case {
    const char* name;
    StatusOr<std::string> png;
    bool indexed;
    std::vector<std::uint8_t> want;  // packed RGB
  };
  std::vector<std::uint8_t> rgb_packed, indexed_packed;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      for (std::size_t c = 0; c < 3; ++c) {
        rgb_packed.push_back(rgb[y * 20 + x * 3 + c]);
        indexed_packed.push_back(kPalette[indices[y * 8 + x]][c]);
      }
    }
  }
  const Case cases[] = {
      {"rgb", RgbPng({width, height, rgb, 20}), false, rgb_packed},
      {"indexed", IndexedPng({width, height, indices, 8}, kPalette), true, indexed_packed},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.png.ok()) << c.name << ": " << c.png.status().detail();
    const auto decoded = test::DecodePng(*c.png);
    ASSERT_TRUE(decoded) << c.name;
    EXPECT_EQ(decoded->width, width) << c.name;
    EXPECT_EQ(decoded->height, height) << c.name;
    EXPECT_EQ(decoded->indexed, c.indexed) << c.name;
    EXPECT_EQ(decoded->rgb, c.want) << c.name;
  }
}

TEST(PngFileTest, RefusesPixelsItCannotReadSafely) {
  const std::vector<std::uint8_t> rgb = Pixels(4, 3, 3, 12, 251);
  const std::vector<std::uint8_t> indices = Pixels(4, 3, 1, 4, 3);
  const std::span<const std::uint8_t> short_rgb(rgb.data(), rgb.size() - 1);
  std::vector<std::uint8_t> past_palette = indices;
  past_palette.back() = 3;
  const std::vector<PngColour> too_many(257);
  struct Case {
    const char* name;
    StatusOr<std::string> png;
    const char* reason;
  };
  const Case cases[] = {
      {"no width", RgbPng({0, 3, rgb, 12}), "no size"},
      {"no height", IndexedPng({4, 0, indices, 4}, kPalette), "no size"},
      {"stride below the width", RgbPng({4, 3, rgb, 11}), "stride"},
      {"a byte short", RgbPng({4, 3, short_rgb, 12}), "fewer bytes"},
      {"more rows than bytes", RgbPng({4, 4, rgb, 12}), "fewer bytes"},
      {"index past the palette", IndexedPng({4, 3, past_palette, 4}, kPalette), "beyond"},
      {"no palette", IndexedPng({4, 3, indices, 4}, {}), "1 to 256"},
      {"palette too long", IndexedPng({4, 3, indices, 4}, too_many), "1 to 256"},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.png.ok()) << c.name;
    EXPECT_EQ(c.png.status().code(), StatusCode::kRefused) << c.name;
    EXPECT_NE(c.png.status().detail().find(c.reason), std::string::npos)
        << c.name << ": " << c.png.status().detail();
  }
}

}  // namespace
}  // namespace kartela::output
