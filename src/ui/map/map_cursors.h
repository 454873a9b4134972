// The map window's mouse cursors, one per decoration tool: a corner for
// texts, cross hairs with a solid or dotted stroke for lines and rectangles,
// and cross hairs with a small filled triangle for the symbol shapes.
#pragma once

#include <QCursor>

#include "model/decorations.h"

namespace kartela {

// The cursor of `mode`; the default arrow when no tool is chosen.
QCursor DecorationCursor(DecorationMode mode);

}  // namespace kartela
