// The shipped population sample laid out as the statistics portal publishes
// such tables, for the tests that read tables.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela::test {

using TableCells = std::vector<std::vector<std::string>>;  // UTF-8

// Areas whose value the table gives as the portal's marks for missing values.
inline constexpr int kDashArea = 5;     // "-"
inline constexpr int kSecretArea = 13;  // "***"

struct PopulationSample {
  AreaList areas;
  DataSet data;
};

// 人口2020.DAT of `basemaps` with its base map's areas; no areas when it
// cannot be read.
PopulationSample ReadPopulationSample(const std::filesystem::path& basemaps);

// Three lines about the table, the header (地域コード, 地域, 人口（人）, 備考)
// on row 4, a 全国 total on row 5, then the prefectures in reverse order with
// 01000-style codes, every other name without its 都/府/県, and the values
// with thousands separators, kDashArea and kSecretArea marked.
TableCells PortalTable(const PopulationSample& sample);

// `cells` as CSV text, every cell quoted, CR LF line ends.
std::string CsvOf(const TableCells& cells);

}  // namespace kartela::test
