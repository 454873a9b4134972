#include "model/data_division.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/data_file.h"
#include "test_support.h"

namespace kartela {
namespace {

using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines)
    bytes += Sjis(line) + "\r\n";
  return bytes;
}

// Population and land area of five areas read from data files, as the data
// window reads them: one area has no area, one an area of 0, one no
// population and one a value that is not a number.
class DataDivisionTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("P.IDT", Lines({"県", "東京都", "大阪府", "湖", "島", "無人"}) +
                            "@STARTOFPOINTS\r\n" + std::string(4, '\0'));
    Read("人口.DAT", {"P.IDT", "人口", "14047594", "8837685", "0", "300", ""}, areas_, people_);
    Read("面積.DAT", {"P.IDT", "面積", "2194.05", "1905.32", "670.3", "", "12"}, areas_, area_);
  }
  void Read(const char* name, const std::vector<std::string>& lines, AreaList& areas,
            DataSet& data) {
    ASSERT_TRUE(ReadDataFile(dir_.Write(name, Lines(lines)), dir_.path(), areas, data, reporter_));
  }

  ScratchDir dir_;
  RecordingReporter reporter_;
  AreaList areas_;
  DataSet people_;
  DataSet area_;
};

TEST_F(DataDivisionTest, DensityLeavesAreasWithoutADivisorEmpty) {
  area_.DataValues[2] = "0";  // a lake counted with no land
  const DataDivision density = DivideDataSet(areas_, people_, area_, {1, 1});
  EXPECT_EQ(std::vector(density.data.DataValues.begin(), density.data.DataValues.begin() + 6),
            (std::vector<std::string>{"6402.6", "4638.4", "", "", "", ""}));
  EXPECT_EQ(density.data.DataTitle, Sjis("人口 ÷ 面積"));
  EXPECT_TRUE(density.data.DataModified);
  EXPECT_TRUE(density.data.DataFileName.empty());
  EXPECT_EQ(density.report.zero_divisor, std::vector{3});
  EXPECT_EQ(density.report.without_divisor, std::vector{4});
  EXPECT_EQ(density.report.without_value, std::vector{5});
  EXPECT_EQ(density.report.LeftEmpty(), 3u);
  EXPECT_EQ(DivisionNote(areas_, density.report),
            "値のない区域 1 件：無人\n割る値のない区域 1 件：島\n割る値が 0 の区域 1 件：湖\n");

  // The quotient writes and reads back as the data window would save it.
  const auto path = dir_.path() / "密度.DAT";
  ASSERT_TRUE(WriteDataFile(path, areas_, density.data).ok());
  AreaList areas;
  DataSet again;
  ASSERT_TRUE(ReadDataFile(path, dir_.path(), areas, again, reporter_));
  EXPECT_EQ(again.DataValues, density.data.DataValues);
  EXPECT_EQ(DivisorAreasRefusal(areas_, areas), "");

  // Data of another base map cannot divide these.
  dir_.Write("Q.IDT",
             Lines({"県", "東京都", "大阪府"}) + "@STARTOFPOINTS\r\n" + std::string(4, '\0'));
  Read("Q.DAT", {"Q.IDT", "面積", "1", "2"}, areas, again);
  EXPECT_EQ(DivisorAreasRefusal(areas_, areas),
            "割るデータの基本地図 Q.IDT の区域が、このデータの基本地図 P.IDT の区域と違います");
}

TEST_F(DataDivisionTest, FactorAndDecimalsShapeTheValue) {
  struct Case {
    long double factor;
    int decimals;
    std::string first;     // 14047594 / 2194.05 × factor
    bool rounded = false;  // fewer decimals than asked, to fit 11 bytes
    bool too_long = false;
  };
  const std::vector<Case> cases = {
      {1, 0, "6403"},
      {1, 3, "6402.586"},
      {100, 2, "640258.61"},
      {1000, 4, "6402586.085", true},
      {100000, 2, "640258608.5", true},
      {1e10L, 0, "", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    const DividedValues divided = DivideValues(people_.DataValues, area_.DataValues, 2,
                                               {.factor = c.factor, .decimals = c.decimals});
    EXPECT_EQ(divided.values.size(), 2u);
    EXPECT_EQ(divided.values[0], c.first);
    EXPECT_EQ(divided.report.rounded.empty(), !c.rounded);
    EXPECT_EQ(divided.report.too_long.empty(), !c.too_long);
  }
}

TEST(DataDivisionNoteTest, NamesTheFirstTenAreasThenCountsTheRest) {
  AreaList areas;
  DivisionReport report;
  for (int i = 1; i <= 12; ++i) {
    areas.AreaNames.push_back("A" + std::to_string(i));
    report.without_divisor.push_back(i);
  }
  EXPECT_EQ(DivisionNote(areas, report),
            "割る値のない区域 12 件：A1、A2、A3、A4、A5、A6、A7、A8、A9、A10 ほか 2 件\n");
  EXPECT_EQ(DivisionNote(areas, {}), "");
  // Titles lose the remark that ends them; one that would pass a title's
  // length is cut.
  EXPECT_EQ(DivisionTitle(Sjis("都道府県別人口（2020年国勢調査）"), Sjis("面積 (km2)")),
            Sjis("都道府県別人口 ÷ 面積"));
  EXPECT_EQ(DivisionTitle(Sjis("（人）"), "SID74"), Sjis("（人） ÷ SID74"));
  EXPECT_EQ(DivisionTitle(std::string(250, 'a'), "b").size(), kMaxTitleBytes);
}

}  // namespace
}  // namespace kartela
