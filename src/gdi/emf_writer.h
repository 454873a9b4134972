// A device context that writes an EMF: every drawing call becomes records,
// texts are UTF-16 text records with the face names as the font records hold
// them, hatched and pattern brushes are real brushes.
#pragma once

#include <string>

#include "gdi/metafile_options.h"
#include "gdi/metafile_writer.h"

namespace kartela::gdi {

class EmfWriter final : public MetafileWriter {
 public:
  explicit EmfWriter(const MetafileOptions& options, DeviceContext* measurer = nullptr);

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
  // Selects the new object `index` in place of `*current` and deletes that.
  void Replace(std::uint32_t* current, std::uint32_t index);

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
  std::uint32_t records_ = 0;
  ObjectSlots slots_{1};
  std::uint32_t pen_ = 0;  // 0: the stock object is selected
  std::uint32_t brush_ = 0;
  std::uint32_t font_ = 0;
};

}  // namespace kartela::gdi
