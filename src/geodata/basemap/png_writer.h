// A minimal PNG encoder (8-bit RGB, stored deflate blocks) for previews.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kartela::basemap {

// `rgb` holds width * height * 3 bytes, rows top to bottom.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace kartela::basemap
