// kartela-cli table on tables the tests write: a portal-style CSV in CP932,
// the same table as Excel and Calc workbooks written by GDAL, matched by name
// and by code to the shipped prefecture map and compared with its sample data.
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/cli_commands.h"
#include "base/text_encoding.h"
#include "model/data_file.h"
#include "model/portal_table.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using Json = nlohmann::json;
using test::kDashArea;
using test::kSecretArea;
using test::PopulationSample;
using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;
using test::TableCells;

const std::filesystem::path kBaseMaps = std::filesystem::path(KARTELA_SOURCE_DIR) / "basemaps";

GDALDriver* Driver(const char* name) {
  static std::once_flag registered;
  std::call_once(registered, [] { GDALAllRegister(); });
  return GetGDALDriverManager()->GetDriverByName(name);
}

// A workbook with a notes sheet first and `rows` on the sheet "人口". The
// driver writes the field names A, B, C, D as row 1, so the table starts on row 2.
void WriteWorkbook(const std::filesystem::path& path, const char* driver, const TableCells& rows) {
  GDALDatasetUniquePtr dataset(Driver(driver)->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  ASSERT_TRUE(dataset);
  OGRLayer* notes = dataset->CreateLayer("注記", nullptr, wkbNone, nullptr);
  OGRFieldDefn note_field("注", OFTString);
  notes->CreateField(&note_field);
  OGRLayer* layer = dataset->CreateLayer("人口", nullptr, wkbNone, nullptr);
  for (const char* name : {"A", "B", "C", "D"}) {
    OGRFieldDefn field(name, OFTString);
    layer->CreateField(&field);
  }
  for (const auto& row : rows) {
    OGRFeature feature(layer->GetLayerDefn());
    for (std::size_t i = 0; i < row.size(); ++i)
      feature.SetField(static_cast<int>(i), row[i].c_str());
    ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
  }
}

class CliTableTest : public testing::Test {
 protected:
  int Run(std::vector<std::string> arguments) {
    std::ostringstream out;
    const CliContext context{kBaseMaps, reporter_, out};
    const int status = RunTableCommand(context, arguments);
    result_ = out.str().empty() ? Json() : Json::parse(out.str());
    return status;
  }

  std::string InDir(std::string_view name) const { return (dir_.path() / name).string(); }

  PopulationSample sample_ = test::ReadPopulationSample(kBaseMaps);
  ScratchDir dir_;
  RecordingReporter reporter_;
  Json result_;
};

TEST_F(CliTableTest, PortalTablesInEveryFormatGiveTheSampleMapByNameAndByCode) {
  ASSERT_EQ(sample_.areas.AreaCount(), 47);
  const TableCells table = test::PortalTable(sample_);
  dir_.Write("人口.csv", Sjis(test::CsvOf(table)));
  WriteWorkbook(InDir("人口.xlsx"), "XLSX", table);
  WriteWorkbook(InDir("人口.ods"), "ODS", table);
  const struct {
    const char* file;
    const char* header_row;
    const char* encoding;
    int total_row;
  } files[] = {
      {"人口.csv", "4", "cp932", 5}, {"人口.xlsx", "5", "utf-8", 6}, {"人口.ods", "5", "utf-8", 6}};
  for (const auto& file : files) {
    for (const auto& [kind, key] : {std::pair{"name", "地域"}, {"code", "地域コード"}}) {
      SCOPED_TRACE(std::string(file.file) + " by " + kind);
      const std::string out = InDir(std::string(kind) + ".DAT");
      ASSERT_EQ(Run({InDir(file.file), "--key", key, "--value", "人口（人）", "--match", kind,
                     "--header-row", file.header_row, "--sheet", "人口", "--out", out}),
                kExitOk);
      EXPECT_EQ(result_["encoding"], file.encoding);
      EXPECT_EQ(result_["title"], "人口（人）");
      EXPECT_EQ(result_["matched"], 47);
      EXPECT_EQ(result_["areasWithoutRow"], Json::array());
      ASSERT_EQ(result_["unmatchedRows"].size(), 1u);
      EXPECT_EQ(result_["unmatchedRows"][0]["row"], file.total_row);
      ASSERT_EQ(result_["emptiedValues"].size(), 2u);
      EXPECT_EQ(result_["emptiedValues"][0]["value"], "***");

      AreaList areas;
      DataSet data;
      ASSERT_TRUE(ReadDataFile(out, kBaseMaps, areas, data, reporter_));
      EXPECT_EQ(areas.CurrentBaseMapFile, sample_.areas.CurrentBaseMapFile);
      EXPECT_EQ(data.DataTitle, Sjis("人口（人）"));
      for (int area = 1; area <= 47; ++area) {
        const bool marked = area == kDashArea || area == kSecretArea;
        EXPECT_EQ(data.DataValues[area - 1], marked ? "" : sample_.data.DataValues[area - 1])
            << "area " << area;
      }
    }
  }
}

TEST_F(CliTableTest, TwoRowsOnOneAreaAreRefusedNamingBoth) {
  dir_.Write("dup.txt", "地域\t値\r\n東京\t1\r\n北海道\t2\r\n東京都\t3\r\n");
  const std::string out = InDir("OUT.DAT");
  EXPECT_EQ(Run({InDir("dup.txt"), "--key", "地域", "--value", "2", "--out", out}), kExitFailure);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(result_["encoding"], "utf-8");
  ASSERT_EQ(result_["conflicts"].size(), 1u);
  EXPECT_EQ(result_["conflicts"][0]["name"], "東京都");
  EXPECT_EQ(result_["conflicts"][0]["rows"], Json::parse(R"([{"row": 2, "key": "東京"},
                                                             {"row": 4, "key": "東京都"}])"));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_NE(reporter_.messages[0].text.find("2 行目「東京」と 4 行目「東京都」"), std::string::npos)
      << reporter_.messages[0].text;
}

// A table as GDAL writes it, reals with all their decimals, read as it
// stands and as a rate per 1,000 of another column.
TEST_F(CliTableTest, RealsReadShortestAndADivisorColumnGivesRates) {
  GDALDatasetUniquePtr dataset(
      Driver("CSV")->Create(InDir("nc.csv").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  ASSERT_TRUE(dataset);
  OGRLayer* layer = dataset->CreateLayer("nc", nullptr, wkbNone, nullptr);
  OGRFieldDefn name_field("NAME", OFTString);
  layer->CreateField(&name_field);
  for (const char* name : {"SID74", "BIR74"}) {
    OGRFieldDefn field(name, OFTReal);
    field.SetWidth(24);
    field.SetPrecision(15);
    layer->CreateField(&field);
  }
  const struct {
    const char* name;
    double sid;
    std::optional<double> births;
  } rows[] = {
      {"北海道", 2, 0}, {"東京都", 3, 1000}, {"大阪府", 5, std::nullopt}, {"京都府", 0.25, 500}};
  for (const auto& row : rows) {
    OGRFeature feature(layer->GetLayerDefn());
    feature.SetField(0, row.name);
    feature.SetField(1, row.sid);
    if (row.births) feature.SetField(2, *row.births);
    ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
  }
  dataset.reset();
  ASSERT_NE(dir_.Read("nc.csv").find("3.000000000000000"), std::string::npos)
      << dir_.Read("nc.csv");

  const std::string out = InDir("OUT.DAT");
  ASSERT_EQ(Run({InDir("nc.csv"), "--key", "NAME", "--value", "SID74", "--out", out}), kExitOk);
  EXPECT_EQ(result_["roundedValues"], Json::array());
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(out, kBaseMaps, areas, data, reporter_));
  EXPECT_EQ(data.DataValues[12], "3");     // 東京都
  EXPECT_EQ(data.DataValues[25], "0.25");  // 京都府

  ASSERT_EQ(Run({InDir("nc.csv"), "--key", "NAME", "--value", "SID74", "--divide", "BIR74",
                 "--times", "1000", "--decimals", "2", "--out", out}),
            kExitOk);
  EXPECT_EQ(result_["title"], "SID74");  // the report says what was read
  EXPECT_EQ(result_["division"]["leftEmpty"], 45);
  EXPECT_EQ(result_["division"]["zeroDivisor"], Json::parse(R"([{"area": 1, "name": "北海道"}])"));
  EXPECT_EQ(result_["division"]["withoutDivisor"],
            Json::parse(R"([{"area": 27, "name": "大阪府"}])"));
  EXPECT_EQ(result_["division"]["withoutValue"].size(), 43u);  // areas without a row
  ASSERT_TRUE(ReadDataFile(out, kBaseMaps, areas, data, reporter_));
  EXPECT_EQ(data.DataTitle, "SID74 \x81\x80 BIR74");
  EXPECT_EQ(data.DataValues[0], "");
  EXPECT_EQ(data.DataValues[12], "3.00");
  EXPECT_EQ(data.DataValues[25], "0.50");
  EXPECT_EQ(data.DataValues[26], "");  // 大阪府 has no births
}

TEST_F(CliTableTest, BadChoicesAreRefusedWithTheReason) {
  dir_.Write("t.csv", "code,value\r\n1,5\r\n");
  dir_.Write("t.dbf", "");
  const std::string out = InDir("OUT.DAT");
  const struct {
    std::vector<std::string> arguments;
    int status;
    const char* reason;
  } cases[] = {
      {{InDir("t.csv"), "--key", "name", "--value", "value", "--out", out},
       kExitFailure,
       R"(no column "name" in header row 1; its columns are "code", "value")"},
      {{InDir("t.csv"), "--key", "code", "--value", "value", "--header-row", "3", "--out", out},
       kExitFailure,
       "header row 3 is not in the table (rows 1-2)"},
      {{InDir("t.dbf"), "--key", "code", "--value", "value", "--out", out},
       kExitFailure,
       "not a table this program reads"},
      {{InDir("t.csv"), "--key", "code", "--value", "value", "--base-map", "無い.IDT", "--out",
        out},
       kExitFailure,
       "ファイルが見つかりません"},
      {{InDir("t.csv"), "--key", "code", "--value", "value", "--match", "place", "--out", out},
       kExitUsage,
       ""},
  };
  for (const auto& c : cases) {
    reporter_.messages.clear();
    EXPECT_EQ(Run(c.arguments), c.status) << c.reason;
    if (c.status == kExitFailure) {
      ASSERT_EQ(reporter_.messages.size(), 1u) << c.reason;
      EXPECT_NE(reporter_.messages[0].text.find(c.reason), std::string::npos)
          << reporter_.messages[0].text;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace kartela
