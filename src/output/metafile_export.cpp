#include "output/metafile_export.h"

#include <memory>

#include "gdi/emf_writer.h"
#include "gdi/wmf_writer.h"
#include "render/map_frame.h"
#include "render/map_painter.h"

namespace kartela::output {
namespace {

std::unique_ptr<gdi::MetafileWriter> MakeWriter(MetafileKind kind,
                                                const gdi::MetafileOptions& options,
                                                gdi::DeviceContext* measurer) {
  if (kind == MetafileKind::kEmf) return std::make_unique<gdi::EmfWriter>(options, measurer);
  return std::make_unique<gdi::WmfWriter>(options, measurer);
}

// A WMF that cannot hold the map is refused before anything is drawn, with
// what the user can change: the drawing scale sets the map's size.
Status CheckWmfFits(const gdi::MetafileOptions& options) {
  const gdi::WmfUnits units = gdi::WmfUnitsOf(options);
  if (units.across <= gdi::kWmfMaxUnits && units.down <= gdi::kWmfMaxUnits) return {};
  return Status(StatusCode::kRefused,
                "WMF の大きさは 32767 までですが、この地図は " + std::to_string(units.across) +
                    " × " + std::to_string(units.down) + " です。描画倍率を下げてください");
}

}  // namespace

StatusOr<std::string> PaintMetafile(const Workspace& workspace, const DrawingResources& resources,
                                    MetafileKind kind, const gdi::MetafileOptions& options,
                                    std::uint8_t paint_flags, gdi::DeviceContext* measurer) {
  if (kind == MetafileKind::kWmf) {
    if (Status fits = CheckWmfFits(options); !fits.ok()) return fits;
  }
  const std::unique_ptr<gdi::MetafileWriter> writer = MakeWriter(kind, options, measurer);
  PaintParams params;
  params.PaintFlags = paint_flags;
  params.PaintScale = options.paint_scale;
  PaintMap(workspace, resources, *writer, params);
  return writer->Finish();
}

StatusOr<std::string> EmfFile(const Workspace& workspace, const DrawingResources& resources,
                              const EmfSettings& settings, gdi::DeviceContext* measurer) {
  return PaintMetafile(workspace, resources, MetafileKind::kEmf,
                       gdi::EmfFileOptions(DrawingExtent(workspace), settings.pixels_per_inch),
                       settings.paint_flags, measurer);
}

StatusOr<std::string> WmfFile(const Workspace& workspace, const DrawingResources& resources,
                              const WmfSettings& settings, gdi::DeviceContext* measurer) {
  return PaintMetafile(workspace, resources, MetafileKind::kWmf,
                       gdi::WmfFileOptions(DrawingExtent(workspace), settings.pixels_per_inch),
                       settings.paint_flags, measurer);
}

}  // namespace kartela::output
