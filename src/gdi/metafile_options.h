// How a metafile is laid out for each of its uses: the picture size, the
// mapping its records are written in, the paint scale the paint routine
// draws with, and the palette it carries.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "gdi/gdi_types.h"

namespace kartela::gdi {

enum class MapMode : std::uint8_t { kText = 1, kIsotropic = 7, kAnisotropic = 8 };

struct MetafileOptions {
  // The picture in device pixels (the drawing extent at paint scale 1).
  Size picture;
  // Logical units (what the paint routine draws in) times
  // viewport_extent / window_extent are picture pixels; kText ignores both.
  MapMode map_mode = MapMode::kText;
  Size window_extent{1, 1};
  Size viewport_extent{1, 1};
  // For the paint routine; the writers do not scale what they are given.
  double paint_scale = 1.0;
  // Resolution of the reference screen: sets the physical size of the
  // picture (EMF frame, WMF bounding box).
  std::int32_t pixels_per_inch = 96;
  // The picture's physical size in 0.01 mm when it is given rather than
  // derived from the resolution (the clipboard's metafile picture).
  std::optional<Size> frame;
  // Written as palette records (create, select, realise) when not empty.
  std::vector<Color> palette;
};

// An EMF file: default mapping, painted slightly enlarged.
MetafileOptions EmfFileOptions(Size picture, std::int32_t pixels_per_inch);
// A placeable WMF file: the picture enlarged by 0.5 % across and 0.7 % down
// inside its bounding box.
MetafileOptions WmfFileOptions(Size picture, std::int32_t pixels_per_inch);
// The clipboard's metafile picture: enlarged by 0.6 %, with palette, and
// announcing MetafilePictureExtent as its size.
MetafileOptions MetafilePictureOptions(Size picture, std::vector<Color> palette);
// The clipboard's enhanced metafile: isotropic one-to-one, with palette.
MetafileOptions EnhancedMetafileCopyOptions(Size picture, std::vector<Color> palette);

// The size a metafile picture announces on the clipboard, in 0.01 mm:
// 0.15 mm per pixel.
Size MetafilePictureExtent(Size picture);

}  // namespace kartela::gdi
