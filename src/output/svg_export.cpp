#include "output/svg_export.h"

#include "gdi/svg_writer.h"
#include "render/map_painter.h"

namespace kartela::output {

std::string SvgFile(const Workspace& workspace, const DrawingResources& resources,
                    const SvgSettings& settings, gdi::Size size, gdi::DeviceContext* measurer) {
  gdi::SvgWriter writer(size, gdi::kWhite, measurer);
  PaintParams params;
  params.PaintFlags = settings.paint_flags;
  params.PaintScale = settings.scale;
  PaintMap(workspace, resources, writer, params);
  return writer.Finish();
}

}  // namespace kartela::output
