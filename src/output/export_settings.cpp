#include "output/export_settings.h"

#include <string>

#include "base/text_helpers.h"

namespace kartela::output {

std::optional<FileSettings> FileSettingsFor(const std::filesystem::path& path,
                                            std::uint8_t paint_flags) {
  const std::string extension = ToUpperAscii(path.extension().string());
  if (extension == ".PNG") return BitmapSettings{paint_flags};
  if (extension == ".SVG") return SvgSettings{paint_flags};
  if (extension == ".PDF") return PdfSettings{paint_flags};
  if (extension == ".EMF") return EmfSettings{paint_flags};
  if (extension == ".WMF") return WmfSettings{paint_flags};
  return std::nullopt;
}

}  // namespace kartela::output
