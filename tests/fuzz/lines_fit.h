// What the fuzz targets of line-based readers share.
#pragma once

#include <string>
#include <string_view>

#include "base/line_reader.h"

namespace kartela::fuzz {

// Whether every line of `text` fits a line the readers take whole; a longer
// one (a very long directory or command) is cut when read back.
inline bool AllLinesFit(std::string_view text) {
  LineReader reader(text);
  std::string line;
  while (reader.Next(line)) {
    if (reader.LastLineWasCut()) return false;
  }
  return true;
}

}  // namespace kartela::fuzz
