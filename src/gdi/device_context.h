// The one drawing interface of the program. The paint routines draw every
// picture through it; backends turn the calls into pixels, metafile records
// or test recordings.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "gdi/gdi_types.h"
#include "model/log_font.h"

namespace kartela::gdi {

// The objects and modes a device context holds. The initial values are those
// of a fresh GDI device context, except the font, which is the program's
// default font record.
struct DeviceState {
  Pen pen;  // solid black, one device pixel wide
  Brush brush{BrushKind::kSolid, kWhite};
  LogFont font;
  Color text_color = kBlack;
  Color background_color = kWhite;
  BackgroundMode background_mode = BackgroundMode::kOpaque;
  std::uint32_t text_align = kAlignLeft | kAlignTop;
  FillMode fill_mode = FillMode::kAlternate;
  RasterOp raster_op = RasterOp::kCopyPen;
  Point position;  // where the next LineTo starts
  bool operator==(const DeviceState&) const = default;
};

// The parts of a map picture, in the order the paint routine draws them.
enum class Layer : std::uint8_t {
  kBackground,  // the background picture
  kAreas,       // the areas, filled and outlined
  kBoundaries,  // boundary and special lines
  kSymbols,     // circles and pictures of the graph maps
  kNames,       // area names
  kLegend,
  kTitle,
  kDecorations,  // the user's shapes and texts
};

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  // Objects and state, kept until changed, as in a GDI device context.
  virtual void SelectPen(const Pen& pen) = 0;
  virtual void SelectBrush(const Brush& brush) = 0;
  // Height as in the record: negative is the character (em) height in
  // pixels, positive the cell height. The face name is Shift-JIS.
  virtual void SelectFont(const LogFont& font) = 0;
  virtual void SetTextColor(Color color) = 0;
  virtual void SetBackgroundColor(Color color) = 0;
  virtual void SetBackgroundMode(BackgroundMode mode) = 0;
  virtual void SetTextAlign(std::uint32_t align) = 0;
  virtual void SetFillMode(FillMode mode) = 0;
  virtual void SetRasterOp(RasterOp op) = 0;

  // Lines with the current pen; MoveTo sets the current position.
  virtual void MoveTo(Point p) = 0;
  virtual void LineTo(Point p) = 0;
  virtual void Polyline(std::span<const Point> points) = 0;
  // Closed shapes outlined with the pen and filled with the brush.
  virtual void Polygon(std::span<const Point> points) = 0;
  virtual void Rectangle(const Rect& r) = 0;
  virtual void Ellipse(const Rect& r) = 0;

  // Shift-JIS text at `p` with the current font, colours and alignment.
  virtual void TextOut(Point p, std::string_view text) = 0;
  // Width and height of `text` in the current font; nullopt when the target
  // cannot measure.
  virtual std::optional<Size> TextExtent(std::string_view text) = 0;

  // The structure of the picture, for targets that keep it (SVG groups);
  // others ignore it. Layers do not nest; areas nest in a layer. An area
  // has its number, its name and its value text (Shift-JIS; empty when it
  // has no value).
  virtual void BeginLayer(Layer /*layer*/) {}
  virtual void EndLayer() {}
  virtual void BeginArea(int /*number*/, std::string_view /*name*/, std::string_view /*value*/) {}
  virtual void EndArea() {}
};

// Draws what `draw` draws as one layer of `dc`.
template <typename Draw>
void InLayer(DeviceContext& dc, Layer layer, const Draw& draw) {
  dc.BeginLayer(layer);
  draw();
  dc.EndLayer();
}

}  // namespace kartela::gdi
