// kartela-basemap import, run on boundary files the tests write with GDAL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "base/text_encoding.h"
#include "boundary_fixtures.h"
#include "geodata/basemap/import_command.h"
#include "geodata/basemap/importer.h"
#include "geodata/basemap/map_builder.h"
#include "geodata/basemap/map_runs.h"
#include "map_checks.h"
#include "model/base_map_file.h"
#include "model/data_file.h"
#include "model/test_support.h"

namespace kartela::basemap {
namespace {

using namespace kartela::test;

constexpr int kFukuoka = 40;
constexpr int kKagoshima = 46;
constexpr int kNagasaki = 42;

std::string Contents(std::FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;)
    text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
  BaseMap map;
};

Outcome Import(const ScratchDir& dir, const std::filesystem::path& source,
               std::vector<std::string> args) {
  args.insert(args.begin(), source.string());
  args.insert(args.end(), {"--out", (dir.path() / "out.IDT").string()});
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Outcome outcome;
  outcome.status = RunImportCommand(args, out, err);
  outcome.out = Contents(out);
  outcome.err = Contents(err);
  if (outcome.status == 0) {
    EXPECT_TRUE(ReadBaseMap(dir.path() / "out.IDT", outcome.map).ok());
  }
  return outcome;
}

std::vector<std::string> SjisNames(const std::vector<BoundaryRow>& rows) {
  std::vector<std::string> names;
  for (const BoundaryRow& row : rows)
    names.push_back(Sjis(row.name));
  return names;
}

int OutlineCount(const BaseMap& map, int area) {
  const auto& anchors = map.AreaAnchors[area];
  return static_cast<int>(
      std::count_if(anchors.begin(), anchors.end(), [](const MapPoint& p) { return p.x >= 1; }));
}

bool HasInsetFrame(const BaseMap& map) {
  const auto runs = WalkRuns(map);
  return std::any_of(runs.begin(), runs.end(),
                     [](const MapRun& run) { return run.code == kFrameLine; });
}

TEST(ImportTest, BoundaryFilesOfEveryKindBecomeMapsLikeTheShippedOnes) {
  struct Case {
    FixtureFormat format;
    bool row_per_part;
    const char* encoding_read;
    std::vector<std::string> more_args;
  };
  const Case cases[] = {
      {{"ESRI Shapefile", "plain.shp", FixtureText::kCp932WithoutCpg, 4612}, true, "cp932", {}},
      {{"ESRI Shapefile", "cpg.shp", FixtureText::kCp932WithCpg, 6668}, false, "cp932", {}},
      {{"GPKG", "plane.gpkg", FixtureText::kUtf8, 6670},
       false,
       "utf-8",
       {"--projection", "EPSG:6670"}},
      {{"GeoJSON", "lonlat.geojson", FixtureText::kUtf8, 4326},
       true,
       "utf-8",
       {"--inset-below-lat", "31"}},
  };
  const std::vector<BoundaryRow> kyushu = ShippedPrefectures(kFukuoka, kKagoshima);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format.file);
    const ScratchDir dir;
    std::vector<BoundaryRow> rows = c.row_per_part ? OneRowPerPart(kyushu) : kyushu;
    std::reverse(rows.begin(), rows.end());
    const auto source = WriteBoundaryFile(dir.path(), c.format, rows);
    std::vector<std::string> args = {"--name-field", "NAME",          "--group-field",
                                     "CODE",         "--order-field", "CODE"};
    args.insert(args.end(), c.more_args.begin(), c.more_args.end());
    const Outcome outcome = Import(dir, source, args);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find(std::string("texts read as ") + c.encoding_read), std::string::npos)
        << outcome.out;
    EXPECT_EQ(HasInsetFrame(outcome.map),
              !c.more_args.empty() && c.more_args[0] == "--inset-below-lat");
    EXPECT_EQ(outcome.map.MapAreaNames, SjisNames(kyushu));
    EXPECT_GT(OutlineCount(outcome.map, kNagasaki - kFukuoka), 1);  // its islands kept
    ExpectLikeShippedMaps(outcome.map);
    ExpectSharedBordersIdentical(outcome.map);
  }
}

