// What the GDAL code finds wrong, every code of it met through the real
// paths (the plugin's loader, the import and the table reader on files the
// test writes), as the command-line tools say it in English and the desktop
// program in Japanese.
#include "ui/widgets/problem_text.h"

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "boundary_fixtures.h"
#include "geodata/basemap/idt_writer.h"
#include "geodata/command_line_text.h"
#include "geodata/gdal_plugin/gdal_services.h"
#include "model/test_support.h"

namespace kartela {
namespace {

namespace fs = std::filesystem;

using geodata::ImportProblem;
using geodata::ImportProblems;
using geodata::ProblemCode;
using test::BoundaryRow;
using test::FixtureText;

constexpr int kFukuoka = 40;
constexpr int kKagoshima = 46;

const std::string kVersion = std::to_string(gdal::kServicesVersion);
const std::string kNextVersion = std::to_string(gdal::kServicesVersion + 1);

BoundaryRow Square(std::string name, int code, double value = 0) {
  return BoundaryRow{std::move(name), code, value, {{{130, 30}, {131, 30}, {131, 31}, {130, 31}}}};
}

class ProblemTextTest : public testing::Test {
 protected:
  template <typename T>
  static ImportProblems Problems(const geodata::ImportStatusOr<T>& result) {
    EXPECT_FALSE(result.ok());
    return result.problems();
  }

  // Through the plugin, as the desktop program imports.
  ImportProblems Import(const fs::path& source,
                        const std::function<void(basemap::ImportOptions&)>& change = {}) const {
    basemap::ImportOptions options;
    options.source.path = source;
    options.source.name_field = "NAME";
    options.map_file_name = "out.IDT";
    if (change) change(options);
    return Problems(gdal::ImportBaseMap(options));
  }

  // What an import that went through noted.
  ImportProblems Notes(const fs::path& source) const {
    basemap::ImportOptions options;
    options.source.path = source;
    options.source.name_field = "NAME";
    const auto imported = gdal::ImportBaseMap(options);
    EXPECT_TRUE(imported.ok()) << imported.status().detail();
    return imported.ok() ? imported->notes : ImportProblems{};
  }

  ImportProblems ReadTable(const fs::path& path, const std::string& sheet = "",
                           TextEncoding encoding = TextEncoding::kAuto) const {
    return Problems(gdal::ReadTable({path, sheet, encoding}));
  }

  fs::path Boundaries(const char* file, const std::vector<BoundaryRow>& rows,
                      FixtureText text = FixtureText::kUtf8, int epsg = 4326) const {
    const char* driver = fs::path(file).extension() == ".shp" ? "ESRI Shapefile" : "GeoJSON";
    return test::WriteBoundaryFile(dir_.path(), {driver, file, text, epsg}, rows);
  }

  // A Shapefile in plane coordinates (or in degrees) whose .prj says `prj`;
  // none when empty.
  fs::path PlaneShapefile(const char* file, const std::string& prj, int epsg = 6670) const {
    const fs::path path = Boundaries(file, {Square("A", 1)}, FixtureText::kUtf8, epsg);
    fs::path prj_path = path;
    prj_path.replace_extension(".prj");
    fs::remove(prj_path);
    if (!prj.empty()) dir_.Write(prj_path.filename().string(), prj);
    return path;
  }

