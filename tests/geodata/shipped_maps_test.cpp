// The base maps and sample data shipped in basemaps/, read as the program
// reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>

#include "geodata/basemap/map_builder.h"
#include "geodata/basemap/map_runs.h"
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
      names.push_back(kartela::test::Sjis(line.substr(line.find('\t') + 1)));
  }
  return names;
}

TEST(ShippedMapsTest, EveryMapReadsAndStaysWithinTheFormat) {
  const auto maps = ShippedMaps();
  EXPECT_GE(maps.size(), 6u);
  for (const auto& path : maps) {
    SCOPED_TRACE(path.filename().string());
    BaseMap map;
    ASSERT_TRUE(ReadBaseMap(path, map).ok());
    kartela::test::ExpectLikeShippedMaps(map);
  }
}

TEST(ShippedMapsTest, JapanHasTheFortySevenPrefecturesInCodeOrder) {
  BaseMap map;
  ASSERT_TRUE(ReadBaseMap(kBaseMaps / "全国２.IDT", map).ok());
  EXPECT_EQ(map.MapAreaNames, TableNames(kSource / "tools" / "recipes" / "japan.names"));
  ASSERT_EQ(map.MapAreaCount(), 47);
  EXPECT_EQ(map.MapAreaNames.front(), kartela::test::Sjis("北海道"));
  EXPECT_EQ(map.MapAreaNames.back(), kartela::test::Sjis("沖縄県"));
  const BaseMapFigures figures = Summarise(map);
  EXPECT_LT(figures.records, 40000);
  EXPECT_TRUE(figures.anchors_on_edge.empty());  // every first anchor strictly inside
  EXPECT_TRUE(figures.misplaced_anchors.empty());
}

TEST(ShippedMapsTest, PopulationSampleHasAValueForEveryPrefecture) {
  kartela::test::RecordingReporter reporter;
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(kBaseMaps / "人口2020.DAT", kBaseMaps, areas, data, reporter));
  EXPECT_EQ(areas.AreaCount(), 47);
  EXPECT_EQ(data.DataTitle, kartela::test::Sjis("都道府県別人口（2020年国勢調査）"));
  const long long total =
      std::accumulate(data.DataValues.begin(), data.DataValues.begin() + 47, 0LL,
                      [](long long sum, const std::string& v) { return sum + std::stoll(v); });
  EXPECT_EQ(total, 126146099);
  EXPECT_EQ(data.DataValues[12], "14047594");  // 東京都
  EXPECT_TRUE(data.DataValues[47].empty());
}

struct ShippedMap {
  const char* map;
  const char* names;  // its name table in tools/recipes
  const char* data;   // its area data
};

constexpr ShippedMap kMapsWithAreaData[] = {
    {"米国.IDT", "us-states.names", "米国面積.DAT"},
    {"米国郡.IDT", "us-counties.names", "米国郡面積.DAT"},
    {"世界.IDT", "world.names", "世界面積.DAT"},
    {"フランス.IDT", "france.names", "フランス面積.DAT"},
    {"イタリア.IDT", "italy.names", "イタリア面積.DAT"},
};

// Each map names its areas as its name table does, in its order, and its area
// data file has a value for every area and no more.
TEST(ShippedMapsTest, MapsAreNamedByTheirTablesAndHaveAreaData) {
  for (const ShippedMap& shipped : kMapsWithAreaData) {
    SCOPED_TRACE(shipped.map);
    BaseMap map;
    ASSERT_TRUE(ReadBaseMap(kBaseMaps / shipped.map, map).ok());
    EXPECT_EQ(map.MapAreaNames, TableNames(kSource / "tools" / "recipes" / shipped.names));
    kartela::test::RecordingReporter reporter;
    AreaList areas;
    DataSet data;
    ASSERT_TRUE(ReadDataFile(kBaseMaps / shipped.data, kBaseMaps, areas, data, reporter));
    EXPECT_EQ(areas.CurrentBaseMapFile, kartela::test::Sjis(shipped.map));
    ASSERT_EQ(areas.AreaCount(), map.MapAreaCount());
    for (int a = 0; a < areas.AreaCount(); ++a)
      EXPECT_GT(std::stod(data.DataValues[a]), 0) << "area " << a + 1;
    EXPECT_TRUE(data.DataValues[areas.AreaCount()].empty());
  }
}

// Known areas by name and place, and their land area within 1 % of the
// published figure where the sources agree on what the area holds.
TEST(ShippedMapsTest, KnownAreasHaveTheirNamesAndAreas) {
  struct Known {
    const char* data;
    int index;  // 0-based position in the map's order, -1 where the test does not care
    const char* name;
    double published_km2;  // 0: not compared
  };
  const Known known[] = {
      {"米国面積.DAT", 1, "アラスカ", 0},  // FIPS 02
      {"米国面積.DAT", 5, "コロラド", 269601},
      {"米国郡面積.DAT", 0, "Autauga, AL", 1565},
      // Japan's 377,975 km² less the 4,996 km² of the islands the source
      // draws as Russia's.
      {"世界面積.DAT", -1, "日本", 372979},
      {"世界面積.DAT", -1, "ロシア連邦", 17098246},
      {"フランス面積.DAT", 95, "Val-d'Oise", 0},
      {"フランス面積.DAT", -1, "Gironde", 9976},
      {"イタリア面積.DAT", -1, "Bolzano", 7398},
  };
  for (const Known& k : known) {
    SCOPED_TRACE(k.name);
    kartela::test::RecordingReporter reporter;
    AreaList areas;
    DataSet data;
    ASSERT_TRUE(ReadDataFile(kBaseMaps / k.data, kBaseMaps, areas, data, reporter));
    const std::string name = kartela::test::Sjis(k.name);
    const auto found = std::find(areas.AreaNames.begin(), areas.AreaNames.end(), name);
    ASSERT_NE(found, areas.AreaNames.end());
    const auto index = found - areas.AreaNames.begin();
    if (k.index >= 0) {
      EXPECT_EQ(index, k.index);
    }
    if (k.published_km2 > 0) {
      EXPECT_NEAR(std::stod(data.DataValues[index]), k.published_km2, k.published_km2 / 100);
    }
  }
}

}  // namespace
}  // namespace kartela::basemap
