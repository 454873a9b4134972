// Land areas on the ellipsoid and the data file a recipe writes of them.
#include "geodata/basemap/land_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <string>

#include "geodata/basemap/gdal_source.h"
#include "geodata/basemap/map_builder.h"
#include "geodata/basemap/recipe_runner.h"
#include "model/data_file.h"
#include "model/test_support.h"
#include "tiny_database.h"

namespace kartela::basemap {
namespace {

using namespace kartela::test;

// A cell of 1° by 1° at the equator on WGS84, in km².
constexpr double kEquatorCell = 12308.78;

std::vector<GeoPoint> Radians(const Degrees& ring) {
  std::vector<GeoPoint> points;
  for (const auto& [lon, lat] : ring)
    points.push_back({lon * std::numbers::pi / 180, lat * std::numbers::pi / 180});
  return points;
}

void ExpectWithinPermille(double actual, double expected) {
  EXPECT_NEAR(actual, expected, expected / 1000);
}

TEST(LandAreaTest, RingsMeasureTheirKnownAreasAndTheTextsKeepThreeDigits) {
  const struct {
    const char* what;
    Degrees ring;
    double km2;
  } rings[] = {
      {"a cell at the equator", Square(0, 0, 1), kEquatorCell},
      {"the same cell turning the other way", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, kEquatorCell},
      {"a cell across the date line",
       {{179.5, 0}, {-179.5, 0}, {-179.5, 1}, {179.5, 1}},
       kEquatorCell},
      {"a quarter cell", Square(0, 0, 0.5), kEquatorCell / 4},
  };
  for (const auto& ring : rings) {
    SCOPED_TRACE(ring.what);
    ExpectWithinPermille(RingArea(Radians(ring.ring)), ring.km2);
  }
  const std::pair<double, const char*> texts[] = {
      {377972.4, "377972"}, {99.5, "100"}, {2.49, "2"}, {0.44, "0"}, {0, "0"},
  };
  for (const auto& [km2, text] : texts)
    EXPECT_EQ(LandAreaText(km2), text) << km2;
}

TEST(LandAreaTest, PolygonsOmittedOrInInsetsCountAndHoleMarkersCountOut) {
  TinyDatabase db;
  db.AddRing("Outer", Square(0, 0, 2));
  db.AddRing("Outer:enclave", Square(0.5, 0.5, 1));  // marks where Inner lies
  db.AddRing("Inner", Square(0.5, 0.5, 1));
  db.AddRing("Outer:far", Square(10, 0, 1));
  db.AddRing("Outer:near", Square(4, 0, 1));
  Recipe recipe;
  recipe.title = "t";
  recipe.projection = "+proj=eqc";
  recipe.width = recipe.height = 500;
  recipe.frame = {10, 10, 490, 490};
  recipe.omissions.push_back(Selection{{}, GeoBox{9, -1, 12, 2}});
  recipe.insets.push_back(InsetRecipe{{{"Outer"}, {3, -1, 6, 2}}, {20, 300, 200, 480}, 0.5, ""});
  const auto map = BuildBaseMap(recipe, db.Parse(), nullptr);
  ASSERT_TRUE(map.ok()) << map.status().detail();
  ASSERT_EQ(map->areas.size(), 2u);
  const double square_of_two = RingArea(Radians(Square(0, 0, 2)));
  const double enclave = RingArea(Radians(Square(0.5, 0.5, 1)));
  ExpectWithinPermille(map->areas[0].land_area, square_of_two - enclave + 2 * kEquatorCell);
  ExpectWithinPermille(map->areas[1].land_area, enclave);
}

// Areas 10 (with a hole), 20 (two rows, one of them omitted) and é1 (tiny),
// 91 and 92 to leave out by prefix and a row without a code.
constexpr const char* kGeoJson = R"({"type": "FeatureCollection", "features": [
{"type": "Feature", "properties": {"code": "10"}, "geometry": {"type": "Polygon", "coordinates":
  [[[0, 0], [1, 0], [1, 1], [0, 1], [0, 0]],
   [[0.25, 0.25], [0.25, 0.75], [0.75, 0.75], [0.75, 0.25], [0.25, 0.25]]]}},
{"type": "Feature", "properties": {"code": "20"}, "geometry": {"type": "Polygon", "coordinates":
  [[[3, 0], [4, 0], [4, 1], [3, 1], [3, 0]]]}},
{"type": "Feature", "properties": {"code": "91"}, "geometry": {"type": "Polygon", "coordinates":
  [[[6, 0], [7, 0], [7, 1], [6, 1], [6, 0]]]}},
{"type": "Feature", "properties": {"code": "é1"}, "geometry": {"type": "Polygon", "coordinates":
  [[[1.5, 0], [1.55, 0], [1.55, 0.05], [1.5, 0.05], [1.5, 0]]]}},
{"type": "Feature", "properties": {"code": "20"}, "geometry": {"type": "Polygon", "coordinates":
  [[[8, 0], [9, 0], [9, 1], [8, 1], [8, 0]]]}},
{"type": "Feature", "properties": {"code": "92"}, "geometry": {"type": "Polygon", "coordinates":
  [[[6, 2], [7, 2], [7, 3], [6, 3], [6, 2]]]}},
{"type": "Feature", "properties": {"code": null}, "geometry": {"type": "Polygon", "coordinates":
  [[[6, 4], [7, 4], [7, 5], [6, 5], [6, 4]]]}}
]})";

