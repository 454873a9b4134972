#include "output/clipboard_export.h"

#include <algorithm>
#include <utility>

#include "render/drawing_resources.h"

namespace kartela::output {
namespace {

void AddColour(std::vector<gdi::Color>& palette, gdi::Color color) {
  if (std::find(palette.begin(), palette.end(), color) == palette.end()) palette.push_back(color);
}

gdi::MetafileOptions CopyOptions(MetafileCopyForm form, gdi::Size extent,
                                 std::vector<gdi::Color> palette) {
  if (form == MetafileCopyForm::kEnhanced)
    return gdi::EnhancedMetafileCopyOptions(extent, std::move(palette));
  return gdi::MetafilePictureOptions(extent, std::move(palette));
}

}  // namespace

std::vector<gdi::Color> PicturePalette(const ScreenColors& screen) {
  std::vector<gdi::Color> palette;
  AddColour(palette, screen.window);
  AddColour(palette, screen.window_text);
  for (const gdi::Brush& brush : Brushes()) {
    if (brush.kind != gdi::BrushKind::kHollow) AddColour(palette, brush.color);
  }
  return palette;
}

StatusOr<ClipboardPicture> MetafileCopy(const MapExporter& exporter, const ScreenColors& screen,
                                        const ClipboardSettings& settings) {
  const gdi::MetafileOptions options =
      CopyOptions(settings.form, exporter.Extent(), PicturePalette(screen));
  StatusOr<std::string> forms[] = {
      exporter.Metafile(MetafileKind::kEmf, options, settings.paint_flags),
      exporter.Metafile(MetafileKind::kWmf, options, settings.paint_flags),
      exporter.Svg(SvgSettings{settings.paint_flags}),
      exporter.Png(BitmapSettings{settings.paint_flags}),
  };
  for (const StatusOr<std::string>& form : forms) {
    if (!form.ok()) return form.status();
  }
  return ClipboardPicture{std::move(forms[0]).value(), std::move(forms[1]).value(),
                          std::move(forms[2]).value(), std::move(forms[3]).value()};
}

StatusOr<ClipboardPicture> BitmapCopy(const MapExporter& exporter, std::uint8_t paint_flags) {
  StatusOr<std::string> png = exporter.Png(BitmapSettings{paint_flags});
  if (!png.ok()) return png.status();
  ClipboardPicture picture;
  picture.png = std::move(png).value();
  return picture;
}

}  // namespace kartela::output
