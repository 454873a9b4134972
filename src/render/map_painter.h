// The one paint routine of the map window: every picture (screen, image and
// metafile export, clipboard, printing, preview) is drawn by PaintMap onto
// the device context its caller gives; only the target, the flags, the
// origin and the scale differ.
#pragma once

#include "gdi/device_context.h"
#include "render/paint_context.h"
#include "render/workspace.h"

namespace kartela {

// Draws, in order: the background picture, the map of the current MapKind,
// the shape decorations and the text decorations. Drawing only reads the
// workspace, so one workspace serves every target.
//
// The first form makes the drawing objects from the current settings, for
// one-off pictures; the second draws with the objects the map window keeps
// and remakes after every command that changes them.
void PaintMap(const Workspace& workspace, gdi::DeviceContext& dc, const PaintParams& params);
void PaintMap(const Workspace& workspace, const DrawingResources& resources, gdi::DeviceContext& dc,
              const PaintParams& params);

// The white map: every area outlined, the boundary and special lines, and the
// area names unless the flags ask for outlines only. The graph maps draw it
// under their symbols.
void PaintWhiteMap(const PaintContext& context);

}  // namespace kartela