TEST(LandAreaTest, ARecipeOnABoundaryFileWritesTheLandAreasOfItsAreasInNameTableOrder) {
  const ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "data");
  dir.Write("data/a.geojson", kGeoJson);
  dir.Write("t.names", "20\t二十\né1\tイー\n10\t十\n");
  const auto recipe = ParseRecipe(
      "output = t.IDT\ntitle = テスト\nsource = a.geojson\nname_field = code\nnames = t.names\n"
      "order = names\nexclude = 9*\nprojection = +proj=eqc\nsize = 400 300\nlegend = 20 250\n"
      "data = 面積.DAT\ndata_title = 面積（平方キロメートル）\n"
      "[omit]\nregions = 20\nbounds = 7.5 -1 9.5 2\n",
      dir.path());
  ASSERT_TRUE(recipe.ok()) << recipe.status().detail();
  const auto output = RunRecipe(*recipe, dir.path() / "data");
  ASSERT_TRUE(output.ok()) << output.status().detail();
  EXPECT_EQ(output->notes, std::vector<std::string>{"row 7: no name; left out"});
  dir.Write("t.IDT", output->map_bytes);
  dir.Write("面積.DAT", output->data_bytes);

  RecordingReporter reporter;
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(dir.path() / "面積.DAT", dir.path(), areas, data, reporter));
  EXPECT_EQ(areas.AreaNames, (std::vector<std::string>{Sjis("二十"), Sjis("イー"), Sjis("十")}));
  EXPECT_EQ(data.DataTitle, Sjis("面積（平方キロメートル）"));
  ExpectWithinPermille(std::stod(data.DataValues[0]), 2 * kEquatorCell);
  EXPECT_EQ(data.DataValues[1], "31");
  ExpectWithinPermille(std::stod(data.DataValues[2]), kEquatorCell * 3 / 4);
  EXPECT_TRUE(data.DataValues[3].empty());
}

TEST(LandAreaTest, APolygonStitchedAcrossTheDateLineIsCutThereAndKeepsItsArea) {
  const ScratchDir dir;
  // A cell from 179.5° east to 179.5° west, with a hole across the meridian
  // too, as world atlases stitch them; and a cell that stays as it is.
  SourceRequest request;
  request.path = dir.Write("a.geojson", R"({"type": "FeatureCollection", "features": [
{"type": "Feature", "properties": {"code": "x"}, "geometry": {"type": "Polygon", "coordinates":
  [[[179.5, 0], [-179.5, 0], [-179.5, 1], [179.5, 1], [179.5, 0]],
   [[179.75, 0.25], [179.75, 0.75], [-179.75, 0.75], [-179.75, 0.25], [179.75, 0.25]]]}},
{"type": "Feature", "properties": {"code": "y"}, "geometry": {"type": "Polygon", "coordinates":
  [[[0, 0], [1, 0], [1, 1], [0, 1], [0, 0]]]}}]})");
  request.name_field = "code";
  const auto source = ReadSourceAreas(request);
  ASSERT_TRUE(source.ok()) << source.status().detail();
  ASSERT_EQ(source->areas.size(), 2u);
  const SourceArea& cut = source->areas[0];
  EXPECT_EQ(cut.rings.size(), 2u);
  for (const auto& ring : cut.rings) {  // each half a degree wide, not round the globe
    double west = ring.front().lon, east = west;
    for (const GeoPoint& p : ring)
      west = std::min(west, p.lon), east = std::max(east, p.lon);
    EXPECT_LE(east - west, 0.5 * std::numbers::pi / 180 + 1e-9);
  }
  ExpectWithinPermille(cut.land_area, kEquatorCell * 3 / 4);
  EXPECT_EQ(source->areas[1].rings.size(), 1u);
  ExpectWithinPermille(source->areas[1].land_area, kEquatorCell);
}

}  // namespace
}  // namespace kartela::basemap
