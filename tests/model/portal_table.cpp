#include "portal_table.h"

#include <cstdio>

#include "base/text_encoding.h"
#include "model/data_file.h"
#include "test_support.h"

namespace kartela::test {
namespace {

// "1234567" as "1,234,567".
std::string Grouped(const std::string& digits) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace

PopulationSample ReadPopulationSample(const std::filesystem::path& basemaps) {
  PopulationSample sample;
  RecordingReporter reporter;
  ReadDataFile(basemaps / "人口2020.DAT", basemaps, sample.areas, sample.data, reporter);
  return sample;
}

TableCells PortalTable(const PopulationSample& sample) {
  TableCells rows = {{"都道府県別人口"},
                     {"調査年：2020年"},
                     {"単位：人"},
                     {"地域コード", "地域", "人口（人）", "備考"},
                     {"00000", "全国", "126,146,099"}};
  for (int area = sample.areas.AreaCount(); area >= 1; --area) {
    std::string name = sjis::ToUtf8Lossy(sample.areas.AreaNames[area - 1]);
    for (const std::string suffix : {"都", "府", "県"}) {
      if (area % 2 == 1 && name.ends_with(suffix)) name.resize(name.size() - suffix.size());
    }
    std::string value = Grouped(sample.data.DataValues[area - 1]);
    if (area == kDashArea) value = "-";
    if (area == kSecretArea) value = "***";
    char code[16];
    std::snprintf(code, sizeof code, "%02d000", area);
    rows.push_back({code, name, value});
  }
  return rows;
}

std::string CsvOf(const TableCells& cells) {
  std::string csv;
  for (const auto& row : cells) {
    for (std::size_t i = 0; i < row.size(); ++i)
      csv += (i == 0 ? "\"" : ",\"") + row[i] + "\"";
    csv += "\r\n";
  }
  return csv;
}

}  // namespace kartela::test
