// 全画面表示: the map alone on the whole screen, on the background colour,
// until a key or a mouse button is pressed. The map is scaled to fit the
// screen and centred; a map larger than the screen at a magnification the
// user chose (the map window's is not 1) stays at that magnification from
// the screen's top-left corner, cut at the screen's edges.
#pragma once

#include <QWidget>

#include "gdi/device_context.h"
#include "render/drawing_resources.h"
#include "render/workspace.h"

namespace kartela {

// Where the map goes on a screen of `screen` pixels.
struct ScreenPlacement {
  double scale = 1.0;
  gdi::Point origin{};  // the paint origin: subtracted after scaling
};

// The placement of a drawing of `extent` at scale 1: fitted and centred, or
// scale 1 from the top left when `chosen_magnification` and the drawing is
// larger than the screen.
ScreenPlacement PlaceOnScreen(gdi::Size extent, QSize screen, bool chosen_magnification);

// The borderless window that covers the screen; it closes on the first key
// or mouse button, which goes no further.
class TFullScreenView : public QWidget {
  Q_OBJECT

 public:
  TFullScreenView(const Workspace& workspace, const DrawingResources& resources,
                  gdi::DeviceContext* measure_fallback, QWidget* owner);

 signals:
  void Finished();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Finish();

  const Workspace& workspace_;
  const DrawingResources& resources_;
  gdi::DeviceContext* measure_fallback_;
};

// Shows the view full screen on the screen of `main_window` with the cursor
// hidden and returns when it closes; the main window is maximised meanwhile
// and then put back as it was.
void RunFullScreenView(QWidget& main_window, const Workspace& workspace,
                       const DrawingResources& resources, gdi::DeviceContext* measure_fallback);

}  // namespace kartela
