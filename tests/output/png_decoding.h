// PNG files read back by libpng's own reader, for the tests of what writes
// them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kartela::test {

struct DecodedPng {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool indexed = false;           // the file holds a palette and indices
  std::vector<std::uint8_t> rgb;  // three bytes a pixel, rows top to bottom
};

// The pixels of `png`; nothing when libpng refuses it.
std::optional<DecodedPng> DecodePng(std::string_view png);

}  // namespace kartela::test
