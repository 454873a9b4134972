// kartela-cli calc on the shipped prefecture data, and on a divisor file with
// a zero, a missing value and another base map.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>

#include "app/cli_commands.h"
#include "model/data_file.h"
#include "model/messages.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using Json = nlohmann::json;
using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;

const std::filesystem::path kBaseMaps = std::filesystem::path(KARTELA_SOURCE_DIR) / "basemaps";

class CliCalcTest : public testing::Test {
 protected:
  int Run(std::vector<std::string> arguments) {
    std::ostringstream out;
    const CliContext context{kBaseMaps, reporter_, out};
    const int status = RunCalcCommand(context, arguments);
    result_ = out.str().empty() ? Json() : Json::parse(out.str());
    return status;
  }
  std::string Shipped(const char* name) const { return (kBaseMaps / name).string(); }
  std::string InDir(std::string_view name) const { return (dir_.path() / name).string(); }

  ScratchDir dir_;
  RecordingReporter reporter_;
  Json result_;
};

TEST_F(CliCalcTest, PopulationByLandAreaIsTheDensityWithTokyoHighest) {
  const std::string out = InDir("密度.DAT");
  ASSERT_EQ(Run({Shipped("人口2020.DAT"), "--divide", Shipped("全国２面積.DAT"), "--out", out}),
            kExitOk);
  EXPECT_EQ(result_["title"], "都道府県別人口 ÷ 都道府県別面積");
  EXPECT_EQ(result_["areaCount"], 47);
  EXPECT_EQ(result_["leftEmpty"], 0);
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(out, kBaseMaps, areas, data, reporter_));
  EXPECT_TRUE(data.DataNotes.empty());
  const auto number = [](const std::string& text) { return std::stod(text); };
  std::vector<double> density;
  for (int i = 0; i < 47; ++i)
    density.push_back(number(data.DataValues[i]));
  const auto highest = std::ranges::max_element(density) - density.begin();
  EXPECT_EQ(areas.AreaNames[highest], Sjis("東京都"));
  EXPECT_EQ(data.DataValues[highest], "6402.7");  // 14,047,594 / 2,194 km²
  EXPECT_EQ(data.DataValues[26], "4639.2");       // 大阪府
}

TEST_F(CliCalcTest, AreasWithoutADivisorAreLeftEmptyAndListed) {
  // Births per prefecture, with none for 青森県 and 0 for 岩手県.
  std::string births = Sjis("全国２.IDT\r\n出生数\r\n10000\r\n\r\n0\r\n");
  for (int i = 4; i <= 47; ++i)
    births += "1000\r\n";
  dir_.Write("出生.DAT", births);
  const std::string out = InDir("率.DAT");
  ASSERT_EQ(Run({Shipped("人口2020.DAT"), "--divide", InDir("出生.DAT"), "--times", "1,000",
                 "--decimals", "0", "--title", "人口千人あたり", "--out", out}),
            kExitOk);
  EXPECT_EQ(result_["title"], "人口千人あたり");
  EXPECT_EQ(result_["leftEmpty"], 2);
  EXPECT_EQ(result_["withoutDivisor"], Json::parse(R"([{"area": 2, "name": "青森県"}])"));
  EXPECT_EQ(result_["zeroDivisor"], Json::parse(R"([{"area": 3, "name": "岩手県"}])"));
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(out, kBaseMaps, areas, data, reporter_));
  EXPECT_EQ(std::vector(data.DataValues.begin(), data.DataValues.begin() + 4),
            (std::vector<std::string>{"522461", "", "", "2301996"}));
}

TEST_F(CliCalcTest, RefusesWhatCannotBeDivided) {
  dir_.Write("他.DAT", Sjis("米国.IDT\r\n面積\r\n1\r\n"));
  const std::string out = InDir("OUT.DAT");
  const std::string people = Shipped("人口2020.DAT");
  // The exit status and the messages of a run.
  const auto outcome = [&](std::vector<std::string> arguments) {
    reporter_.messages.clear();
    std::vector<std::string> texts;
    const int status = Run(std::move(arguments));
    for (const auto& message : reporter_.messages)
      texts.push_back(message.text);
    return std::pair{status, texts};
  };
  const auto [other_map, other_texts] =
      outcome({people, "--divide", InDir("他.DAT"), "--out", out});
  EXPECT_EQ(other_map, kExitFailure);
  ASSERT_EQ(other_texts.size(), 1u);
  EXPECT_NE(other_texts[0].find("割るデータの基本地図 米国.IDT の区域が、"
                                "このデータの基本地図 全国２.IDT の区域と違います"),
            std::string::npos)
      << other_texts[0];
  EXPECT_EQ(outcome({people, "--divide", InDir("無い.DAT"), "--out", out}).first, kExitFailure);
  EXPECT_EQ(reporter_.Numbers(), std::vector{kMsgBadFileName});
  for (const char* times : {"0", "-1", "x"}) {
    EXPECT_EQ(outcome({people, "--divide", people, "--times", times, "--out", out}).first,
              kExitUsage);
  }
  for (const char* decimals : {"11", "-1", ""}) {
    EXPECT_EQ(outcome({people, "--divide", people, "--decimals", decimals, "--out", out}).first,
              kExitUsage);
  }
  EXPECT_EQ(outcome({people, "--out", out}).first, kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace kartela
