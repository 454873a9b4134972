// One statistical data set: a title and one value text per area.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "model/area_list.h"

namespace kartela {

inline constexpr std::size_t kMaxValueBytes = 11;
inline constexpr std::size_t kMaxTitleBytes = 255;

// The numeric form of a value text that does not convert.
inline constexpr double kMissingValue = -1.7e38;

struct DataSet {
  std::string DataTitle;  // Shift-JIS, at most kMaxTitleBytes
  // Value text of area n at DataValues[n - 1], as typed or read (Shift-JIS,
  // at most kMaxValueBytes); an empty text is an area without a value. The
  // table always has kMaxAreas slots; only 1..AreaCount are shown or saved.
  std::vector<std::string> DataValues = std::vector<std::string>(kMaxAreas);
  // Lines after the last area's value in the file the data were read from
  // (a source, a remark), kept whole and written back after the values.
  std::vector<std::string> DataNotes;
  std::filesystem::path DataFileName;  // empty for new data
  bool DataModified = false;
  // The file DataFileName was read as UTF-8; saving writes it as Shift-JIS.
  bool DataReadAsUtf8 = false;
};

}  // namespace kartela
