// What the decoration tool shows on the map window, drawn over the picture
// of the last paint: the text mark, the rubber band of a shape and the frame
// of a dragged title or legend. The window repaints the area from its
// picture to take an overlay away.
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

#include "render/decoration_tool.h"
#include "render/drawing_resources.h"

class QPainter;

namespace kartela {

inline gdi::Point ToGdi(QPoint p) {
  return gdi::Point{p.x(), p.y()};
}

inline QPoint ToQt(gdi::Point p) {
  return QPoint(p.x, p.y);
}

// The pixels a place covers (a gdi::Rect leaves out its right and bottom
// edges); empty for none.
inline QRect Covered(const std::optional<gdi::Rect>& r) {
  if (!r) return QRect();
  return QRect(QPoint(r->left, r->top), QPoint(r->right - 1, r->bottom - 1));
}

// The window pixels `overlay` covers with room for the pen, its canvas points
// taken back by the scroll position `scroll`; empty when there is none.
QRect ToolOverlayArea(const ToolOverlay& overlay, QPoint scroll);

// Draws `overlay` inverted, so that it shows on any colour; a band with the
// screen pen of its tool.
void PaintToolOverlay(QPainter& painter, const ToolOverlay& overlay, QPoint scroll,
                      const DrawingResources& resources);

}  // namespace kartela
