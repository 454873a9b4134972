#include "base/line_reader.h"

#include <algorithm>

namespace kartela {

bool LineReader::Next(std::string& line) {
  if (offset_ >= text_.size()) return false;
  const std::size_t end = std::min(text_.find_first_of("\r\n", offset_), text_.size());
  const std::size_t length = end - offset_;
  last_cut_ = length > kMaxLineLength;
  line.assign(text_.substr(offset_, std::min(length, kMaxLineLength)));
  offset_ = end;
  if (offset_ < text_.size()) {
    const bool carriage_return = text_[offset_] == '\r';
    ++offset_;
    if (carriage_return && offset_ < text_.size() && text_[offset_] == '\n') ++offset_;
  }
  return true;
}

}  // namespace kartela
