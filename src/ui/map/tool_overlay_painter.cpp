#include "ui/map/tool_overlay_painter.h"

#include <QPainter>
#include <cstdlib>

#include "gdi/qt/painter_device_context.h"
#include "render/decoration_painter.h"

namespace kartela {
namespace {

// The text mark: a bar along the top and one down the left of the text.
constexpr QRect kMarkTop(-2, -2, 11, 2);
constexpr QRect kMarkLeft(-2, 0, 2, 26);
// Room around a band for the pen and rounding.
constexpr int kBandMargin = 2;

}  // namespace

QRect ToolOverlayArea(const ToolOverlay& overlay, QPoint scroll) {
  const QPoint start = ToQt(overlay.start) - scroll;
  QRect area;
  switch (overlay.kind) {
    case ToolOverlay::Kind::kNone:
      return QRect();
    case ToolOverlay::Kind::kFrame:
      area = Covered(overlay.frame).translated(-scroll);
      break;
    case ToolOverlay::Kind::kTextMark:
      return kMarkTop.united(kMarkLeft).translated(start);
    case ToolOverlay::Kind::kBand: {
      const QPoint end = ToQt(overlay.end) - scroll;
      area = QRect(start, end).normalized();
      if (overlay.mode > DecorationMode::kRectangle) {
        // Each symbol lies within its radius or half side of the centre, and
        // both are at most |dx| + |dy|.
        const QPoint d = end - start;
        const int reach = std::abs(d.x()) + std::abs(d.y());
        area = QRect(start - QPoint(reach, reach), start + QPoint(reach, reach));
      }
      break;
    }
  }
  return area.adjusted(-kBandMargin, -kBandMargin, kBandMargin, kBandMargin);
}

void PaintToolOverlay(QPainter& painter, const ToolOverlay& overlay, QPoint scroll,
                      const DrawingResources& resources) {
  switch (overlay.kind) {
    case ToolOverlay::Kind::kNone:
      return;
    case ToolOverlay::Kind::kFrame:
      // Dotted, where the dragged item would go.
      painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
      painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(Covered(overlay.frame).translated(-scroll).adjusted(0, 0, -1, -1));
      return;
    case ToolOverlay::Kind::kTextMark: {
      const QPoint start = ToQt(overlay.start) - scroll;
      painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
      painter.fillRect(kMarkTop.translated(start), Qt::black);
      painter.fillRect(kMarkLeft.translated(start), Qt::black);
      return;
    }
    case ToolOverlay::Kind::kBand: {
      gdi::PainterDeviceContext dc(painter);
      dc.SelectPen(resources.PenFor(
          overlay.mode == DecorationMode::kDottedLine ? kPenDotted : kPenLegend, false));
      dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
      dc.SetRasterOp(gdi::RasterOp::kNotXorPen);
      DrawRubberBand(dc, overlay.mode, ToGdi(ToQt(overlay.start) - scroll),
                     ToGdi(ToQt(overlay.end) - scroll));
      return;
    }
  }
}

}  // namespace kartela
