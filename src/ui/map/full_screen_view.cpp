#include "ui/map/full_screen_view.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "gdi/qt/painter_device_context.h"
#include "render/map_painter.h"

namespace kartela {

TFullScreenView::TFullScreenView(const Workspace& workspace, const DrawingResources& resources,
                                 gdi::DeviceContext* measure_fallback, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      workspace_(workspace),
      resources_(resources),
      measure_fallback_(measure_fallback) {
  setObjectName("TFullScreenView");
  setWindowTitle(QString());
  setWindowModality(Qt::ApplicationModal);  // no other command while it shows
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::BlankCursor);
}

void TFullScreenView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  gdi::PainterDeviceContext dc(painter);
  const gdi::Color background = resources_.screen.window;
  dc.SelectPen({gdi::PenStyle::kSolid, 0, background});
  dc.SelectBrush({gdi::BrushKind::kSolid, background});
  dc.Rectangle({0, 0, width(), height()});
  PaintParams params;
  params.measure_fallback = measure_fallback_;
  PaintMap(workspace_, resources_, dc, params);
}

void TFullScreenView::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Finish();
}

void TFullScreenView::mousePressEvent(QMouseEvent* event) {
  event->accept();
  Finish();
}

void TFullScreenView::Finish() {
  hide();
  emit Finished();
}

void RunFullScreenView(QWidget& main_window, const Workspace& workspace,
                       const DrawingResources& resources, gdi::DeviceContext* measure_fallback) {
  const bool was_maximized = main_window.isMaximized();
  main_window.showMaximized();
  QGuiApplication::setOverrideCursor(Qt::BlankCursor);
  {
    TFullScreenView view(workspace, resources, measure_fallback, &main_window);
    view.setGeometry(main_window.screen()->geometry());
    QEventLoop loop;
    QObject::connect(&view, &TFullScreenView::Finished, &loop, &QEventLoop::quit);
    view.show();
    view.activateWindow();
    view.setFocus();
    loop.exec();
  }
  if (!was_maximized) main_window.showNormal();
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace kartela
