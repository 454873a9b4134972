#include "gdi/recording_device_context.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace kartela::gdi {

RecordedCall& RecordingDeviceContext::Record(CallKind kind) {
  RecordedCall& call = calls_.emplace_back();
  call.kind = kind;
  call.state = state_;
  return call;
}

template <typename Value>
void RecordingDeviceContext::Set(Value DeviceState::*field, const Value& value, CallKind kind) {
  state_.*field = value;
  Record(kind);
}

void RecordingDeviceContext::SelectPen(const Pen& pen) {
  Set(&DeviceState::pen, pen, CallKind::kSelectPen);
}

void RecordingDeviceContext::SelectBrush(const Brush& brush) {
  Set(&DeviceState::brush, brush, CallKind::kSelectBrush);
}

void RecordingDeviceContext::SelectFont(const LogFont& font) {
  Set(&DeviceState::font, font, CallKind::kSelectFont);
}

void RecordingDeviceContext::SetTextColor(Color color) {
  Set(&DeviceState::text_color, color, CallKind::kSetTextColor);
}

void RecordingDeviceContext::SetBackgroundColor(Color color) {
  Set(&DeviceState::background_color, color, CallKind::kSetBackgroundColor);
}

void RecordingDeviceContext::SetBackgroundMode(BackgroundMode mode) {
  Set(&DeviceState::background_mode, mode, CallKind::kSetBackgroundMode);
}

void RecordingDeviceContext::SetTextAlign(std::uint32_t align) {
  Set(&DeviceState::text_align, align, CallKind::kSetTextAlign);
}

void RecordingDeviceContext::SetFillMode(FillMode mode) {
  Set(&DeviceState::fill_mode, mode, CallKind::kSetFillMode);
}

void RecordingDeviceContext::SetRasterOp(RasterOp op) {
  Set(&DeviceState::raster_op, op, CallKind::kSetRasterOp);
}

void RecordingDeviceContext::MoveTo(Point p) {
  state_.position = p;
  Record(CallKind::kMoveTo).points = {p};
}

void RecordingDeviceContext::LineTo(Point p) {
  const Point from = state_.position;
  state_.position = p;
  Record(CallKind::kLineTo).points = {from, p};
}

void RecordingDeviceContext::Polyline(std::span<const Point> points) {
  Record(CallKind::kPolyline).points.assign(points.begin(), points.end());
}

void RecordingDeviceContext::Polygon(std::span<const Point> points) {
  Record(CallKind::kPolygon).points.assign(points.begin(), points.end());
}

void RecordingDeviceContext::Rectangle(const Rect& r) {
  Record(CallKind::kRectangle).rect = r;
}

void RecordingDeviceContext::Ellipse(const Rect& r) {
  Record(CallKind::kEllipse).rect = r;
}

void RecordingDeviceContext::TextOut(Point p, std::string_view text) {
  RecordedCall& call = Record(CallKind::kTextOut);
  call.points = {p};
  call.text = text;
}

std::optional<Size> RecordingDeviceContext::TextExtent(std::string_view text) {
  Record(CallKind::kTextExtent).text = text;
  if (measure_fails_) return std::nullopt;
  const std::int64_t height = std::abs(static_cast<std::int64_t>(state_.font.Height));
  const std::int64_t width = static_cast<std::int64_t>(text.size()) * height / 2;
  return Size{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

std::vector<RecordedCall> RecordingDeviceContext::CallsOf(CallKind kind) const {
  std::vector<RecordedCall> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [kind](const RecordedCall& call) { return call.kind == kind; });
  return found;
}

std::size_t RecordingDeviceContext::Count(CallKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(calls_.begin(), calls_.end(),
                    [kind](const RecordedCall& call) { return call.kind == kind; }));
}

std::vector<std::string> RecordingDeviceContext::TextStrings() const {
  std::vector<std::string> texts;
  for (const RecordedCall& call : calls_) {
    if (call.kind == CallKind::kTextOut) texts.push_back(call.text);
  }
  return texts;
}

}  // namespace kartela::gdi
