// What the writers and players need around libUEMF: its colour type, and
// ownership of the records and structures it allocates with malloc.
#pragma once

#include <uemf.h>

#include <bit>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gdi/gdi_types.h"

namespace kartela::gdi {

static_assert(std::endian::native == std::endian::little,
              "libUEMF builds and reads records in host order; EMF and WMF are little-endian");

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

inline U_COLORREF ToColorRef(Color color) {
  return colorref3_set(color.r, color.g, color.b);
}

inline Color FromColorRef(U_COLORREF value) {
  return {value.Red, value.Green, value.Blue};
}

// A pattern brush's 8x8 bitmap as a bottom-up one-bit DIB: rows of four
// bytes, colour 0 white and colour 1 the ink.
struct PatternDib {
  std::unique_ptr<U_BITMAPINFO, FreeDeleter> info;
  std::vector<char> bits;
  std::uint32_t bits_size() const { return static_cast<std::uint32_t>(bits.size()); }
};

inline PatternDib MakePatternDib(const Brush& brush) {
  PatternDib dib;
  dib.bits.assign(4 * brush.pattern.size(), 0);
  for (std::size_t row = 0; row < brush.pattern.size(); ++row) {
    dib.bits[4 * (brush.pattern.size() - 1 - row)] = static_cast<char>(brush.pattern[row]);
  }
  U_RGBQUAD colors[2] = {rgbquad_set(255, 255, 255, 0),
                         rgbquad_set(brush.color.r, brush.color.g, brush.color.b, 0)};
  dib.info.reset(bitmapinfo_set(
      bitmapinfoheader_set(8, 8, 1, 1, U_BI_RGB, dib.bits_size(), 0, 0, 2, 0), colors));
  return dib;
}

}  // namespace kartela::gdi
