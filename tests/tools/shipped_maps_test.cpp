// The base maps and sample data shipped in basemaps/, read as the program
// reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "basemap/map_builder.h"
#include "basemap/map_runs.h"
#include "map_checks.h"
#include "model/base_map_file.h"
#include "model/data_file.h"
#include "model/test_support.h"

namespace kartela::basemap {
namespace {

const std::filesystem::path kSource = KARTELA_SOURCE_DIR;
const std::filesystem::path kBaseMaps = kSource / "basemaps";

std::vector<std::filesystem::path> ShippedMaps() {
  std::vector<std::filesystem::path> maps;
  for (const auto& entry : std::filesystem::directory_iterator(kBaseMaps)) {
    if (entry.path().extension() == ".IDT") maps.push_back(entry.path());
  }
  return maps;
}

// The displayed names of the name table, in its order.
std::vector<std::string> TableNames(const std::filesystem::path& path) {
  std::vector<std::string> names;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#')
      names.push_back(kartela::testing::Sjis(line.substr(line.find('\t') + 1)));
  }
  return names;
}

TEST(ShippedMapsTest, EveryMapReadsAndStaysWithinTheFormat) {
  const auto maps = ShippedMaps();
  EXPECT_GE(maps.size(), 6u);
  for (const auto& path : maps) {
    SCOPED_TRACE(path.filename().string());
    BaseMap map;
    ASSERT_EQ(ReadBaseMap(path, map), BaseMapStatus::kOk);
    kartela::testing::ExpectLikeShippedMaps(map);
  }
}

TEST(ShippedMapsTest, JapanHasTheFortySevenPrefecturesInCodeOrder) {
  BaseMap map;
  ASSERT_EQ(ReadBaseMap(kBaseMaps / "全国２.IDT", map), BaseMapStatus::kOk);
  EXPECT_EQ(map.MapAreaNames, TableNames(kSource / "tools" / "recipes" / "japan.names"));
  ASSERT_EQ(map.MapAreaCount(), 47);
  EXPECT_EQ(map.MapAreaNames.front(), kartela::testing::Sjis("北海道"));
  EXPECT_EQ(map.MapAreaNames.back(), kartela::testing::Sjis("沖縄県"));
  const BaseMapFigures figures = Summarise(map);
  EXPECT_LT(figures.records, 40000);
  EXPECT_TRUE(figures.anchors_on_edge.empty());  // every first anchor strictly inside
  EXPECT_TRUE(figures.misplaced_anchors.empty());
}

TEST(ShippedMapsTest, PopulationSampleHasAValueForEveryPrefecture) {
  kartela::testing::RecordingReporter reporter;
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(kBaseMaps / "人口2020.DAT", kBaseMaps, areas, data, reporter));
  EXPECT_EQ(areas.AreaCount(), 47);
  EXPECT_EQ(data.DataTitle, kartela::testing::Sjis("都道府県別人口（2020年国勢調査）"));
  const long long total =
      std::accumulate(data.DataValues.begin(), data.DataValues.begin() + 47, 0LL,
                      [](long long sum, const std::string& v) { return sum + std::stoll(v); });
  EXPECT_EQ(total, 126146099);
  EXPECT_EQ(data.DataValues[12], "14047594");  // 東京都
  EXPECT_TRUE(data.DataValues[47].empty());
}

}  // namespace
}  // namespace kartela::basemap
