#include "gdi/metafile_options.h"

#include <utility>

namespace kartela::gdi {

MetafileOptions EmfFileOptions(Size picture, std::int32_t pixels_per_inch) {
  MetafileOptions options;
  options.picture = picture;
  options.paint_scale = 1.0025;
  options.pixels_per_inch = pixels_per_inch;
  return options;
}

MetafileOptions WmfFileOptions(Size picture, std::int32_t pixels_per_inch) {
  MetafileOptions options;
  options.picture = picture;
  options.map_mode = MapMode::kAnisotropic;
  options.window_extent = {1000, 1000};
  options.viewport_extent = {1005, 1007};
  options.pixels_per_inch = pixels_per_inch;
  return options;
}

MetafileOptions MetafilePictureOptions(Size picture, std::vector<Color> palette) {
  MetafileOptions options;
  options.picture = picture;
  options.map_mode = MapMode::kAnisotropic;
  options.window_extent = {1000, 1000};
  options.viewport_extent = {1006, 1006};
  options.frame = MetafilePictureExtent(picture);
  options.palette = std::move(palette);
  return options;
}

MetafileOptions EnhancedMetafileCopyOptions(Size picture, std::vector<Color> palette) {
  MetafileOptions options;
  options.picture = picture;
  options.map_mode = MapMode::kIsotropic;
  options.window_extent = picture;
  options.viewport_extent = picture;
  options.palette = std::move(palette);
  return options;
}

Size MetafilePictureExtent(Size picture) {
  return {15 * picture.cx, 15 * picture.cy};
}

}  // namespace kartela::gdi
