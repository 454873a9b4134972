#include "gdi/metafile_writer.h"

#include <algorithm>
#include <cstdlib>

#include "base/text_encoding.h"

namespace kartela::gdi {

std::uint32_t ObjectSlots::Take() {
  const auto free = std::find(used_.begin(), used_.end(), false);
  const auto index = static_cast<std::uint32_t>(free - used_.begin());
  if (free == used_.end()) {
    used_.push_back(true);
  } else {
    *free = true;
  }
  return first_ + index;
}

void ObjectSlots::Release(std::uint32_t index) {
  if (index >= first_ && index < End()) used_[index - first_] = false;
}

StatusOr<std::string> MetafileWriter::Finish() {
  if (failed()) return failure_;
  std::string bytes = EndFile();
  if (failed()) return failure_;
  return bytes;
}

void MetafileWriter::Fail(Status failure) {
  if (!failed()) failure_ = std::move(failure);
}

std::optional<Size> MetafileWriter::TextExtent(std::string_view text) {
  if (measurer_ == nullptr) return std::nullopt;
  measurer_->SelectFont(wanted_.font);
  return measurer_->TextExtent(text);
}

void MetafileWriter::SelectStartingObjects() {
  WritePen(written_.pen);
  WriteBrush(written_.brush);
}

void MetafileWriter::SyncState() {
  if (wanted_.pen != written_.pen) WritePen(wanted_.pen);
  if (wanted_.brush != written_.brush) WriteBrush(wanted_.brush);
  if (!font_written_ || wanted_.font != written_.font) WriteFont(wanted_.font);
  if (wanted_.text_color != written_.text_color) WriteTextColor(wanted_.text_color);
  if (wanted_.background_color != written_.background_color) {
    WriteBackgroundColor(wanted_.background_color);
  }
  if (wanted_.background_mode != written_.background_mode) {
    WriteBackgroundMode(wanted_.background_mode);
  }
  if (wanted_.text_align != written_.text_align) WriteTextAlign(wanted_.text_align);
  if (wanted_.fill_mode != written_.fill_mode) WriteFillMode(wanted_.fill_mode);
  if (wanted_.raster_op != written_.raster_op) WriteRasterOp(wanted_.raster_op);
  written_ = wanted_;
  font_written_ = true;
}

std::vector<std::int32_t> MetafileWriter::CharacterAdvances(std::string_view text) {
  std::vector<std::int32_t> advances;
  const std::int32_t height = std::abs(wanted_.font.Height);
  std::int32_t measured_before = 0;
  for (std::size_t end = 0; end < text.size();) {
    const bool wide = sjis::IsLeadByte(static_cast<unsigned char>(text[end]));
    end = std::min(text.size(), end + (wide ? 2 : 1));
    const std::optional<Size> prefix = TextExtent(text.substr(0, end));
    if (prefix) {
      advances.push_back(prefix->cx - measured_before);
      measured_before = prefix->cx;
    } else {
      advances.push_back(wide ? height : height / 2);
    }
  }
  return advances;
}

}  // namespace kartela::gdi
