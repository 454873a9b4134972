// The device-context side of playing a metafile, shared by the EMF and WMF
// players: the mapping from the metafile's logical units to the target
// rectangle, the object table and the saved states.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gdi/device_context.h"
#include "gdi/metafile_options.h"
#include "gdi/metafile_player.h"

namespace kartela::gdi {

// Thrown inside a player when a record cannot be used; the player adds the
// record's offset.
struct Refusal {
  std::string reason;
  StatusCode code = StatusCode::kBadFormat;
};

// The file is damaged at `offset`.
inline Status BadFormat(std::uint64_t offset, std::string reason) {
  return {StatusCode::kBadFormat, std::move(reason), offset};
}

// One record's bytes, with reads that never leave them.
class RecordBytes {
 public:
  explicit RecordBytes(std::string_view bytes) : bytes_(bytes) {}
  const char* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  // The first `size` bytes of a libUEMF structure.
  template <typename T>
  T Fixed(std::size_t size = sizeof(T)) const {
    if (size > sizeof(T) || size > bytes_.size())
      throw Refusal{"レコードが種類の大きさより短いです"};
    T value{};
    std::memcpy(&value, bytes_.data(), size);
    return value;
  }
  // `count` elements at `offset`; the count is checked against the record's
  // end before anything is allocated.
  template <typename T>
  std::vector<T> Array(std::uint64_t offset, std::uint64_t count) const {
    if (offset > bytes_.size() || count > (bytes_.size() - offset) / sizeof(T)) {
      throw Refusal{"個数 " + std::to_string(count) + " がレコードの外まで続きます"};
    }
    std::vector<T> values(static_cast<std::size_t>(count));
    if (count > 0) std::memcpy(values.data(), bytes_.data() + offset, count * sizeof(T));
    return values;
  }
  std::string_view Slice(std::uint64_t offset, std::uint64_t length) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) {
      throw Refusal{"データがレコードの外まで続きます"};
    }
    return bytes_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }
  // From `offset` to the record's end.
  std::string_view Rest(std::uint64_t offset) const {
    return Slice(offset, bytes_.size() - std::min<std::uint64_t>(offset, bytes_.size()));
  }

 private:
  std::string_view bytes_;
};

enum class ObjectKind : std::uint8_t { kPen, kBrush, kFont, kPalette, kOther };

struct GdiObject {
  ObjectKind kind = ObjectKind::kOther;
  Pen pen;
  Brush brush;
  LogFont font;
};

class Playback {
 public:
  Playback(DeviceContext& dc, const Rect& target);

  // Mapping. The picture is the rectangle of device units (after the
  // window-to-viewport mapping) that fills the target.
  void SetPicture(const Rect& picture);
  bool HasPicture() const { return picture_.right != picture_.left; }
  void SetMapMode(std::uint32_t mode);
  void SetWindowOrigin(Point origin) { window_origin_ = origin; }
  void SetWindowExtent(Size extent);
  void SetViewportOrigin(Point origin) { viewport_origin_ = origin; }
  void SetViewportExtent(Size extent);
  Point Map(std::int64_t x, std::int64_t y) const;
  Rect MapRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) const;
  // Target units per logical unit across and down.
  double ScaleX() const;
  double ScaleY() const;

  // Objects in a table of `capacity` slots starting at `first`.
  void SetTableSize(std::uint32_t first, std::uint32_t capacity);
  void Create(std::uint32_t index, GdiObject object);
  // Takes the lowest free slot (WMF).
  void CreateInFreeSlot(GdiObject object);
  void Select(std::uint32_t index);
  void Delete(std::uint32_t index);

  // The device context's state, mirrored so that a restore can reselect.
  void SelectPen(const Pen& pen);
  void SelectBrush(const Brush& brush);
  void SelectFont(const LogFont& font);
  void SetTextColor(Color color);
  void SetBackgroundColor(Color color);
  void SetBackgroundMode(std::uint32_t mode);
  void SetTextAlign(std::uint32_t align);
  void SetFillMode(std::uint32_t mode);
  void SetRasterOp(std::uint32_t op);
  const DeviceState& state() const { return state_; }
  void Save();
  // `relative` < 0 counts back from the latest; > 0 is an absolute level.
  void Restore(std::int32_t relative);

  DeviceContext& dc() { return dc_; }

  // A font from the fields that EMF's U_LOGFONT and WMF's U_FONT hold in
  // the order of LogFont, with the face name each format stores its own
  // way; the height and width are scaled to the target.
  template <typename StoredFont>
  LogFont Font(const StoredFont& stored, std::string face_name) const;

 private:
  struct Saved {
    DeviceState state;
    MapMode map_mode;
    Point window_origin, viewport_origin;
    Size window_extent, viewport_extent;
  };
  void Reselect(const DeviceState& state);
  // Logical-to-device scale of the window and viewport extents.
  double ExtentScaleX() const;
  double ExtentScaleY() const;
  GdiObject& Existing(std::uint32_t index);

  DeviceContext& dc_;
  Rect target_;
  Rect picture_;
  MapMode map_mode_ = MapMode::kText;
  Point window_origin_, viewport_origin_;
  Size window_extent_{1, 1}, viewport_extent_{1, 1};
  std::uint32_t first_slot_ = 0;
  std::uint32_t capacity_ = 0;
  std::map<std::uint32_t, GdiObject> objects_;
  DeviceState state_;
  std::vector<Saved> saved_;
};

// Pens, brushes and fonts from the fields GDI records hold.
Pen PenFrom(std::uint32_t style, std::int64_t width, Color color);
Brush BrushFrom(std::uint32_t style, Color color, std::uint32_t hatch);
// A pattern brush from a DIB (BITMAPINFO then bits): 8x8 one-bit patterns
// are kept; any other picture becomes a grey brush.
Brush PatternBrushFrom(std::string_view bitmap_info, std::string_view bits);
// The same from a packed DIB: header, colour table and bits together.
Brush PatternBrushFromPackedDib(std::string_view dib);

// The two formats' players.
StatusOr<MetafileInfo> InspectEmf(std::string_view bytes);
Status PlayEmf(std::string_view bytes, DeviceContext& dc, const Rect& target);
StatusOr<MetafileInfo> InspectWmf(std::string_view bytes);
Status PlayWmf(std::string_view bytes, DeviceContext& dc, const Rect& target);

// The pen width and font height in device units of the target.
std::int32_t ScaleLength(std::int64_t length, double scale);

template <typename StoredFont>
LogFont Playback::Font(const StoredFont& stored, std::string face_name) const {
  const auto& [height, width, escapement, orientation, weight, italic, underline, strike_out,
               char_set, out_precision, clip_precision, quality, pitch_and_family,
               stored_face_name] = stored;
  (void)stored_face_name;
  return {ScaleLength(height, ScaleY()),
          ScaleLength(width, ScaleX()),
          escapement,
          orientation,
          weight,
          italic,
          underline,
          strike_out,
          char_set,
          out_precision,
          clip_precision,
          quality,
          pitch_and_family,
          std::move(face_name)};
}

}  // namespace kartela::gdi
