#include "ui/map/full_screen_view.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include "gdi/qt/painter_device_context.h"
#include "render/map_frame.h"
#include "render/map_painter.h"

namespace kartela {

ScreenPlacement PlaceOnScreen(gdi::Size extent, QSize screen, bool chosen_magnification) {
  const int width = std::max(1, extent.cx);
  const int height = std::max(1, extent.cy);
  const bool larger = width > screen.width() || height > screen.height();
  if (larger && chosen_magnification) return {};
  ScreenPlacement placement;
  placement.scale = std::min(static_cast<double>(screen.width()) / width,
                             static_cast<double>(screen.height()) / height);
  const auto margin = [&placement](int room, int size) {
    return static_cast<std::int32_t>(std::lround((room - size * placement.scale) / 2));
  };
  placement.origin = {-margin(screen.width(), width), -margin(screen.height(), height)};
  return placement;
}

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
  const Settings& settings = workspace_.settings;
  const ScreenPlacement placement = PlaceOnScreen(
      DrawingExtent(workspace_), size(), settings.DrawResX != 1.0 || settings.DrawResY != 1.0);
  PaintParams params;
  params.PaintScale = placement.scale;
  params.PaintOrigin = placement.origin;
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
    // Full screen on the main window's screen: the window system covers
    // that screen, panels included, wherever it places windows itself.
    QScreen* screen = main_window.screen();
    view.setScreen(screen);
    view.setGeometry(screen->geometry());
    QEventLoop loop;
    QObject::connect(&view, &TFullScreenView::Finished, &loop, &QEventLoop::quit);
    view.showFullScreen();
    view.activateWindow();
    view.setFocus();
    loop.exec();
  }
  if (!was_maximized) main_window.showNormal();
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace kartela
