#include "ui/map/map_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kartela {
namespace {

constexpr int kCursorSide = 32;
constexpr QPoint kCentre(16, 16);

enum class CursorArt { kCharInput, kCrossLine, kCrossDot, kArrowHead };

// Every stroke is drawn black over a wider white one, so the cursor shows
// on dark and light maps alike.
void DrawOutlined(QPainter& painter, const QPainterPath& path, Qt::PenStyle style, bool filled) {
  painter.setBrush(filled ? QBrush(Qt::white) : Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
  painter.drawPath(path);
  painter.setBrush(filled ? QBrush(Qt::black) : Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1, style, Qt::SquareCap));
  painter.drawPath(path);
}

QPainterPath CrossHairs() {
  QPainterPath path;
  for (const auto& [from, to] :
       {std::pair{QPoint(16, 3), QPoint(16, 12)}, std::pair{QPoint(16, 20), QPoint(16, 29)},
        std::pair{QPoint(3, 16), QPoint(12, 16)}, std::pair{QPoint(20, 16), QPoint(29, 16)}}) {
    path.moveTo(from);
    path.lineTo(to);
  }
  return path;
}

QPainterPath Stroke(QPoint from, QPoint to) {
  QPainterPath path;
  path.moveTo(from);
  path.lineTo(to);
  return path;
}

// The text corner: a bar along the top and one down the left of where the
// text goes, with a capital A inside.
QPainterPath TextCorner() {
  QPainterPath path;
  path.moveTo(QPoint(16, 28));
  path.lineTo(kCentre);
  path.lineTo(QPoint(28, 16));
  path.moveTo(QPoint(19, 28));
  path.lineTo(QPoint(23, 19));
  path.lineTo(QPoint(27, 28));
  path.moveTo(QPoint(21, 25));
  path.lineTo(QPoint(25, 25));
  return path;
}

QPixmap Draw(CursorArt art) {
  QPixmap pixmap(kCursorSide, kCursorSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  if (art == CursorArt::kCharInput) {
    DrawOutlined(painter, TextCorner(), Qt::SolidLine, false);
    return pixmap;
  }
  DrawOutlined(painter, CrossHairs(), Qt::SolidLine, false);
  const QPainterPath stroke = Stroke(QPoint(21, 29), QPoint(29, 21));
  switch (art) {
    case CursorArt::kCrossLine:
      DrawOutlined(painter, stroke, Qt::SolidLine, false);
      break;
    case CursorArt::kCrossDot:
      DrawOutlined(painter, stroke, Qt::DotLine, false);
      break;
    default: {
      QPainterPath triangle;
      triangle.addPolygon(QPolygon({QPoint(25, 20), QPoint(21, 28), QPoint(29, 28)}));
      triangle.closeSubpath();
      DrawOutlined(painter, triangle, Qt::SolidLine, true);
      break;
    }
  }
  return pixmap;
}

}  // namespace

QCursor DecorationCursor(DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kNone:
      return QCursor(Qt::ArrowCursor);
    case DecorationMode::kTextCleared:
    case DecorationMode::kTextTransparent:
      return QCursor(Draw(CursorArt::kCharInput), kCentre.x(), kCentre.y());
    case DecorationMode::kDottedLine:
      return QCursor(Draw(CursorArt::kCrossDot), kCentre.x(), kCentre.y());
    case DecorationMode::kLine:
    case DecorationMode::kRectangle:
    case DecorationMode::kArrow:
      return QCursor(Draw(CursorArt::kCrossLine), kCentre.x(), kCentre.y());
    default:
      return QCursor(Draw(CursorArt::kArrowHead), kCentre.x(), kCentre.y());
  }
}

}  // namespace kartela
