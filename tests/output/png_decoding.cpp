#include "png_decoding.h"

#include <png.h>

namespace kartela::test {

std::optional<DecodedPng> DecodePng(std::string_view png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) return std::nullopt;
  DecodedPng decoded;
  decoded.width = image.width;
  decoded.height = image.height;
  decoded.indexed = (image.format & PNG_FORMAT_FLAG_COLORMAP) != 0;
  image.format = PNG_FORMAT_RGB;
  decoded.rgb.resize(PNG_IMAGE_SIZE(image));
  const bool read = png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  if (!read) return std::nullopt;
  return decoded;
}

}  // namespace kartela::test
