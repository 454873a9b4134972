#include "gdi/metafile_player.h"

#include <uemf.h>

#include <cstring>

#include "gdi/metafile_playback.h"

namespace kartela::gdi {
namespace {

// Draws nothing; used to check a whole file.
class NullDeviceContext final : public DeviceContext {
 public:
  void SelectPen(const Pen&) override {}
  void SelectBrush(const Brush&) override {}
  void SelectFont(const LogFont&) override {}
  void SetTextColor(Color) override {}
  void SetBackgroundColor(Color) override {}
  void SetBackgroundMode(BackgroundMode) override {}
  void SetTextAlign(std::uint32_t) override {}
  void SetFillMode(FillMode) override {}
  void SetRasterOp(RasterOp) override {}
  void MoveTo(Point) override {}
  void LineTo(Point) override {}
  void Polyline(std::span<const Point>) override {}
  void Polygon(std::span<const Point>) override {}
  void Rectangle(const Rect&) override {}
  void Ellipse(const Rect&) override {}
  void TextOut(Point, std::string_view) override {}
  std::optional<Size> TextExtent(std::string_view) override { return std::nullopt; }
};

}  // namespace

bool LooksLikeEmf(std::string_view bytes) {
  std::uint32_t type = 0;
  if (bytes.size() >= sizeof type) std::memcpy(&type, bytes.data(), sizeof type);
  return type == U_EMR_HEADER;
}

StatusOr<MetafileInfo> InspectMetafile(std::string_view bytes) {
  return LooksLikeEmf(bytes) ? InspectEmf(bytes) : InspectWmf(bytes);
}

Status PlayMetafile(std::string_view bytes, DeviceContext& dc, const Rect& target) {
  if (target.right == target.left || target.bottom == target.top) {
    return {StatusCode::kRefused, "描く先の長方形が空です"};
  }
  return LooksLikeEmf(bytes) ? PlayEmf(bytes, dc, target) : PlayWmf(bytes, dc, target);
}

Status CheckMetafile(std::string_view bytes) {
  NullDeviceContext nothing;
  return PlayMetafile(bytes, nothing, {0, 0, 1000, 1000});
}

}  // namespace kartela::gdi
