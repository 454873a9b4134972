// A device context that writes an SVG picture. Every drawing call becomes an
// element with the pen, brush and font it was drawn with: hatch and pattern
// brushes become <pattern> elements with the 8x8 cells of the screen, texts
// stay UTF-8 text with a list of installed Japanese faces after the face the
// record names, so that a reader without that face still shows them. The
// structure calls make one group per layer (an Inkscape layer) and one group
// per area with an id ("area-13") and a <title> with its name and value.
// Device pixels are user units; the elements are moved by half a pixel, so
// that a one-pixel line covers the pixels a GDI line would.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gdi/device_context.h"

namespace kartela::gdi {

class SvgWriter final : public DeviceContext {
 public:
  // A picture of `size` pixels on `background`. `measurer` (may be null)
  // answers TextExtent and gives each text its width; without it texts are
  // as wide as the reader's face makes them.
  SvgWriter(Size size, Color background, DeviceContext* measurer);

  void SelectPen(const Pen& pen) override { state_.pen = pen; }
  void SelectBrush(const Brush& brush) override { state_.brush = brush; }
  void SelectFont(const LogFont& font) override { state_.font = font; }
  void SetTextColor(Color color) override { state_.text_color = color; }
  void SetBackgroundColor(Color color) override { state_.background_color = color; }
  void SetBackgroundMode(BackgroundMode mode) override { state_.background_mode = mode; }
  void SetTextAlign(std::uint32_t align) override { state_.text_align = align; }
  void SetFillMode(FillMode mode) override { state_.fill_mode = mode; }
  // Raster operations need pixels: lines draw as kCopyPen.
  void SetRasterOp(RasterOp op) override { state_.raster_op = op; }

  void MoveTo(Point p) override { state_.position = p; }
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& r) override;
  void Ellipse(const Rect& r) override;
  void TextOut(Point p, std::string_view text) override;
  std::optional<Size> TextExtent(std::string_view text) override;

  void BeginLayer(Layer layer) override;
  void EndLayer() override;
  void BeginArea(int number, std::string_view name, std::string_view value) override;
  void EndArea() override;

  // The document; the writer takes no calls after.
  std::string Finish();

 private:
  // An open group, and where its start tag begins: a group left empty is
  // taken out again.
  struct OpenGroup {
    std::size_t start;
    std::size_t content;
  };

  void OpenGroupTag(const std::string& tag);
  void CloseGroup();
  // Opens a plain group for elements drawn outside any layer.
  void EnsureGroup();
  // `base`, then `base` with the separator and 2, 3, ... as it comes again.
  std::string UniqueId(std::string_view base, std::string_view separator = "-");
  // Writes `geometry_` as an element, filled with the brush when `filled`
  // and outlined with the pen.
  void WriteShape(bool filled);
  void AppendFill();
  std::string PatternId(const PatternRows& rows, Color ink, const Color* paper);
  const std::string& FontFamilies();
  // The background cell of an opaque text.
  void WriteTextCell(double left, double top, std::int64_t width, std::int32_t em);
  void AppendFontAttributes(std::int32_t em);
  void AppendPoints(std::span<const Point> points);

  Size size_;
  DeviceContext* measurer_;
  DeviceState state_;
  std::string defs_;
  std::string body_;
  std::string geometry_;  // the element being written, up to its paint
  std::vector<OpenGroup> groups_;
  std::vector<std::string> pattern_keys_;  // index: the number of the pattern's id
  std::unordered_map<std::string, int> used_ids_;
  std::string family_face_;  // the face FontFamilies last answered for
  std::string families_;
};

}  // namespace kartela::gdi
