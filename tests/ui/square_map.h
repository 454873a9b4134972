// A small base map for the map-window tests: square areas in a row, each
// anchored at its centre, written as the bytes of a .IDT file.
#pragma once

#include <string>
#include <vector>

#include "model/area_list.h"
#include "model/test_support.h"

namespace kartela::test {

inline constexpr int kSquareSide = 20;
inline constexpr int kSquareGap = 10;
inline constexpr int kSquareTop = 10;

// The left edge of area `area` (1-based).
inline int SquareLeft(int area) {
  return kSquareGap + (area - 1) * (kSquareSide + kSquareGap);
}

inline MapPoint SquareAnchor(int area) {
  return {static_cast<std::int16_t>(SquareLeft(area) + kSquareSide / 2),
          static_cast<std::int16_t>(kSquareTop + kSquareSide / 2)};
}

// The file: title, one line per area (UTF-8 names), the end marker, then a
// separator and the four corners of each square, and a closing separator.
// The first separator's 0 byte starts the point section.
inline std::string SquaresIdt(const std::vector<std::string>& names) {
  std::string bytes = Sjis("四角の地図") + "\r\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    const MapPoint anchor = SquareAnchor(static_cast<int>(i + 1));
    bytes +=
        Sjis(names[i]) + "=" + std::to_string(anchor.x) + "," + std::to_string(anchor.y) + "\r\n";
  }
  bytes += "@STARTOFPOINTS\r\n";
  const auto record = [&bytes](int x, int y) {
    for (const int v : {x, y}) {
      bytes += static_cast<char>(v & 0xFF);
      bytes += static_cast<char>((v >> 8) & 0xFF);
    }
  };
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int left = SquareLeft(static_cast<int>(i + 1));
    const int right = left + kSquareSide;
    const int bottom = kSquareTop + kSquareSide;
    record(0, 0);
    record(left, kSquareTop);
    record(right, kSquareTop);
    record(right, bottom);
    record(left, bottom);
  }
  record(0, 0);
  return bytes;
}

}  // namespace kartela::test
