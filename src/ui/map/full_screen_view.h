// 全画面表示: the map alone on the whole screen at scale 1 from the screen's
// top-left corner, until a key or a mouse button is pressed.
#pragma once

#include <QWidget>

#include "gdi/device_context.h"
#include "render/drawing_resources.h"
#include "render/workspace.h"

namespace kartela {

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

// Shows the view over the screen of `main_window` with the cursor hidden and
// returns when it closes; the main window is maximised meanwhile and then put
// back as it was.
void RunFullScreenView(QWidget& main_window, const Workspace& workspace,
                       const DrawingResources& resources, gdi::DeviceContext* measure_fallback);

}  // namespace kartela
