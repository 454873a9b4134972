#include "output/clipboard_export.h"

#include <algorithm>
#include <functional>
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
  const std::uint8_t flags = settings.paint_flags;
  // Made in turn, so that a failure leaves the rest unmade.
  const std::pair<std::string ClipboardPicture::*, std::function<StatusOr<std::string>()>> forms[] =
      {
          {&ClipboardPicture::emf,
           [&] { return exporter.Metafile(MetafileKind::kEmf, options, flags); }},
          {&ClipboardPicture::wmf,
           [&] { return exporter.Metafile(MetafileKind::kWmf, options, flags); }},
          {&ClipboardPicture::svg, [&] { return exporter.Svg(SvgSettings{flags}); }},
          {&ClipboardPicture::png, [&] { return exporter.Png(BitmapSettings{flags}); }},
      };
  ClipboardPicture picture;
  for (const auto& [member, make] : forms) {
    StatusOr<std::string> bytes = make();
    if (!bytes.ok()) return bytes.status();
    picture.*member = std::move(bytes).value();
  }
  return picture;
}

StatusOr<ClipboardPicture> BitmapCopy(const MapExporter& exporter, std::uint8_t paint_flags) {
  StatusOr<std::string> png = exporter.Png(BitmapSettings{paint_flags});
  if (!png.ok()) return png.status();
  ClipboardPicture picture;
  picture.png = std::move(png).value();
  return picture;
}

}  // namespace kartela::output
