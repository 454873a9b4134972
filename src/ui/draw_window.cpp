#include "ui/draw_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi/qt/painter_device_context.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "ui/picture_graph_commands.h"

namespace kartela {
namespace {

QColor ToQColor(gdi::Color color) {
  return QColor(color.r, color.g, color.b);
}

// The scroll position along one axis that keeps the point at the centre of
// a view `view` pixels long there when the magnification goes from `before`
// to `after`.
int CentredPosition(int position, int view, double before, double after) {
  if (!(before > 0)) return position;
  const double centre = (position + view / 2.0) * (after / before);
  return static_cast<int>(std::lround(std::clamp(centre - view / 2.0, -1e9, 1e9)));
}

}  // namespace

TDrawWindow::TDrawWindow(AppContext& context, QWidget* parent)
    : QAbstractScrollArea(parent), context_(context), measure_image_(1, 1, QImage::Format_RGB32) {
  setObjectName("TDrawWindow");
  setWindowTitle(kMapWindowCaption);
  RecreateResources();  // sets the window colour too
  SetUpScrollBars();
  setFocusPolicy(Qt::StrongFocus);
}

TDrawWindow::~TDrawWindow() = default;

void TDrawWindow::SetUpScrollBars() {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  horizontalScrollBar()->setSingleStep(kScrollLineStep);
  verticalScrollBar()->setSingleStep(kScrollLineStep);
  UpdateScrollRange();
}

void TDrawWindow::UpdateScrollRange() {
  const gdi::Size extent = DrawingExtent(context_.workspace);
  horizontalScrollBar()->setRange(0, std::max(0, extent.cx - viewport()->width()));
  verticalScrollBar()->setRange(0, std::max(0, extent.cy - viewport()->height()));
}

void TDrawWindow::MagnificationChanged(double before_x, double before_y) {
  const Settings& settings = context_.workspace.settings;
  QScrollBar& horizontal = *horizontalScrollBar();
  QScrollBar& vertical = *verticalScrollBar();
  const int x =
      CentredPosition(horizontal.value(), viewport()->width(), before_x, settings.DrawResX);
  const int y =
      CentredPosition(vertical.value(), viewport()->height(), before_y, settings.DrawResY);
  UpdateScrollRange();
  horizontal.setValue(x);
  vertical.setValue(y);
  Invalidate();
}

void TDrawWindow::ApplyWindowColour() {
  QPalette palette = viewport()->palette();
  const QColor colour = ToQColor(context_.workspace.screen_colors.window);
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Base, colour);  // the role a scroll area's viewport fills with
  viewport()->setPalette(palette);
  viewport()->setAutoFillBackground(true);
}

void TDrawWindow::Invalidate() {
  viewport()->update();
}

DrawingResources& TDrawWindow::resources() {
  return resources_;
}

void TDrawWindow::RecreateResources() {
  const Workspace& workspace = context_.workspace;
  resources_ =
      CreateDrawingResources(workspace.settings, workspace.screen_colors, workspace.PrintLineWidth);
  ApplyWindowColour();
}

gdi::DeviceContext& TDrawWindow::MeasuringContext() {
  if (!measure_dc_) {
    measure_painter_ = std::make_unique<QPainter>(&measure_image_);
    measure_dc_ = std::make_unique<gdi::PainterDeviceContext>(*measure_painter_);
  }
  return *measure_dc_;
}

void TDrawWindow::Activate() {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (QMdiArea* area = frame->mdiArea()) area->setActiveSubWindow(frame);
    frame->raise();
  } else {
    raise();
    activateWindow();
  }
  setFocus();
}

void TDrawWindow::paintEvent(QPaintEvent*) {
  // Children wait while the main window lays them out again.
  if (context_.layout_pending) return;
  painting_ = true;
  UpdateScrollRange();  // the drawing may have grown or shrunk since the last paint
  painting_ = false;
  RefreshGlyphPicture(context_);
  QPainter painter(viewport());
  RePaint(painter);
  painter.end();
  ApplyScrollReset();
}

void TDrawWindow::RePaint(QPainter& painter) {
  painter.fillRect(viewport()->rect(), ToQColor(context_.workspace.screen_colors.window));
  gdi::PainterDeviceContext dc(painter);
  PaintParams params;
  params.PaintFlags = 0;
  params.PaintScale = 1.0;
  params.PaintOrigin = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
  params.measure_fallback = &MeasuringContext();
  PaintMap(context_.workspace, resources_, dc, params);
}

void TDrawWindow::ApplyScrollReset() {
  MapView& view = context_.workspace.view;
  if (!view.ScrollReset) return;
  view.ScrollReset = false;
  // Moving a scroll bar repaints at the new origin.
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

void TDrawWindow::scrollContentsBy(int, int) {
  // The map is painted from the scroll position, never shifted.
  if (!painting_) viewport()->update();
}

void TDrawWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  horizontalScrollBar()->setPageStep(std::max(kScrollLineStep, viewport()->width()));
  verticalScrollBar()->setPageStep(std::max(kScrollLineStep, viewport()->height()));
  UpdateScrollRange();
}

void TDrawWindow::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  if (!event->modifiers().testFlag(Qt::ShiftModifier) ||
      std::abs(angle.y()) <= std::abs(angle.x())) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  // Without Shift, which would make the scroll bar step by pages.
  QWheelEvent sideways(event->position(), event->globalPosition(), event->pixelDelta().transposed(),
                       angle.transposed(), event->buttons(),
                       event->modifiers() & ~Qt::ShiftModifier, event->phase(), event->inverted(),
                       event->source());
  QAbstractScrollArea::wheelEvent(&sideways);
  event->setAccepted(sideways.isAccepted());
}

}  // namespace kartela