TEST(ImportTest, InvalidRowsAreRepairedOrLeftOutWithTheirRow) {
  std::vector<BoundaryRow> rows = ShippedPrefectures(kFukuoka, kKagoshima);
  rows.push_back(BoundaryRow{"蝶島", 98, 0, {{{132, 30}, {133, 31}, {133, 30}, {132, 31}}}});
  rows.push_back(BoundaryRow{"空島", 99, 0, {}});
  const ScratchDir dir;
  const auto source =
      WriteBoundaryFile(dir.path(), {"GeoJSON", "invalid.geojson", FixtureText::kUtf8, 4326}, rows);
  const Outcome outcome = Import(dir, source, {"--name-field", "NAME"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.err.find("row 8: invalid geometry repaired"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find("row 9: no geometry; left out"), std::string::npos) << outcome.err;
  ASSERT_EQ(outcome.map.MapAreaCount(), 8);
  EXPECT_EQ(outcome.map.MapAreaNames.back(), Sjis("蝶島"));
  EXPECT_EQ(OutlineCount(outcome.map, 7), 2);  // the bow tie's two triangles
  ExpectLikeShippedMaps(outcome.map);
  ExpectSharedBordersIdentical(outcome.map);
}

std::filesystem::path SquareGrid(const ScratchDir& dir, int count) {
  std::vector<BoundaryRow> rows;
  for (int i = 0; i < count; ++i) {
    const double x = 130 + (i % 60) * 0.1, y = 30 + (i / 60) * 0.1;
    rows.push_back(BoundaryRow{"区" + std::to_string(i + 1),
                               i + 1,
                               0,
                               {{{x, y}, {x + 0.1, y}, {x + 0.1, y + 0.1}, {x, y + 0.1}}}});
  }
  return WriteBoundaryFile(dir.path(), {"GeoJSON", "grid.geojson", FixtureText::kUtf8, 4326}, rows);
}

std::filesystem::path KyushuGeoJson(const ScratchDir& dir) {
  return WriteBoundaryFile(dir.path(), {"GeoJSON", "kyushu.geojson", FixtureText::kUtf8, 4326},
                           ShippedPrefectures(kFukuoka, kKagoshima));
}

std::filesystem::path NameOutsideShiftJis(const ScratchDir& dir) {
  return WriteBoundaryFile(
      dir.path(), {"GeoJSON", "emoji.geojson", FixtureText::kUtf8, 4326},
      {BoundaryRow{"\U0001F5FE県", 1, 0, {{{130, 30}, {131, 30}, {131, 31}}}}});
}

std::filesystem::path KyushuShapefile(const ScratchDir& dir) {
  return WriteBoundaryFile(dir.path(),
                           {"ESRI Shapefile", "kyushu.shp", FixtureText::kCp932WithoutCpg, 4612},
                           ShippedPrefectures(kFukuoka, kKagoshima));
}

TEST(ImportTest, RefusesWhatCannotBeABaseMapSayingWhy) {
  struct Case {
    const char* what;
    std::function<std::filesystem::path(const ScratchDir&)> source;
    std::vector<std::string> args;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {"point layer",
       [](const ScratchDir& dir) { return WritePointFile(dir.path()); },
       {"--name-field", "NAME"},
       {"Point geometries, not polygons"}},
      {"missing field",
       KyushuGeoJson,
       {"--name-field", "NOPE"},
       {"has no field \"NOPE\"", "NAME, CODE, POP"}},
      {"too many areas",
       [](const ScratchDir& dir) { return SquareGrid(dir, kMaxAreas + 1); },
       {"--name-field", "NAME"},
       {"3441 areas are more than a base map holds (3440)", "--group-field"}},
      {"name outside Shift-JIS",
       NameOutsideShiftJis,
       {"--name-field", "NAME"},
       {"row 1: the name", "Shift-JIS cannot hold"}},
      {"text value field",
       KyushuGeoJson,
       {"--name-field", "NAME", "--data-out", "x.DAT", "--value-field", "NAME"},
       {"\"NAME\" is not numeric"}},
      {"names not in the encoding asked for",
       KyushuShapefile,
       {"--name-field", "NAME", "--encoding", "utf-8"},
       {"row 1: the name is not valid utf-8", "row 7:"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScratchDir dir;
    const Outcome outcome = Import(dir, c.source(dir), c.args);
    EXPECT_EQ(outcome.status, 1);
    for (const std::string& text : c.said)
      EXPECT_NE(outcome.err.find(text), std::string::npos) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.IDT"));
  }
}

TEST(ImportTest, ACancelledImportMakesNothing) {
  const ScratchDir dir;
  ImportOptions options;
  options.source.path = KyushuGeoJson(dir);
  options.source.name_field = "NAME";
  long long rows_seen = 0;
  options.source.progress = [&rows_seen](long long done, long long) {
    rows_seen = done;
    return false;
  };
  const auto imported = ImportBaseMap(options);
  ASSERT_FALSE(imported.ok());
  EXPECT_EQ(imported.status().code(), StatusCode::kCancelled);
  EXPECT_EQ(rows_seen, 7);
}

TEST(ImportTest, DataFileListsTheAreasWithTheValuesOfAField) {
  const ScratchDir dir;
  const Outcome outcome = Import(dir, KyushuGeoJson(dir),
                                 {"--name-field", "NAME", "--title", "九州", "--data-out",
                                  (dir.path() / "out.DAT").string(), "--value-field", "POP"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  RecordingReporter reporter;
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(dir.path() / "out.DAT", dir.path(), areas, data, reporter));
  EXPECT_EQ(areas.AreaNames, outcome.map.MapAreaNames);
  EXPECT_EQ(areas.BaseMapTitle, Sjis("九州"));
  EXPECT_EQ(data.DataValues[0], "40000");
  EXPECT_EQ(data.DataValues[6], "46000");
  EXPECT_TRUE(data.DataValues[7].empty());
}

// Import with the name field NAME and `args`.
Outcome ImportNamed(const ScratchDir& dir, const std::filesystem::path& source,
                    const std::vector<std::string>& args) {
  std::vector<std::string> all = {"--name-field", "NAME"};
  all.insert(all.end(), args.begin(), args.end());
  return Import(dir, source, all);
}

// Kyushu's prefectures named as places elsewhere are, in a GeoPackage.
std::filesystem::path ForeignNames(const ScratchDir& dir, const std::vector<std::string>& names) {
  std::vector<BoundaryRow> rows = ShippedPrefectures(kFukuoka, kFukuoka + 6);
  rows.resize(names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    rows[i].name = names[i];
  return WriteBoundaryFile(dir.path(), {"GPKG", "world.gpkg", FixtureText::kUtf8, 4326}, rows);
}

TEST(ImportTest, NamesShiftJisCannotHoldAreTransliteratedOrCutAndListed) {
  const std::vector<std::string> names = {
      "Côte d'Ivoire", "São Tomé and Príncipe",
      "Curaçao",       "Bosnia and Herzegovina Federation (BiH)",
      " X=1; Y ",      "日本"};
  const ScratchDir dir;
  // The value field alone writes the data file beside the map.
  const Outcome outcome =
      Import(dir, ForeignNames(dir, names), {"--name-field", "NAME", "--value-field", "POP"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const std::vector<std::string> written = {
      "Cote d'Ivoire",  "Sao Tome and Principe",
      "Curacao",        "Bosnia and Herzegovina Federation (B",
      Sjis("X＝1； Y"), Sjis("日本")};
  EXPECT_EQ(outcome.map.MapAreaNames, written);
  EXPECT_NE(outcome.err.find("5 names changed to fit a base map (--strict-names refuses them):\n"
                             "row 1: \"Côte d'Ivoire\" → \"Cote d'Ivoire\"\n"
                             "row 2: \"São Tomé and Príncipe\" → \"Sao Tome and Principe\"\n"
                             "row 3: \"Curaçao\" → \"Curacao\"\n"
                             "row 4: \"Bosnia and Herzegovina Federation (BiH)\" → "
                             "\"Bosnia and Herzegovina Federation (B\"\n"
                             "row 5: \" X=1; Y \" → \"X＝1； Y\"\n"),
            std::string::npos)
      << outcome.err;
  RecordingReporter reporter;
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(dir.path() / "out.DAT", dir.path(), areas, data, reporter));
  EXPECT_EQ(areas.AreaNames, written);
  EXPECT_EQ(data.DataValues[0], "40000");
}

TEST(ImportTest, NamesThatCannotBeWrittenOrBecomeOneAreRefusedWithTheirRows) {
  struct Case {
    const char* what;
    std::vector<std::string> names;
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {"two names become one",
       {"Sète", "Lyon", "Sete"},
       {},
       "row 3: the name \"Sete\" would become \"Sete\", as the name \"Sète\" of row 1 does; "
       "another --name-field"},
      {"strict names",
       {"Lyon", "Côte d'Ivoire"},
       {"--strict-names"},
       "row 2: the name \"Côte d'Ivoire\" has a character Shift-JIS cannot hold"},
      {"strict length",
       {"Bosnia and Herzegovina Federation (BiH)"},
       {"--strict-names"},
       "row 1: the name \"Bosnia and Herzegovina Federation (BiH)\" is longer than 36 "
       "Shift-JIS bytes"},
      {"no transliteration", {"Lyon", "ประเทศไทย"}, {}, "row 2: the name \"ประเทศไทย\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScratchDir dir;
    const Outcome outcome = ImportNamed(dir, ForeignNames(dir, c.names), c.args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(c.said), std::string::npos) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.IDT"));
  }
}

// Kyushu in metres of plane rectangular zone II (EPSG:6670), its .prj
// removed, or left in degrees without one.
std::filesystem::path WithoutPrj(const ScratchDir& dir, int epsg) {
  const auto path = WriteBoundaryFile(
      dir.path(), {"ESRI Shapefile", "noprj.shp", FixtureText::kCp932WithCpg, epsg},
      ShippedPrefectures(kFukuoka, kKagoshima));
  std::filesystem::remove(std::filesystem::path(path).replace_extension(".prj"));
  return path;
}

// The map's width over its height, from the extent of its outlines and
// lines of smaller islands.
double Aspect(const BaseMap& map) {
  int left = INT16_MAX, right = 0, top = INT16_MAX, bottom = 0;
  for (const MapRun& run : WalkRuns(map)) {
    for (const MapPoint& p : run.points) {
      if (run.area < 0 && run.code == kFrameLine) continue;
      left = std::min<int>(left, p.x), right = std::max<int>(right, p.x);
      top = std::min<int>(top, p.y), bottom = std::max<int>(bottom, p.y);
    }
  }
  return double(right - left) / (bottom - top);
}

TEST(ImportTest, ASourceWithoutCoordinateSystemIsReadAsTheUserSays) {
  struct Case {
    const char* what;
    int epsg;
    std::vector<std::string> args;
    int status;
    std::string said;
    bool zone_plane = false;  // the map is drawn on the plane of EPSG:6670
  };
  const Case cases[] = {
      {"metres, nothing said", 6670, {}, 1, "--planar takes the numbers as plane coordinates"},
      {"metres, system given", 6670, {"--source-crs", "EPSG:6670"}, 0, "projection +proj=lcc"},
      {"metres, system and projection given",
       6670,
       {"--source-crs", "EPSG:6670", "--projection", "EPSG:6670"},
       0,
       "projection EPSG:6670",
       true},
      {"metres, planar", 6670, {"--planar"}, 0, "projection planar", true},
      {"degrees, nothing said", 4326, {}, 0, "its numbers are taken as longitude and latitude"},
      {"unknown system", 6670, {"--source-crs", "EPSG:1"}, 1, "the coordinate system \"EPSG:1\""},
      {"planar and a projection",
       6670,
       {"--planar", "--projection", "EPSG:6670"},
       2,
       "--planar keeps the source's plane"},
  };
  double zone_aspect = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScratchDir dir;
    const Outcome outcome = ImportNamed(dir, WithoutPrj(dir, c.epsg), c.args);
    ASSERT_EQ(outcome.status, c.status) << outcome.err;
    EXPECT_NE((outcome.out + outcome.err).find(c.said), std::string::npos)
        << outcome.out << outcome.err;
    if (c.status != 0) continue;
    EXPECT_EQ(outcome.map.MapAreaCount(), kKagoshima - kFukuoka + 1) << outcome.err;
    ExpectLikeShippedMaps(outcome.map);
    ExpectSharedBordersIdentical(outcome.map);
    if (!c.zone_plane) continue;
    // The numbers as they are draw the plane they are on.
    if (zone_aspect == 0) zone_aspect = Aspect(outcome.map);
    EXPECT_NEAR(Aspect(outcome.map), zone_aspect, 0.01 * zone_aspect);
  }
}

TEST(ImportTest, TheProjectionChosenSuitsTheExtent) {
  constexpr double kRadians = 3.14159265358979 / 180;
  const struct {
    double west, south, east, north;
    const char* projection;
  } cases[] = {
      {129, 31, 132, 34, "+proj=lcc +lat_1=31.5000 +lat_2=33.5000 +lat_0=32.5000 +lon_0=130.5000"},
      {95, -11, 141, 6, "+proj=merc +lon_0=118.0000"},       // across the equator
      {-180, -90, 180, 84, "+proj=eqearth +lon_0=0.0000"},   // the world
      {-170, 20, 150, 70, "+proj=eqearth +lon_0=-10.0000"},  // round the northern hemisphere
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.projection);
    SourceArea area;
    area.rings.push_back({{c.west * kRadians, c.south * kRadians},
                          {c.east * kRadians, c.south * kRadians},
                          {c.east * kRadians, c.north * kRadians}});
    EXPECT_EQ(ChooseProjection({area}), std::string(c.projection) + " +ellps=GRS80");
  }
}

}  // namespace
}  // namespace kartela::basemap
