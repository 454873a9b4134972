// The map as an SVG document: the paint routine drawing into the SVG writer.
// Kept free of Qt; texts are measured by the device context the caller gives
// (the screen's), so that every reader shows them as wide as the screen.
#pragma once

#include <string>

#include "gdi/device_context.h"
#include "output/export_settings.h"
#include "render/drawing_resources.h"
#include "render/workspace.h"

namespace kartela::output {

// The map drawn at `settings.scale` on a white picture of `size` pixels.
// `measurer` may be null (texts then take the reader's widths).
std::string SvgFile(const Workspace& workspace, const DrawingResources& resources,
                    const SvgSettings& settings, gdi::Size size, gdi::DeviceContext* measurer);

}  // namespace kartela::output
