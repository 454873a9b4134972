// PNG files from pixels in memory, through libpng and without Qt: the
// exporter's bitmaps and the base-map builder's previews. Written fast (no
// row filters, a low zlib level), which suits the flat fills of a map.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/status.h"

namespace kartela::output {

// Pixels of 8-bit samples, rows top to bottom, `stride` bytes from the
// start of one row to the start of the next.
struct PngPixels {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::span<const std::uint8_t> bytes;
  std::size_t stride = 0;
};

using PngColour = std::array<std::uint8_t, 3>;  // red, green, blue

// The PNG file of RGB pixels, three bytes each.
StatusOr<std::string> RgbPng(const PngPixels& rgb);

// The PNG file of indexed pixels, one byte each, every one an index into
// `palette` (1 to 256 colours).
StatusOr<std::string> IndexedPng(const PngPixels& indices, std::span<const PngColour> palette);

}  // namespace kartela::output
