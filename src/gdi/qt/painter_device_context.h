// The device context on a QPainter: screen widgets, images, printers, PDF and
// SVG. It reproduces the GDI behaviours a map shows:
// - Rectangle and Ellipse leave out the right and bottom edge (with a null
//   pen a Rectangle fills one pixel less each way), LineTo and Polyline leave
//   out their last point, polygons fill by the pixel-centre rule;
// - hatch and pattern brushes tile 8x8 device pixels from the device origin;
//   the gaps of a hatch take the background colour in opaque mode and stay
//   unpainted in transparent mode, and so do the gaps of a dotted pen;
//   pattern brushes paint ink and white in either mode;
// - a thin dotted pen is 3 pixels on, 3 off; a wide one draws square dots as
//   wide as the pen (GDI would draw it solid, but the setting asks for dots);
// - a width-0 pen is one device pixel at any scale;
// - WINDING fills self-crossing outlines completely, ALTERNATE by parity;
// - a negative font height is the em size in pixels, a positive one the
//   cell height; text is aligned by TA_LEFT/CENTER/RIGHT and
//   TA_TOP/BASELINE/BOTTOM and, in opaque mode, drawn on a cell filled with
//   the background colour;
// - texts are antialiased in grey levels; fills, lines and hatches are not,
//   so neighbouring fills meet without seams and hatches stay sharp.
// Limits: the painter's transform may scale and translate; rotation and
// shear move the points correctly but pens, fonts and hatches keep their
// upright pixel sizes. On a high-DPI screen a device pixel is the widget's
// device-independent pixel. kNotXorPen needs a raster target (images, widgets);
// vector targets (PDF, SVG, printers) draw it as kCopyPen. Text ignores the
// raster operation, as GDI text does.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include "gdi/device_context.h"
#include "gdi/qt/font_substitution.h"

namespace kartela::gdi {

class PainterDeviceContext : public DeviceContext {
 public:
  // Draws with the active `painter`. Its transform in force now maps the
  // coordinates of the calls to device pixels; the device context then draws
  // in device pixels itself and restores the painter's state when it goes.
  // Substituted faces take `pitch`: proportional on screen, where texts are
  // placed by their measured extent; a metafile's measurer takes the pitch
  // of the face its records name, since readers space the texts by that.
  explicit PainterDeviceContext(QPainter& painter, FacePitch pitch = FacePitch::kProportional);
  ~PainterDeviceContext() override;
  PainterDeviceContext(const PainterDeviceContext&) = delete;
  PainterDeviceContext& operator=(const PainterDeviceContext&) = delete;

  void SelectPen(const Pen& pen) override { state_.pen = pen; }
  void SelectBrush(const Brush& brush) override;
  void SelectFont(const LogFont& font) override;
  void SetTextColor(Color color) override { state_.text_color = color; }
  void SetBackgroundColor(Color color) override;
  void SetBackgroundMode(BackgroundMode mode) override;
  void SetTextAlign(std::uint32_t align) override { state_.text_align = align; }
  void SetFillMode(FillMode mode) override { state_.fill_mode = mode; }
  void SetRasterOp(RasterOp op) override { state_.raster_op = op; }

  void MoveTo(Point p) override { state_.position = p; }
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& r) override;
  void Ellipse(const Rect& r) override;

  void TextOut(Point p, std::string_view text) override;
  // In logical units; nullopt when the painter is not active.
  std::optional<Size> TextExtent(std::string_view text) override;

  // Whether kNotXorPen inverts on this target rather than drawing as
  // kCopyPen.
  bool SupportsRasterOps() const;

 private:
  // The device box of `r`, ordered, right and bottom exclusive.
  QRect DeviceBox(const Rect& r) const;
  QPoint ToDevice(Point p) const;
  QPolygon ToDevice(std::span<const Point> points) const;
  // The same without a point that repeats the one before it: such a point
  // adds no edge, and a dense map has many at screen scale.
  QPolygon ToDeviceOutline(std::span<const Point> points) const;
  QPen DevicePen() const;
  const QBrush& DeviceBrush();
  const QFont& DeviceFont();
  void UseRasterOp();
  // Runs `draw` with the brush and no pen; nothing for a hollow brush.
  template <typename Draw>
  void Fill(const Draw& draw);
  // Runs `draw` with the pen and no brush (first with the background colour
  // for the gaps of a dotted pen in opaque mode); nothing for a null pen.
  template <typename Draw>
  void Stroke(const Draw& draw);

  QPainter& painter_;
  bool saved_;  // whether the painter was active and its state saved
  QTransform to_device_;
  // The transform as whole pixels, when it only moves (the usual case): the
  // points of a map are then placed with integer sums.
  std::optional<QPoint> whole_shift_;
  double scale_x_ = 1.0;
  double scale_y_ = 1.0;
  DeviceState state_;
  std::optional<QBrush> brush_;  // built from the brush and background on use
  std::optional<QFont> font_;    // built from the font record on use
  std::vector<std::string> installed_families_;
  FacePitch pitch_;
};

}  // namespace kartela::gdi
