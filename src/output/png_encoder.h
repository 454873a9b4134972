// PNG files of map pictures, written fast: a map has few colours, so a
// picture of at most 256 colours is written as an indexed-colour PNG; any
// other (texts antialiased over many fills give more grey levels) as RGB.
// Both with a fast compression level: the files stay small because flat
// fills compress well at any level.
#pragma once

#include <QImage>
#include <string>

#include "base/status.h"

namespace kartela::output {

// The PNG file of `image`, or why it cannot be made: kUnsupported for a null
// image, otherwise what RgbPng or IndexedPng (png_file.h) say.
StatusOr<std::string> EncodePng(const QImage& image);

// `image` (32 bits a pixel) as an 8-bit indexed image with its own colours,
// or a null image when it has more than 256 colours.
QImage IndexedIfFewColours(const QImage& image);

}  // namespace kartela::output
