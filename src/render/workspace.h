// The whole model of the program in one object: created once, passed by
// reference to whatever reads or changes it. A test builds its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "gdi/device_context.h"
#include "model/area_list.h"
#include "model/base_map.h"
#include "model/data_set.h"
#include "model/decorations.h"
#include "model/settings.h"
#include "model/symbol_settings.h"
#include "render/classification.h"
#include "render/drawing_resources.h"

namespace kartela {

// What the map window shows.
enum class MapKind : std::uint8_t {
  kNone = 0,
  kWhiteMap = 1,
  kPaintMap = 2,
  kCircleGraph = 3,
  kPictureGraph = 4,
};

// How the background picture is placed: not at all, by its stored bounds,
// or at (0, 0) with its stored size.
enum class BackgroundMode : std::uint8_t { kNone = 0, kBounds = 1, kSize = 2 };

struct PictureBounds {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct PictureSize {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
};

// A picture shown under the map; the metafile code provides it.
class BackgroundPicture {
 public:
  virtual ~BackgroundPicture() = default;
  // Draws the picture stretched into `rect` of `dc`.
  virtual void PlayInto(gdi::DeviceContext& dc, const gdi::Rect& rect) const = 0;
};

class MetafilePicture;

// The display state of the map window.
struct MapView {
  MapKind Kind = MapKind::kNone;
  BackgroundMode Background = BackgroundMode::kNone;
  PictureBounds BackgroundBounds;
  PictureSize BackgroundSize;
  std::shared_ptr<const BackgroundPicture> Picture;
  // The picture graph's picture: its bare file name in the program
  // directory (empty while none is chosen) and the picture last read from it.
  std::string GlyphPictureFile;
  std::shared_ptr<const MetafilePicture> GlyphPicture;
  // Set while the file is known to be gone and that has been reported.
  bool GlyphPictureGone = false;
  // Set: the next screen paint puts both scroll positions back to 0.
  bool ScrollReset = true;
  // The map document last saved or loaded; empty after the map is cleared.
  std::filesystem::path MapFileName;
};

// Printing choices kept in memory from start-up to exit; the map and the
// data printing commands share the margins and the copy count.
struct PrintSettings {
  std::int32_t MarginLeft = 20;  // millimetres
  std::int32_t MarginRight = 20;
  std::int32_t MarginTop = 25;
  std::int32_t MarginBottom = 25;
  std::int32_t Copies = 1;
  std::int32_t DataColumns = 3;
  double DataLineSpacing = 1.8;                // line pitch as a multiple of the font height
  std::string DataFontName{kDefaultFaceName};  // Shift-JIS
  std::int32_t DataFontSize = 10;              // points
};

struct Workspace {
  Settings settings = DefaultSettings({});
  AreaList area_list;  // the areas of the data's base map
  BaseMap base_map;    // the map drawn
  DataSet data;
  ClassTables class_tables;
  MapView view;
  SymbolSettings symbols;  // the circle map's reference circle, base value and colours
  DecorationLists decorations;
  DecorationTools decoration_tools;  // the mouse's tool on the map window
  ScreenColors screen_colors;        // captured from the system at start-up
  std::int16_t PrintLineWidth = kDefaultPrintLineWidth;
  PrintSettings print;
};

}  // namespace kartela
