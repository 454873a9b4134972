// A device context that draws nothing and records every call with the state
// in force, so that tests of the drawing code can check exactly which shapes
// and texts were drawn where, with which pen, brush, font and modes.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gdi/device_context.h"

namespace kartela::gdi {

enum class CallKind : std::uint8_t {
  kSelectPen,
  kSelectBrush,
  kSelectFont,
  kSetTextColor,
  kSetBackgroundColor,
  kSetBackgroundMode,
  kSetTextAlign,
  kSetFillMode,
  kSetRasterOp,
  kMoveTo,
  kLineTo,
  kPolyline,
  kPolygon,
  kRectangle,
  kEllipse,
  kTextOut,
  kTextExtent,
};

struct RecordedCall {
  CallKind kind = CallKind::kMoveTo;
  // The state after a setter; for a drawing call the state it drew with
  // (for LineTo, `state.position` is already the end point).
  DeviceState state;
  // MoveTo and TextOut: the point; LineTo: start and end; Polyline and
  // Polygon: the vertices as given.
  std::vector<Point> points;
  Rect rect;         // Rectangle, Ellipse
  std::string text;  // TextOut, TextExtent (Shift-JIS)

  // The first point (the position of a text), or (0, 0) when there is none.
  Point at() const { return points.empty() ? Point{} : points.front(); }
};

class RecordingDeviceContext : public DeviceContext {
 public:
  void SelectPen(const Pen& pen) override;
  void SelectBrush(const Brush& brush) override;
  void SelectFont(const LogFont& font) override;
  void SetTextColor(Color color) override;
  void SetBackgroundColor(Color color) override;
  void SetBackgroundMode(BackgroundMode mode) override;
  void SetTextAlign(std::uint32_t align) override;
  void SetFillMode(FillMode mode) override;
  void SetRasterOp(RasterOp op) override;

  void MoveTo(Point p) override;
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& r) override;
  void Ellipse(const Rect& r) override;

  void TextOut(Point p, std::string_view text) override;
  // A stand-in measure that needs no fonts: each byte is half the font
  // height wide (so a double-byte character is square), and the text is the
  // font height high. Fails while `set_measure_fails(true)` is in force.
  std::optional<Size> TextExtent(std::string_view text) override;

  // Makes TextExtent fail, as on a target that cannot measure.
  void set_measure_fails(bool fails) { measure_fails_ = fails; }

  const std::vector<RecordedCall>& calls() const { return calls_; }
  const DeviceState& state() const { return state_; }
  std::vector<RecordedCall> CallsOf(CallKind kind) const;
  std::size_t Count(CallKind kind) const;
  std::vector<RecordedCall> Polygons() const { return CallsOf(CallKind::kPolygon); }
  std::vector<RecordedCall> Texts() const { return CallsOf(CallKind::kTextOut); }
  // The texts written with TextOut, in order.
  std::vector<std::string> TextStrings() const;
  // Forgets the calls; the state stays.
  void Clear() { calls_.clear(); }

 private:
  RecordedCall& Record(CallKind kind);
  // Changes one part of the state and records the call.
  template <typename Value>
  void Set(Value DeviceState::*field, const Value& value, CallKind kind);

  DeviceState state_;
  std::vector<RecordedCall> calls_;
  bool measure_fails_ = false;
};

}  // namespace kartela::gdi