  // A Calc workbook with the sheets `sheets`, each one cell.
  fs::path Workbook(const std::vector<const char*>& sheets) const {
    const fs::path path = dir_.path() / ("book" + std::to_string(sheets.size()) + ".ods");
    GDALAllRegister();
    GDALDatasetUniquePtr book(GetGDALDriverManager()->GetDriverByName("ODS")->Create(
        path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    for (const char* sheet : sheets) {
      OGRLayer* layer = book->CreateLayer(sheet, nullptr, wkbNone, nullptr);
      OGRFieldDefn field("A", OFTString);
      layer->CreateField(&field);
      OGRFeature feature(layer->GetLayerDefn());
      feature.SetField(0, "1");
      EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    return path;
  }

  ImportProblems FindColumn(int header_row, const std::string& name) const {
    const auto table = gdal::ReadTable({dir_.Write("t.csv", "code,value\r\n1,5\r\n"), "", {}});
    EXPECT_TRUE(table.ok());
    return Problems(table::FindColumn(*table, header_row, name));
  }

  test::ScratchDir dir_;
  // Seven prefectures, a file the cases that need a good one share.
  const fs::path kyushu_ =
      Boundaries("kyushu.geojson", test::ShippedPrefectures(kFukuoka, kKagoshima));
};

TEST_F(ProblemTextTest, EveryCodeIsSaidInEnglishOnTheCommandLineAndInJapaneseInTheDialogs) {
  struct Case {
    ProblemCode code;
    std::function<ImportProblems()> meet;
    std::string english;   // found in the command line's text
    std::string japanese;  // found in the dialogs' text
  };
  const std::string not_library = dir_.Write("libkartela_gdal.so", "not a library").string();
  const Case cases[] = {
      // The plugin.
      {ProblemCode::kPluginNotFound,
       [&] { return Problems(gdal::LoadServicesFrom({dir_.path() / "none.so"})); },
       "GDAL plugin libkartela_gdal.so could not be loaded (not found beside the program)",
       "GDAL プラグイン libkartela_gdal.so がプログラムと同じ場所にもインストール先にも見つかりま"
       "せん。"},
      {ProblemCode::kPluginNotLoadable,
       [&] { return Problems(gdal::LoadServicesFrom({not_library})); },
       "GDAL plugin " + not_library + " could not be loaded: ",
       "GDAL プラグイン「" + not_library + "」を読み込めません（システムの報告："},
      {ProblemCode::kPluginWithoutEntry,
       [] { return Problems(gdal::LoadServicesFrom({KARTELA_UNVERSIONED_PLUGIN})); },
       "exports no KartelaGdalPlugin; it is older than this program or not its plugin",
       "」はこのプログラムの GDAL プラグインではないか、古い版のものです。"},
      {ProblemCode::kPluginVersion,
       [] { return Problems(gdal::LoadServicesFrom({KARTELA_NEXT_VERSION_PLUGIN})); },
       "is of version " + kNextVersion + "; this program needs version " + kVersion,
       "」は版 " + kNextVersion + " のもので、このプログラムには版 " + kVersion +
           " のものが必要です。"},
      {ProblemCode::kPluginLayout,
       [] { return Problems(gdal::LoadServicesFrom({KARTELA_OTHER_TABLE_PLUGIN})); },
       "has a function table of " + std::to_string(sizeof(gdal::Services) + sizeof(void*)) +
           " bytes; this program's has " + std::to_string(sizeof(gdal::Services)),
       "」はこのプログラムと組み合わせられません（関数表が " +
           std::to_string(sizeof(gdal::Services) + sizeof(void*)) + " バイト、必要なのは " +
           std::to_string(sizeof(gdal::Services)) + " バイト）。"},
      // A boundary file.
      {ProblemCode::kFileNotFound, [&] { return Import(dir_.path() / "none.shp"); }, "no such file",
       "ファイルが見つかりません。"},
      {ProblemCode::kFileNotOpened,
       [&] {
         fs::create_directory(dir_.path() / "folder.csv");
         return ReadTable(dir_.path() / "folder.csv");
       },
       "cannot be opened", "ファイルを開けません。"},
      {ProblemCode::kNotVectorFile, [&] { return Import(dir_.Write("bad.geojson", "{ not json")); },
       "not a vector file GDAL reads", "GDAL で読める境界データではありません"},
      {ProblemCode::kNoLayer,
       [&] {
         return Import(dir_.Write("empty.kml",
                                  "<?xml version=\"1.0\"?><kml xmlns=\"http://www.opengis.net/kml/"
                                  "2.2\"><Document></Document></kml>"));
       },
       "holds no layer", "レイヤーがひとつもありません。"},
      {ProblemCode::kLayerNotFound,
       [&] { return Import(kyushu_, [](auto& options) { options.source.layer = "nope"; }); },
       "has no layer \"nope\"; its layers are areas",
       "レイヤー「nope」がありません。あるレイヤー：「areas」"},
      {ProblemCode::kNotPolygons, [&] { return Import(test::WritePointFile(dir_.path())); },
       "layer \"points\" holds Point geometries, not polygons; a base map needs areas",
       "レイヤー「points」の図形は面でなく点です。基本地図には面（ポリゴン）が必要です。"},
      {ProblemCode::kNoNameField,
       [&] { return Import(kyushu_, [](auto& options) { options.source.name_field = ""; }); },
       "a name field is needed (--name-field)", "名前の列が選ばれていません。"},
      {ProblemCode::kFieldNotFound,
       [&] { return Import(kyushu_, [](auto& options) { options.source.group_field = "NOPE"; }); },
       "layer \"areas\" has no field \"NOPE\"; its fields are NAME, CODE, POP",
       "レイヤー「areas」に列「NOPE」がありません。ある列：「NAME」、「CODE」、「POP」"},
      {ProblemCode::kValueNotNumeric,
       [&] {
         return Import(kyushu_, [](auto& options) {
           options.source.value_field = "NAME";
           options.with_data = true;
         });
       },
       "field \"NAME\" is not numeric", "列「NAME」は数値の列ではありません。"},
      {ProblemCode::kNoCoordinateSystem, [&] { return Import(PlaneShapefile("plane.shp", "")); },
       "layer \"plane\" states no coordinate system and is not in longitude and latitude "
       "(--source-crs says which system it is; --planar takes the numbers as plane coordinates)",
       "レイヤー「plane」は座標系を示しておらず、経緯度でもありません。座標系を指定するか、"
       "「平面座標としてそのまま使う」を選んでください。"},
      {ProblemCode::kNoLongitudeLatitude,
       [&] {
         return Import(PlaneShapefile("local.shp",
                                      "LOCAL_CS[\"Site\",LOCAL_DATUM[\"x\",32767],"
                                      "UNIT[\"metre\",1],AXIS[\"X\",EAST],"
                                      "AXIS[\"Y\",NORTH]]"));
       },
       "the coordinate system of layer \"local\" cannot be turned into longitude and latitude",
       "レイヤー「local」の座標系は経緯度に直せません。"},
      {ProblemCode::kValueTooLong,
       [&] {
         return Import(Boundaries("big.geojson", {Square("区", 1, 1e30)}), [](auto& options) {
           options.source.value_field = "POP";
           options.with_data = true;
         });
       },
       "row 1: the value is longer than a data value may be",
       "1 行目の値はデータの値として長すぎます。"},
      {ProblemCode::kNameNotInEncoding,
       [&] {
         const auto source =
             Boundaries("kyushu.shp", test::ShippedPrefectures(kFukuoka, kKagoshima),
                        FixtureText::kCp932WithoutCpg, 4612);
         return Import(source,
                       [](auto& options) { options.source.encoding = TextEncoding::kUtf8; });
       },
       "row 1: the name is not valid utf-8 (--encoding chooses another)\nrow 2:",
       "1 行目の名前はUTF-8の文字として読めません。\n2 行目"},
      {ProblemCode::kUnholdableName,
       [&] { return Import(Boundaries("emoji.geojson", {Square("\U0001F5FE県", 1)})); },
       "row 1: the name \"\U0001F5FE県\" has a character Shift-JIS cannot hold",
       "1 行目の名前 \"\U0001F5FE県\" はシフトJISで書けない文字を含みます。"},
      {ProblemCode::kEmptyName,
       [&] { return Import(Boundaries("blank.geojson", {Square("", 1)})); },
       "row 1: the name is empty", "1 行目の名前が空です。"},
      {ProblemCode::kNameTooLong,
       [&] {
         return Import(
             Boundaries("long.geojson", {Square("長長長長長長長長長長長長長長長長長長長", 1)}),
             [](auto& options) { options.source.strict_names = true; });
       },
       "row 1: the name \"長長長長長長長長長長長長長長長長長長長\" is longer than 36 Shift-JIS "
       "bytes",
       "1 行目の名前 \"長長長長長長長長長長長長長長長長長長長\" はシフトJISで 36 "
       "バイトを超えます。"},
      {ProblemCode::kNamesCollide,
       [&] {
         return Import(Boundaries("one.geojson", {Square("Sète", 1), Square("Sete", 2)}));
       },
       "row 2: the name \"Sete\" would become \"Sete\", as the name \"Sète\" of row 1 does; "
       "another --name-field",
       "2 行目の名前「Sete」は「Sete」になり、1 行目の「Sète」と区別できません。"},
      {ProblemCode::kBadSourceSystem,
       [&] {
         return Import(kyushu_, [](auto& options) { options.source.source_system = "EPSG:1"; });
       },
       "the coordinate system \"EPSG:1\" is not one GDAL knows", "座標系「EPSG:1」はわかりません"},
      // Notes of an import that went on.
      {ProblemCode::kNameTransliterated,
       [&] { return Notes(Boundaries("accent.geojson", {Square("Côte d'Ivoire", 1)})); },
       "row 1: \"Côte d'Ivoire\" → \"Cote d'Ivoire\"",
       "1 行目：「Côte d'Ivoire」 → 「Cote d'Ivoire」"},
      {ProblemCode::kNameCut,
       [&] {
         return Notes(
             Boundaries("cut.geojson", {Square("長長長長長長長長長長長長長長長長長長長", 1)}));
       },
       "\"長長長長長長長長長長長長長長長長長長長\" → \"長長長長長長長長長長長長長長長長長長\"",
       "（36 バイトまで）"},
      {ProblemCode::kTakenAsLongitudeLatitude,
       [&] { return Notes(PlaneShapefile("degrees.shp", "", 4326)); },
       "layer \"degrees\" states no coordinate system; its numbers are taken as longitude and "
       "latitude (--source-crs",
       "数値を経緯度として読みました。違う場合は、座標系を指定するか、「平面座標としてそのまま使う"
       "」"},
      {ProblemCode::kNoGeometry,
       [&] {
         return Notes(Boundaries("bare2.geojson", {Square("A", 1), BoundaryRow{"B", 2, 0, {}}}));
       },
       "row 2: no geometry; left out", "2 行目は図形がないため除きました。"},
      {ProblemCode::kGeometryRepaired,
       [&] {
         return Notes(
             Boundaries("bow.geojson",
                        {BoundaryRow{"蝶", 1, 0, {{{132, 30}, {133, 31}, {133, 30}, {132, 31}}}}}));
       },
       "row 1: invalid geometry repaired", "1 行目の図形は不正だったため修復しました。"},
      // Rows GDAL hardly ever gives: the notes as the reader makes them.
      {ProblemCode::kNotMoved,
       [] { return ImportProblems{{.code = ProblemCode::kNotMoved, .row = 3}}; },
       "row 3: cannot be moved to longitude and latitude; left out",
       "3 行目の図形は経緯度に直せないため除きました。"},
      {ProblemCode::kGeometryNotRepaired,
       [] { return ImportProblems{{.code = ProblemCode::kGeometryNotRepaired, .row = 3}}; },
       "row 3: invalid geometry that cannot be repaired; left out",
       "3 行目の図形は不正で修復できないため除きました。"},
      {ProblemCode::kNoPolygon,
       [] { return ImportProblems{{.code = ProblemCode::kNoPolygon, .row = 3}}; },
       "row 3: no polygon (a line or a point); left out",
       "3 行目の図形は面でなく線か点のため除きました。"},
      {ProblemCode::kNoRegionName,
       [] { return ImportProblems{{.code = ProblemCode::kNoRegionName, .row = 3, .count = 2}}; },
       "row 3 and 2 more rows: no name; left out", "3 行目ほか 2 行は名前がないため除きました。"},
      {ProblemCode::kAreaWithoutPolygon,
       [] {
         return ImportProblems{{.code = ProblemCode::kAreaWithoutPolygon, .name = "島", .row = 3}};
       },
       "row 3: area \"島\" has no polygon; left out",
       "3 行目の区域「島」は面がないため除きました。"},
      // The map made of it.
      {ProblemCode::kNoAreaLeft,
       [&] {
         return Import(Boundaries("bare.geojson", {BoundaryRow{"区", 1, 0, {}}}));
       },
       "no area with a polygon is left to make a map of",
       "面のある区域がひとつも残らないため、地図を作れません。"},
      {ProblemCode::kTooManyAreas,
       [&] {
         std::vector<BoundaryRow> rows;
         for (int i = 0; i <= kMaxAreas; ++i) {
           const double x = 130 + (i % 60) * 0.1, y = 30 + (i / 60) * 0.1;
           rows.push_back(BoundaryRow{"区" + std::to_string(i + 1),
                                      i + 1,
                                      0,
                                      {{{x, y}, {x + 0.1, y}, {x + 0.1, y + 0.1}, {x, y + 0.1}}}});
         }
         return Import(Boundaries("grid.geojson", rows));
       },
       "3441 areas are more than a base map holds (3440); join rows into fewer areas with "
       "--group-field",
       "区域が 3441 あり、基本地図に入る 3440 を超えます。まとめる列で行をまとめるか"},
      // More point records than a base map holds take more than a million
      // points through GDAL: the problem as the importer makes it.
      {ProblemCode::kTooManyPoints,
       [] {
         return ImportProblems{{.code = ProblemCode::kTooManyPoints,
                                .text = "0.5",
                                .count = 1'600'000,
                                .limit = static_cast<long long>(basemap::kMaxPointRecords)}};
       },
       "1600000 point records are more than a base map holds (1535999); a coarser --tolerance "
       "(now 0.5 pixels), or a smaller extent, helps",
       "境界の点が 1600000 あり、基本地図に入る 1535999 を超えます。"},
      {ProblemCode::kUnholdableTitle,
       [&] { return Import(kyushu_, [](auto& options) { options.title = "\U0001F5FE"; }); },
       "the title \"\U0001F5FE\" has a character Shift-JIS cannot hold (--title)",
       "表題 \"\U0001F5FE\" はシフトJISで書けない文字を含みます。"},
      {ProblemCode::kTitleTooLong,
       [&] {
         return Import(kyushu_, [](auto& options) { options.title = std::string(256, 'x'); });
       },
       "does not fit one header line of 255 Shift-JIS bytes (--title)",
       "表題が長すぎます（改行を含まず、シフトJISで 255 バイトまで）。"},
      {ProblemCode::kBadProjection,
       [&] {
         return Import(kyushu_, [](auto& options) { options.projection = "+proj=nonesuch"; });
       },
       "projection \"+proj=nonesuch\"", "投影法「+proj=nonesuch」は使えません。"},
      {ProblemCode::kMapNotBuilt,
       [&] { return Import(kyushu_, [](auto& options) { options.inset_below_lat = 90; }); },
       "nothing is left for the map outside its insets",
       "境界データから地図を組み立てられません（詳細：nothing is left for the map outside its "
       "insets）。"},
      // A statistics table.
      {ProblemCode::kNotATable, [&] { return ReadTable(dir_.Write("t.dbf", "")); },
       "not a table this program reads (.csv, .txt, .tsv, .xlsx, .ods)",
       "読み込める表のファイルではありません（.csv、.txt、.tsv、.xlsx、.ods）。"},
      {ProblemCode::kTableUnreadable,
       [&] { return ReadTable(dir_.Write("wide.csv", std::string(1 << 21, 'x'))); },
       "cannot be read (", "表を読めません（GDAL の報告："},
      {ProblemCode::kNotAWorkbook, [&] { return ReadTable(dir_.Write("bad.xlsx", "not a zip")); },
       "not a workbook GDAL reads", "GDAL で読めるブックではありません"},
      {ProblemCode::kNoSheet, [&] { return ReadTable(Workbook({})); }, "holds no sheet",
       "シートがひとつもありません。"},
      {ProblemCode::kSheetNotFound,
       [&] {
         return ReadTable(Workbook({"人口", "注"}), "nope");
       },
       "has no sheet \"nope\"; its sheets are \"人口\", \"注\"",
       "シート「nope」がありません。あるシート：「人口」、「注」"},
      {ProblemCode::kRowNotInEncoding,
       [&] {
         return ReadTable(dir_.Write("sjis.csv", test::Sjis("地域,値\r\n")), "",
                          TextEncoding::kUtf8);
       },
       "row 1 is not valid utf-8 text (--encoding chooses another)",
       "1 行目はUTF-8の文字として読めません。文字コードを選び直してください。"},
      {ProblemCode::kNoHeaderRow, [&] { return FindColumn(3, "code"); },
       "header row 3 is not in the table (rows 1-2)",
       "見出しの行 3 は表にありません（表は 2 行）。"},
      {ProblemCode::kColumnNotFound, [&] { return FindColumn(1, "name"); },
       "no column \"name\" in header row 1; its columns are \"code\", \"value\"",
       "見出しの行 1 に列「name」がありません。ある列：「code」、「value」"},
      // Either.
      {ProblemCode::kCancelled,
       [&] {
         return Import(kyushu_, [](auto& options) {
           options.source.progress = [](long long, long long) { return false; };
         });
       },
       "cancelled", "中止しました。"},
  };
  std::set<ProblemCode> met;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    const ImportProblems problems = c.meet();
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].code, c.code);
    met.insert(c.code);
    const std::string english = geodata::CommandLineText(problems);
    const std::string japanese = ProblemText(problems);
    EXPECT_NE(english.find(c.english), std::string::npos) << english;
    EXPECT_NE(japanese.find(c.japanese), std::string::npos) << japanese;
    // The dialogs name no option of the command line.
    EXPECT_EQ(japanese.find("--"), std::string::npos) << japanese;
  }
  EXPECT_EQ(met.size(), static_cast<std::size_t>(geodata::kProblemCodeCount));
}

// Twelve rows at fault: the first ten are listed, then how many more.
TEST_F(ProblemTextTest, LongListsEndWithHowManyMore) {
  std::vector<BoundaryRow> rows;
  for (int i = 1; i <= 12; ++i)
    rows.push_back(Square("", i));
  const ImportProblems problems = Import(Boundaries("blank.geojson", rows), [](auto& options) {
    options.source.group_field = "CODE";
  });
  ASSERT_EQ(problems.size(), 12u);
  const std::string english = geodata::CommandLineText(problems);
  const std::string japanese = ProblemText(problems);
  EXPECT_TRUE(english.ends_with("row 10: the name is empty\n(2 more)")) << english;
  EXPECT_TRUE(japanese.ends_with("10 行目の名前が空です。\nほか 2 件")) << japanese;
}

}  // namespace
}  // namespace kartela
