// The map as an EMF or a WMF: the paint routine drawing into the metafile
// writers. Kept free of Qt; texts are measured by the device context the
// caller gives (the screen's), so they are laid out as on screen.
#pragma once

#include <string>

#include "base/status.h"
#include "gdi/device_context.h"
#include "gdi/metafile_options.h"
#include "output/export_settings.h"
#include "render/drawing_resources.h"
#include "render/workspace.h"

namespace kartela::output {

enum class MetafileKind : std::uint8_t { kEmf, kWmf };

// Paints the map into a metafile of `kind` laid out by `options` (which also
// gives the paint scale) and returns the file's bytes, or why the writer
// could not write it; a map too large for a WMF is refused (kRefused, the
// reason in Japanese with what helps) before it is drawn. `measurer` may be null (texts are then
// spaced by a guess).
StatusOr<std::string> PaintMetafile(const Workspace& workspace, const DrawingResources& resources,
                                    MetafileKind kind, const gdi::MetafileOptions& options,
                                    std::uint8_t paint_flags, gdi::DeviceContext* measurer);

// The EMF and the placeable WMF files of the save command.
StatusOr<std::string> EmfFile(const Workspace& workspace, const DrawingResources& resources,
                              const EmfSettings& settings, gdi::DeviceContext* measurer);
StatusOr<std::string> WmfFile(const Workspace& workspace, const DrawingResources& resources,
                              const WmfSettings& settings, gdi::DeviceContext* measurer);

}  // namespace kartela::output
