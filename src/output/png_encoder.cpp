#include "output/png_encoder.h"

#include <png.h>

#include <array>
#include <vector>

namespace kartela::output {
namespace {

constexpr int kMaxIndexedColours = 256;

// The colours seen so far in an open-addressed table keyed by the colour.
class ColourIndex {
 public:
  ColourIndex() { slots_.fill(kEmpty); }

  // The index of `rgb`, added when new; -1 once there are too many colours.
  int IndexOf(QRgb rgb) {
    std::size_t slot = Hash(rgb);
    while (slots_[slot] != kEmpty) {
      if (colours_[static_cast<std::size_t>(slots_[slot])] == rgb) return slots_[slot];
      slot = (slot + 1) % kSlots;
    }
    if (colours_.size() == kMaxIndexedColours) return -1;
    slots_[slot] = static_cast<int>(colours_.size());
    colours_.push_back(rgb);
    return slots_[slot];
  }

  const QList<QRgb>& colours() const { return colours_; }

 private:
  static constexpr std::size_t kSlots = 1024;  // a power of two, 4 x the colours
  static constexpr int kEmpty = -1;
  static std::size_t Hash(QRgb rgb) { return (rgb * 2654435761u) >> 22 & (kSlots - 1); }

  std::array<int, kSlots> slots_;
  QList<QRgb> colours_;
};

// The bytes of a PNG file of `pixels` laid out as `image` says, written by
// libpng directly: Qt's image writer would first load every image-format
// plugin, which costs more than the encoding of a map. Written fast
// (no row filters, a low zlib level), which suits the flat fills of a map.
std::optional<std::string> WritePng(png_image& image, const uchar* pixels, int row_stride,
                                    const void* colour_map) {
  image.version = PNG_IMAGE_VERSION;
  image.flags = PNG_IMAGE_FLAG_FAST;
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  std::string bytes(size, '\0');
  const bool written = png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels, row_stride,
                                                 colour_map) != 0;
  png_image_free(&image);
  if (!written) return std::nullopt;
  bytes.resize(size);
  return bytes;
}

std::optional<std::string> IndexedPng(const QImage& indexed) {
  std::vector<png_byte> colour_map;
  for (const QRgb rgb : indexed.colorTable()) {
    colour_map.insert(colour_map.end(),
                      {static_cast<png_byte>(qRed(rgb)), static_cast<png_byte>(qGreen(rgb)),
                       static_cast<png_byte>(qBlue(rgb))});
  }
  png_image image{};
  image.width = static_cast<png_uint_32>(indexed.width());
  image.height = static_cast<png_uint_32>(indexed.height());
  image.format = PNG_FORMAT_RGB_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(indexed.colorCount());
  return WritePng(image, indexed.constBits(), static_cast<int>(indexed.bytesPerLine()),
                  colour_map.data());
}

std::optional<std::string> RgbPng(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  png_image image{};
  image.width = static_cast<png_uint_32>(rgb.width());
  image.height = static_cast<png_uint_32>(rgb.height());
  image.format = PNG_FORMAT_RGB;
  // The stride counts components, which are bytes here.
  return WritePng(image, rgb.constBits(), static_cast<int>(rgb.bytesPerLine()), nullptr);
}

}  // namespace

QImage IndexedIfFewColours(const QImage& image) {
  const QImage source = image.convertToFormat(QImage::Format_RGB32);
  QImage indexed(source.size(), QImage::Format_Indexed8);
  ColourIndex index;
  const int width = source.width();
  const int height = source.height();
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    QRgb last = ~in[0];
    int last_index = 0;
    for (int x = 0; x < width; ++x) {
      if (in[x] != last) {
        last = in[x];
        last_index = index.IndexOf(last);
        if (last_index < 0) return QImage();
      }
      out[x] = static_cast<uchar>(last_index);
    }
  }
  indexed.setColorTable(index.colours());
  return indexed;
}

std::optional<std::string> EncodePng(const QImage& image) {
  if (image.isNull()) return std::nullopt;
  const QImage indexed = IndexedIfFewColours(image);
  return indexed.isNull() ? RgbPng(image) : IndexedPng(indexed);
}

}  // namespace kartela::output
