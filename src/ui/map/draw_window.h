// TDrawWindow: the map window. It paints the whole map through the one paint
// routine at the scroll position into a kept picture, owns the drawing
// objects, and hands the mouse to the decoration tool of render/
// decoration_tool.h, which turns it into decorations with the current tool
// or, with no tool, drags the title and the legend (Escape cancels the
// drag); what the tool shows is drawn over the kept picture.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>

#include "gdi/device_context.h"
#include "render/decoration_tool.h"
#include "render/drawing_resources.h"
#include "render/paint_context.h"
#include "ui/widgets/app_context.h"

class QPainter;

namespace kartela {

inline constexpr int kScrollLineStep = 16;

// The caption of the map window while it shows no document.
inline constexpr const char* kMapWindowCaption = "地図";

// The menu bar's position display for canvas point `canvas`: x right-aligned
// in four columns, ":", y, padded to nine columns; blank without a tool.
QString PositionText(QPoint canvas, DecorationMode mode);

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

  // Shows the cursor of the current decoration tool.
  void ApplyDecorationCursor();
  // Where the last full paint drew the title and the legend, in canvas
  // pixels; empty when it drew none.
  // The title and legend where the last paint drew them, and the offsets
  // that put them there.
  const FurnitureDrag& Furniture() const { return tool_.furniture(); }
  QRect TitleBox() const;
  QRect LegendBox() const;
  // The speed-button panel the text input bar is laid over; without one the
  // bar goes over the top of this window.
  void SetInputBarPanel(QWidget* panel);
  // Paints of the whole map since the window was made; rubber bands and the
  // text mark are drawn over the last one.
  int FullPaintCount() const { return full_paints_; }

 signals:
  // The position display after a mouse event (PositionText).
  void PositionChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;
  // Shift turns the wheel sideways, as everywhere on Linux.
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The screen paint: the whole map at the scroll position, at scale 1.
  void RePaint(QPainter& painter);
  // Paints the whole map into the cached picture.
  void RenderMap();
  // The picture's size in device pixels.
  QSize PictureSize() const;
  // The text mark or the rubber band over the cached picture.
  void DrawOverlay(QPainter& painter);
  // Repaints `area` (window pixels) from the cached picture.
  void UpdateFromCache(const QRect& area);
  // After a paint: a pending ScrollReset puts both scroll positions at 0.
  void ApplyScrollReset();
  void SetUpScrollBars();
  // Each scroll bar reaches as far as the drawing extends beyond the view.
  void UpdateScrollRange();
  void ApplyWindowColour();

  QPoint Scroll() const;
  DecorationMode Mode() const;
  void ShowPosition(QPoint canvas);
  void LeftDown(QPoint canvas);
  void RightDown();
  void LeftUp(QPoint canvas);
  // Asks for a decoration text with the input bar next to `canvas`, the
  // point clicked; none when cancelled.
  std::optional<std::string> AskText(QPoint canvas);
  // Carries out what the tool says after an event: the overlay's old area
  // `before` and its new one are drawn again from the picture, an added
  // shape is drawn into the picture, the map is painted again, the pointer
  // moved or the cursor changed.
  void Apply(const ToolResult& result, const QRect& before, QPoint canvas);
  // Draws `shape` into the picture as the paint draws it.
  void DrawIntoPicture(const ShapeDecoration& shape);
  // Where the tool's overlay now covers the window; empty when none.
  QRect OverlayArea() const;
  QRect InputBarPanel() const;

  // The move cursor over the title and the legend, the tool's cursor elsewhere.
  void ShowMoveCursor(QPoint canvas);
  void KeepFurniturePlaces(const FurniturePlaces& places);

  AppContext& context_;
  DrawingResources resources_;
  // The measuring context draws on a one-pixel image kept for the window's life.
  QImage measure_image_;
  std::unique_ptr<QPainter> measure_painter_;
  std::unique_ptr<gdi::DeviceContext> measure_dc_;
  // Set while a paint adjusts the scroll range: the paint already draws at
  // the adjusted position.
  bool painting_ = false;

  // The last full paint. Rubber bands are drawn over it rather than over a
  // new paint of the map, which takes far longer on large maps.
  QPixmap map_picture_;
  bool picture_valid_ = false;
  bool overlay_update_ = false;  // the pending paint only moves the overlay
  int full_paints_ = 0;

  DecorationTool tool_;
  DecorationMode cursor_mode_ = DecorationMode::kNone;
  bool move_cursor_ = false;
  QPointer<QWidget> input_bar_panel_;
};

}  // namespace kartela
