#include "gdi/metafile_playback.h"

#include "gdi/uemf_support.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kartela::gdi {
namespace {

// Deep enough for any real picture; a deeper stack is an attack.
constexpr std::size_t kMaxSavedStates = 64;
constexpr double kCoordinateLimit = 1e9;

std::int32_t Round(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<std::int32_t>(
      std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

Playback::Playback(DeviceContext& dc, const Rect& target) : dc_(dc), target_(target) {
  Reselect(state_);
}

void Playback::SetPicture(const Rect& picture) {
  if (picture.right == picture.left || picture.bottom == picture.top) {
    throw Refusal{"絵の大きさがありません"};
  }
  picture_ = picture;
}

void Playback::SetMapMode(std::uint32_t mode) {
  // The metric modes are not written by any program this one exchanges
  // pictures with; they play one unit to one pixel.
  map_mode_ = mode == U_MM_ISOTROPIC     ? MapMode::kIsotropic
              : mode == U_MM_ANISOTROPIC ? MapMode::kAnisotropic
                                         : MapMode::kText;
}

void Playback::SetWindowExtent(Size extent) {
  if (extent.cx == 0 || extent.cy == 0) throw Refusal{"ウィンドウの広さが 0 です"};
  window_extent_ = extent;
}

void Playback::SetViewportExtent(Size extent) {
  if (extent.cx == 0 || extent.cy == 0) throw Refusal{"ビューポートの広さが 0 です"};
  viewport_extent_ = extent;
}

double Playback::ExtentScaleX() const {
  if (map_mode_ == MapMode::kText) return 1.0;
  const double x = static_cast<double>(viewport_extent_.cx) / window_extent_.cx;
  if (map_mode_ == MapMode::kAnisotropic) return x;
  const double y = static_cast<double>(viewport_extent_.cy) / window_extent_.cy;
  return std::copysign(std::min(std::abs(x), std::abs(y)), x);
}

double Playback::ExtentScaleY() const {
  if (map_mode_ == MapMode::kText) return 1.0;
  const double y = static_cast<double>(viewport_extent_.cy) / window_extent_.cy;
  if (map_mode_ == MapMode::kAnisotropic) return y;
  const double x = static_cast<double>(viewport_extent_.cx) / window_extent_.cx;
  return std::copysign(std::min(std::abs(x), std::abs(y)), y);
}

double Playback::ScaleX() const {
  if (!HasPicture()) return 1.0;
  return ExtentScaleX() * (target_.right - target_.left) / (picture_.right - picture_.left);
}

double Playback::ScaleY() const {
  if (!HasPicture()) return 1.0;
  return ExtentScaleY() * (target_.bottom - target_.top) / (picture_.bottom - picture_.top);
}

Point Playback::Map(std::int64_t x, std::int64_t y) const {
  if (!HasPicture()) throw Refusal{"絵の大きさが決まる前に描いています", StatusCode::kUnsupported};
  const bool mapped = map_mode_ != MapMode::kText;
  const double device_x =
      mapped ? static_cast<double>(x - window_origin_.x) * ExtentScaleX() + viewport_origin_.x
             : static_cast<double>(x);
  const double device_y =
      mapped ? static_cast<double>(y - window_origin_.y) * ExtentScaleY() + viewport_origin_.y
             : static_cast<double>(y);
  const double across = static_cast<double>(target_.right - target_.left) /
                        (static_cast<double>(picture_.right) - picture_.left);
  const double down = static_cast<double>(target_.bottom - target_.top) /
                      (static_cast<double>(picture_.bottom) - picture_.top);
  return {Round(target_.left + (device_x - picture_.left) * across),
          Round(target_.top + (device_y - picture_.top) * down)};
}

Rect Playback::MapRect(std::int64_t left, std::int64_t top, std::int64_t right,
                       std::int64_t bottom) const {
  const Point a = Map(left, top);
  const Point b = Map(right, bottom);
  return {a.x, a.y, b.x, b.y};
}

void Playback::SetTableSize(std::uint32_t first, std::uint32_t capacity) {
  first_slot_ = first;
  capacity_ = capacity;
}

void Playback::Create(std::uint32_t index, GdiObject object) {
  if (index < first_slot_ || index - first_slot_ >= capacity_) {
    throw Refusal{"オブジェクト番号 " + std::to_string(index) + " が表の外です"};
  }
  objects_[index] = std::move(object);
}

void Playback::CreateInFreeSlot(GdiObject object) {
  std::uint32_t index = first_slot_;
  for (const auto& entry : objects_) {
    if (entry.first != index) break;
    ++index;
  }
  if (index - first_slot_ >= capacity_)
    throw Refusal{"見出しが示すより多くのオブジェクトがあります"};
  objects_[index] = std::move(object);
}

GdiObject& Playback::Existing(std::uint32_t index) {
  const auto found = objects_.find(index);
  if (found == objects_.end()) {
    throw Refusal{"オブジェクト " + std::to_string(index) + " がありません"};
  }
  return found->second;
}

void Playback::Select(std::uint32_t index) {
  const GdiObject& object = Existing(index);
  switch (object.kind) {
    case ObjectKind::kPen:
      SelectPen(object.pen);
      break;
    case ObjectKind::kBrush:
      SelectBrush(object.brush);
      break;
    case ObjectKind::kFont:
      SelectFont(object.font);
      break;
    case ObjectKind::kPalette:
    case ObjectKind::kOther:
      break;
  }
}

void Playback::Delete(std::uint32_t index) {
  Existing(index);
  objects_.erase(index);
}

void Playback::SelectPen(const Pen& pen) {
  state_.pen = pen;
  dc_.SelectPen(pen);
}

void Playback::SelectBrush(const Brush& brush) {
  state_.brush = brush;
  dc_.SelectBrush(brush);
}

void Playback::SelectFont(const LogFont& font) {
  state_.font = font;
  dc_.SelectFont(font);
}

void Playback::SetTextColor(Color color) {
  state_.text_color = color;
  dc_.SetTextColor(state_.text_color);
}

void Playback::SetBackgroundColor(Color color) {
  state_.background_color = color;
  dc_.SetBackgroundColor(state_.background_color);
}

void Playback::SetBackgroundMode(std::uint32_t mode) {
  if (mode != U_TRANSPARENT && mode != U_OPAQUE) return;
  state_.background_mode = static_cast<BackgroundMode>(mode);
  dc_.SetBackgroundMode(state_.background_mode);
}

void Playback::SetTextAlign(std::uint32_t align) {
  constexpr std::uint32_t kKnownBits = kAlignCenter | kAlignBaseline;
  state_.text_align = align & kKnownBits;
  dc_.SetTextAlign(state_.text_align);
}

void Playback::SetFillMode(std::uint32_t mode) {
  if (mode != U_ALTERNATE && mode != U_WINDING) return;
  state_.fill_mode = static_cast<FillMode>(mode);
  dc_.SetFillMode(state_.fill_mode);
}

void Playback::SetRasterOp(std::uint32_t op) {
  // Lines are drawn or inverted; other operations draw.
  state_.raster_op = op == U_R2_NOTXORPEN ? RasterOp::kNotXorPen : RasterOp::kCopyPen;
  dc_.SetRasterOp(state_.raster_op);
}

void Playback::Save() {
  if (saved_.size() >= kMaxSavedStates)
    throw Refusal{"保存された状態が多すぎます", StatusCode::kUnsupported};
  saved_.push_back(
      {state_, map_mode_, window_origin_, viewport_origin_, window_extent_, viewport_extent_});
}

void Playback::Restore(std::int32_t relative) {
  const std::int64_t level = relative < 0 ? static_cast<std::int64_t>(saved_.size()) + relative
                                          : static_cast<std::int64_t>(relative) - 1;
  if (level < 0 || level >= static_cast<std::int64_t>(saved_.size())) {
    throw Refusal{"保存されていない状態に戻そうとしています"};
  }
  const Saved saved = saved_[static_cast<std::size_t>(level)];
  saved_.resize(static_cast<std::size_t>(level));
  map_mode_ = saved.map_mode;
  window_origin_ = saved.window_origin;
  viewport_origin_ = saved.viewport_origin;
  window_extent_ = saved.window_extent;
  viewport_extent_ = saved.viewport_extent;
  Reselect(saved.state);
}

void Playback::Reselect(const DeviceState& state) {
  SelectPen(state.pen);
  SelectBrush(state.brush);
  SelectFont(state.font);
  SetTextColor(state.text_color);
  SetBackgroundColor(state.background_color);
  SetBackgroundMode(static_cast<std::uint32_t>(state.background_mode));
  SetTextAlign(state.text_align);
  SetFillMode(static_cast<std::uint32_t>(state.fill_mode));
  SetRasterOp(static_cast<std::uint32_t>(state.raster_op));
}

Pen PenFrom(std::uint32_t style, std::int64_t width, Color color) {
  const std::uint32_t kind = style & U_PS_STYLE_MASK;
  const PenStyle pen_style = kind == U_PS_NULL                              ? PenStyle::kNull
                             : kind >= U_PS_DASH && kind <= U_PS_DASHDOTDOT ? PenStyle::kDot
                                                                            : PenStyle::kSolid;
  return {pen_style, static_cast<std::int32_t>(std::clamp<std::int64_t>(width, 0, 1 << 16)), color};
}

Brush BrushFrom(std::uint32_t style, Color color, std::uint32_t hatch) {
  Brush brush;
  brush.color = color;
  if (style == U_BS_NULL) return brush;  // hollow
  brush.kind = style == U_BS_HATCHED ? BrushKind::kHatch : BrushKind::kSolid;
  if (brush.kind == BrushKind::kHatch && hatch <= U_HS_DIAGCROSS) {
    brush.hatch = static_cast<HatchStyle>(hatch);
  }
  return brush;
}

std::int32_t ScaleLength(std::int64_t length, double scale) {
  if (length == 0) return 0;
  const std::int32_t scaled = Round(static_cast<double>(length) * std::abs(scale));
  if (scaled == 0) return length < 0 ? -1 : 1;
  return scaled;
}

Brush PatternBrushFrom(std::string_view bitmap_info, std::string_view bits) {
  const Brush grey{BrushKind::kSolid, {128, 128, 128}};
  constexpr std::size_t kRows = 8;
  constexpr std::size_t kStride = 4;
  if (bitmap_info.size() < sizeof(U_BITMAPINFOHEADER) || bits.size() < kRows * kStride) return grey;
  U_BITMAPINFOHEADER header;
  std::memcpy(&header, bitmap_info.data(), sizeof header);
  const bool pattern = header.biBitCount == 1 && header.biWidth == 8 &&
                       (header.biHeight == 8 || header.biHeight == -8) &&
                       header.biCompression == U_BI_RGB && header.biSize >= sizeof header &&
                       header.biSize <= bitmap_info.size() &&
                       bitmap_info.size() - header.biSize >= 2 * sizeof(U_RGBQUAD);
  if (!pattern) return grey;
  U_RGBQUAD colors[2];
  std::memcpy(colors, bitmap_info.data() + header.biSize, sizeof colors);
  const auto color_of = [](const U_RGBQUAD& quad) {
    return Color{quad.Red, quad.Green, quad.Blue};
  };
  // The pattern model has one ink on white: a white colour 1 swaps roles.
  const bool inverted = color_of(colors[1]) == kWhite && color_of(colors[0]) != kWhite;
  Brush brush{BrushKind::kPattern, color_of(colors[inverted ? 0 : 1])};
  for (std::size_t row = 0; row < kRows; ++row) {
    const std::size_t stored = header.biHeight > 0 ? kRows - 1 - row : row;
    const auto byte = static_cast<std::uint8_t>(bits[stored * kStride]);
    brush.pattern[row] = inverted ? static_cast<std::uint8_t>(~byte) : byte;
  }
  return brush;
}

Brush PatternBrushFromPackedDib(std::string_view dib) {
  if (dib.size() < sizeof(U_BITMAPINFOHEADER)) return PatternBrushFrom({}, {});
  U_BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  const std::uint64_t colors = header.biClrUsed != 0 ? header.biClrUsed : 2;
  const std::uint64_t bits_at = std::uint64_t{header.biSize} + colors * sizeof(U_RGBQUAD);
  if (bits_at > dib.size()) return PatternBrushFrom({}, {});
  return PatternBrushFrom(dib.substr(0, static_cast<std::size_t>(bits_at)),
                          dib.substr(static_cast<std::size_t>(bits_at)));
}

}  // namespace kartela::gdi
