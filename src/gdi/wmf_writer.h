// A device context that writes a placeable WMF: the 22-byte placeable header
// (bounding box at 96 units per inch), then records whose window is the
// picture's logical extent. Texts are Shift-JIS bytes, as WMF texts are
// bytes in the code page of the font's character set.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/metafile_options.h"
#include "gdi/metafile_writer.h"

namespace kartela::gdi {

class WmfWriter final : public MetafileWriter {
 public:
  explicit WmfWriter(const MetafileOptions& options, DeviceContext* measurer = nullptr);

  void MoveTo(Point p) override;
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& r) override;
  void Ellipse(const Rect& r) override;
  void TextOut(Point p, std::string_view text) override;

 private:
  std::string EndFile() override;
  // Takes a record made by libUEMF, appends it and frees it; a record it
  // could not make (null) fails the file.
  void Append(char* record);
  void WriteHeader();
  void WriteMapping();
  void WritePalette();
  // Selects the new object in slot `index` in place of `*current` and
  // deletes that.
  void Replace(std::optional<std::uint32_t>* current, std::uint32_t index);

  void WritePen(const Pen& pen) override;
  void WriteBrush(const Brush& brush) override;
  void WriteFont(const LogFont& font) override;
  void WriteTextColor(Color color) override;
  void WriteBackgroundColor(Color color) override;
  void WriteBackgroundMode(BackgroundMode mode) override;
  void WriteTextAlign(std::uint32_t align) override;
  void WriteFillMode(FillMode mode) override;
  void WriteRasterOp(RasterOp op) override;

  MetafileOptions options_;
  std::string bytes_;
  std::uint32_t largest_record_ = 0;  // in 16-bit words
  ObjectSlots slots_{0};
  std::optional<std::uint32_t> pen_;  // none: the device context's own
  std::optional<std::uint32_t> brush_;
  std::optional<std::uint32_t> font_;
};

// A WMF holds coordinates and extents of at most 32767 units.
inline constexpr std::int64_t kWmfMaxUnits = 32767;

struct WmfUnits {
  std::int64_t across = 0;
  std::int64_t down = 0;
};

// The units a placeable WMF laid out by `options` needs across and down: the
// larger of its bounding box (96 units to the inch) and its window. The
// writer refuses a picture that needs more than kWmfMaxUnits either way.
WmfUnits WmfUnitsOf(const MetafileOptions& options);

// The character set a WMF font record carries: the texts are Shift-JIS
// bytes, so the default character set (which means Shift-JIS only on a
// Japanese system) is written as Shift-JIS.
std::uint8_t WmfCharSet(std::uint8_t char_set);

}  // namespace kartela::gdi
