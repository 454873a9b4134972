// Reads a text held in memory line by line, as the readers of settings,
// base-map headers and data files do.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kartela {

// Longest line a text reader keeps; the rest of a longer line is skipped.
inline constexpr std::size_t kMaxLineLength = 255;

// A line ends at LF, CR LF or a lone CR. A final line without an ending is
// still a line; an empty text, or a text that ends with a line ending, has no
// further empty line after it.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // The next line without its ending, cut to kMaxLineLength bytes; false at
  // the end of the text.
  bool Next(std::string& line);

  // Offset of the first byte after the ending of the last line read.
  std::size_t Offset() const { return offset_; }

  // Whether the last line read was longer than kMaxLineLength and cut.
  bool LastLineWasCut() const { return last_cut_; }

 private:
  std::string_view text_;
  std::size_t offset_ = 0;
  bool last_cut_ = false;
};

}  // namespace kartela
