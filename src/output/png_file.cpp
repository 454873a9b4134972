#include "output/png_file.h"

#include <png.h>

#include <algorithm>
#include <limits>

namespace kartela::output {
namespace {

constexpr std::size_t kMaxPaletteColours = 256;
static_assert(sizeof(PngColour) == 3, "libpng reads the palette as packed RGB triples");

Status Refused(std::string reason) {
  return {StatusCode::kRefused, "PNG: " + std::move(reason)};
}

// Why `pixels` of `channels` bytes each cannot be read; success when they
// can. Sizes are checked by division, so that no product overflows.
Status CheckLayout(const PngPixels& pixels, std::size_t channels) {
  if (pixels.width == 0 || pixels.height == 0) return Refused("the picture has no size");
  const std::size_t row = std::size_t{pixels.width} * channels;
  if (pixels.stride < row) return Refused("rows overlap: the stride is below the width");
  if (pixels.stride > static_cast<std::size_t>(std::numeric_limits<png_int_32>::max())) {
    return Refused("rows too far apart");
  }
  // The last row needs only its own pixels.
  if (pixels.bytes.size() < row ||
      (pixels.bytes.size() - row) / pixels.stride < pixels.height - 1) {
    return Refused("fewer bytes than the rows need");
  }
  return {};
}

// The file libpng writes of `image` (its format set) from `pixels`.
StatusOr<std::string> Write(png_image& image, const PngPixels& pixels, const void* colour_map) {
  image.version = PNG_IMAGE_VERSION;
  image.width = pixels.width;
  image.height = pixels.height;
  image.flags = PNG_IMAGE_FLAG_FAST;
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  std::string bytes(size, '\0');
  const bool written =
      png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.bytes.data(),
                                static_cast<png_int_32>(pixels.stride), colour_map) != 0;
  const std::string message = image.message;
  png_image_free(&image);
  if (!written) return Status(StatusCode::kIoError, "PNG: " + message);
  bytes.resize(size);
  return bytes;
}

}  // namespace

StatusOr<std::string> RgbPng(const PngPixels& rgb) {
  if (Status layout = CheckLayout(rgb, 3); !layout.ok()) return layout;
  png_image image{};
  image.format = PNG_FORMAT_RGB;
  return Write(image, rgb, nullptr);
}

StatusOr<std::string> IndexedPng(const PngPixels& indices, std::span<const PngColour> palette) {
  if (Status layout = CheckLayout(indices, 1); !layout.ok()) return layout;
  if (palette.empty() || palette.size() > kMaxPaletteColours) {
    return Refused(std::to_string(palette.size()) + " colours: a palette holds 1 to 256");
  }
  if (palette.size() < kMaxPaletteColours) {
    for (std::uint32_t y = 0; y < indices.height; ++y) {
      const auto row = indices.bytes.subspan(y * indices.stride, indices.width);
      if (std::any_of(row.begin(), row.end(),
                      [&](std::uint8_t index) { return index >= palette.size(); })) {
        return Refused("a pixel's index lies beyond the palette");
      }
    }
  }
  png_image image{};
  image.format = PNG_FORMAT_RGB_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(palette.size());
  return Write(image, indices, palette.data());
}

}  // namespace kartela::output
