#include "ui/draw_window.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "gdi/qt/painter_device_context.h"
#include "render/map_painter.h"

namespace kartela {
namespace {

QColor ToQColor(gdi::Color color) {
  return QColor(color.r, color.g, color.b);
}

QSize ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->size() : QSize();
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
  const QSize screen = ScreenSize();
  horizontalScrollBar()->setRange(0, screen.width() + kExtraScrollWidth);
  verticalScrollBar()->setRange(0, screen.height() + kExtraScrollHeight);
  horizontalScrollBar()->setSingleStep(kScrollLineStep);
  verticalScrollBar()->setSingleStep(kScrollLineStep);
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
  viewport()->update();
}

void TDrawWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  horizontalScrollBar()->setPageStep(std::max(kScrollLineStep, viewport()->width()));
  verticalScrollBar()->setPageStep(std::max(kScrollLineStep, viewport()->height()));
}

}  // namespace kartela
