#include "ui/drawing_commands.h"

// Placeholder until the commands are built; the menu keeps them disabled.
namespace kartela {

DrawingCommands::DrawingCommands(AppContext& context, TDrawWindow& draw_window)
    : context_(context), draw_window_(draw_window) {}

DrawingCommands::~DrawingCommands() = default;

void DrawingCommands::DefDrawSizeClick() {}
void DrawingCommands::DefDrawPositionClick() {}
void DrawingCommands::ZoomIn() {}
void DrawingCommands::ZoomOut() {}
void DrawingCommands::DefSepNumberClick() {}
void DrawingCommands::DefPaintStyleClick() {}
void DrawingCommands::LineWidthClick() {}

}  // namespace kartela
