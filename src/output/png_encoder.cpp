#include "output/png_encoder.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>

namespace kartela::output {
namespace {

// Qt maps a PNG quality q to the zlib level (100 - q) * 9 / 91: 85 is level 1.
constexpr int kFastQuality = 85;
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

}  // namespace

QImage IndexedIfFewColours(const QImage& image) {
  const QImage source = image.convertToFormat(QImage::Format_RGB32);
  QImage indexed(source.size(), QImage::Format_Indexed8);
  ColourIndex index;
  for (int y = 0; y < source.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    QRgb last = ~in[0];
    int last_index = 0;
    for (int x = 0; x < source.width(); ++x) {
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
  const QImage indexed = IndexedIfFewColours(image);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(kFastQuality);
  if (!writer.write(indexed.isNull() ? image.convertToFormat(QImage::Format_RGB888) : indexed)) {
    return std::nullopt;
  }
  return bytes.toStdString();
}

}  // namespace kartela::output
