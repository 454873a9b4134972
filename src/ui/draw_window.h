// TDrawWindow: the map window. It paints the whole map through the one paint
// routine at the scroll position, and owns the drawing objects.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <memory>

#include "gdi/device_context.h"
#include "render/drawing_resources.h"
#include "ui/app_context.h"

class QPainter;

namespace kartela {

inline constexpr int kScrollLineStep = 16;

// The caption of the map window while it shows no document.
inline constexpr const char* kMapWindowCaption = "地図";

class TDrawWindow : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TDrawWindow(AppContext& context, QWidget* parent = nullptr);
  ~TDrawWindow() override;

  // Repaints the whole map from the model.
  void Invalidate();
  // The drawing objects, recreated by the commands that change them.
  DrawingResources& resources();
  // Builds the drawing objects again from the settings and the screen
  // colours, after a command changed patterns, pens or fonts.
  void RecreateResources();
  // A device context on this window's screen for measuring texts, for paints
  // onto targets that cannot measure (PaintParams::measure_fallback).
  gdi::DeviceContext& MeasuringContext();
  // Brings the window to the front of its MDI area and gives it the focus.
  void Activate();
  // After the magnification changed from `before_x` and `before_y` (the old
  // DrawResX and DrawResY): the scroll range follows the new drawing extent
  // and the point at the centre of the view stays at the centre.
  void MagnificationChanged(double before_x, double before_y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;
  // Shift turns the wheel sideways, as everywhere on Linux.
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The screen paint: the whole map at the scroll position, at scale 1.
  void RePaint(QPainter& painter);
  // After a paint: a pending ScrollReset puts both scroll positions at 0.
  void ApplyScrollReset();
  void SetUpScrollBars();
  // Each scroll bar reaches as far as the drawing extends beyond the view.
  void UpdateScrollRange();
  void ApplyWindowColour();

  AppContext& context_;
  DrawingResources resources_;
  // The measuring context draws on a one-pixel image kept for the window's life.
  QImage measure_image_;
  std::unique_ptr<QPainter> measure_painter_;
  std::unique_ptr<gdi::DeviceContext> measure_dc_;
  // Set while a paint adjusts the scroll range: the paint already draws at
  // the adjusted position.
  bool painting_ = false;
};

}  // namespace kartela
