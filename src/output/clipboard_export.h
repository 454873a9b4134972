// The pictures a copy to the clipboard offers, drawn by the exporter: the
// metafile copies give the map as EMF, WMF, SVG and PNG at once, so that
// every program pastes the form it reads best; the bitmap copy gives PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "gdi/gdi_types.h"
#include "output/map_exporter.h"

namespace kartela::output {

// The two metafile layouts of a copy: the metafile picture (enlarged by
// 0.6 %, 0.15 mm a pixel) and the enhanced metafile (one to one, sized by
// the screen's resolution).
enum class MetafileCopyForm : std::uint8_t { kPicture, kEnhanced };

struct ClipboardSettings {
  MetafileCopyForm form = MetafileCopyForm::kPicture;
  std::uint8_t paint_flags = 0;  // kPaintMonochrome, kPaintNoText
};

// A copy's bytes per form; an empty form is not offered.
struct ClipboardPicture {
  std::string emf;
  std::string wmf;
  std::string svg;
  std::string png;
};

// The colours a copied metafile carries as its palette: the screen's
// background and line colours, then each colour of the brush table once.
std::vector<gdi::Color> PicturePalette(const ScreenColors& screen);

// The forms of a copy, or the first failure among them: a copy offers every
// form or none, so that no program pastes a different picture than another.
StatusOr<ClipboardPicture> MetafileCopy(const MapExporter& exporter, const ScreenColors& screen,
                                        const ClipboardSettings& settings);
StatusOr<ClipboardPicture> BitmapCopy(const MapExporter& exporter, std::uint8_t paint_flags);

}  // namespace kartela::output
