#include "output/png_encoder.h"

#include <array>
#include <span>
#include <vector>

#include "output/png_file.h"

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

// The pixels of `image` as they lie in memory.
PngPixels PixelsOf(const QImage& image) {
  return {static_cast<std::uint32_t>(image.width()), static_cast<std::uint32_t>(image.height()),
          std::span(image.constBits(), static_cast<std::size_t>(image.sizeInBytes())),
          static_cast<std::size_t>(image.bytesPerLine())};
}

StatusOr<std::string> IndexedPngOf(const QImage& indexed) {
  std::vector<PngColour> palette;
  for (const QRgb rgb : indexed.colorTable()) {
    palette.push_back({static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                       static_cast<std::uint8_t>(qBlue(rgb))});
  }
  return IndexedPng(PixelsOf(indexed), palette);
}

StatusOr<std::string> RgbPngOf(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  return RgbPng(PixelsOf(rgb));
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

// Written by libpng directly: Qt's image writer would first load every
// image-format plugin, which costs more than the encoding of a map.
StatusOr<std::string> EncodePng(const QImage& image) {
  if (image.isNull()) return Status(StatusCode::kUnsupported, "PNG: no picture to encode");
  const QImage indexed = IndexedIfFewColours(image);
  return indexed.isNull() ? RgbPngOf(image) : IndexedPngOf(indexed);
}

}  // namespace kartela::output
