// What the EMF and WMF writers share. They keep the state the drawing code
// asks for and, before each drawing call, write records only for the values
// that differ from what the file holds, so a paint routine that reselects
// the same pen for every area costs nothing in the file. A record that cannot
// be written (libUEMF refuses to build it, or the format cannot hold what it
// says) makes the whole file fail: the first such failure is kept, later
// drawing calls write nothing, and Finish returns the failure instead of a
// file with a record missing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "gdi/device_context.h"

namespace kartela::gdi {

// Object slots of a metafile: each new object takes the lowest free index.
class ObjectSlots {
 public:
  explicit ObjectSlots(std::uint32_t first) : first_(first) {}
  std::uint32_t Take();
  void Release(std::uint32_t index);
  // One past the highest index ever used.
  std::uint32_t End() const { return first_ + static_cast<std::uint32_t>(used_.size()); }

 private:
  std::uint32_t first_;
  std::vector<bool> used_;
};

class MetafileWriter : public DeviceContext {
 public:
  // `measurer` (may be null) answers TextExtent and spaces the characters
  // of the written texts; without it texts are spaced by a guess (full-width
  // characters as wide as the font is high, others half as wide) and
  // TextExtent fails, as on any target that cannot measure.
  explicit MetafileWriter(DeviceContext* measurer) : measurer_(measurer) {}

  void SelectPen(const Pen& pen) override { wanted_.pen = pen; }
  void SelectBrush(const Brush& brush) override { wanted_.brush = brush; }
  void SelectFont(const LogFont& font) override { wanted_.font = font; }
  void SetTextColor(Color color) override { wanted_.text_color = color; }
  void SetBackgroundColor(Color color) override { wanted_.background_color = color; }
  void SetBackgroundMode(BackgroundMode mode) override { wanted_.background_mode = mode; }
  void SetTextAlign(std::uint32_t align) override { wanted_.text_align = align; }
  void SetFillMode(FillMode mode) override { wanted_.fill_mode = mode; }
  void SetRasterOp(RasterOp op) override { wanted_.raster_op = op; }
  std::optional<Size> TextExtent(std::string_view text) override;

  // Ends the file and returns its bytes, or the first failure; the writer
  // takes no calls after.
  StatusOr<std::string> Finish();

 protected:
  // Appends the end-of-file record, completes the header and gives the
  // bytes; called by Finish only while nothing has failed.
  virtual std::string EndFile() = 0;
  // Keeps `failure` unless an earlier one is kept.
  void Fail(Status failure);
  bool failed() const { return !failure_.ok(); }

  // Selects a pen and a brush of the file's own (a fresh device context's)
  // right after the header, so that no reader draws with a default of its
  // own: some have no pen or a hollow brush until one is selected.
  void SelectStartingObjects();
  // Writes what differs between the wanted state and the file's.
  void SyncState();
  const DeviceState& wanted() const { return wanted_; }
  // The advance of each Shift-JIS character of `text` in logical units.
  std::vector<std::int32_t> CharacterAdvances(std::string_view text);

  virtual void WritePen(const Pen& pen) = 0;
  virtual void WriteBrush(const Brush& brush) = 0;
  virtual void WriteFont(const LogFont& font) = 0;
  virtual void WriteTextColor(Color color) = 0;
  virtual void WriteBackgroundColor(Color color) = 0;
  virtual void WriteBackgroundMode(BackgroundMode mode) = 0;
  virtual void WriteTextAlign(std::uint32_t align) = 0;
  virtual void WriteFillMode(FillMode mode) = 0;
  virtual void WriteRasterOp(RasterOp op) = 0;

 private:
  DeviceState wanted_;
  DeviceState written_;  // a fresh device context's, but no font yet
  bool font_written_ = false;
  DeviceContext* measurer_;
  Status failure_;
};

}  // namespace kartela::gdi
