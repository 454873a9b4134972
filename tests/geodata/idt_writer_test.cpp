#include "geodata/basemap/idt_writer.h"

#include <gtest/gtest.h>

#include "geodata/basemap/map_runs.h"
#include "model/base_map_file.h"
#include "model/test_support.h"
#include "tiny_database.h"

namespace kartela::basemap {
namespace {

using kartela::test::AsPair;
using kartela::test::AsPairs;
using kartela::test::Pairs;
using kartela::test::ScratchDir;
using kartela::test::Sjis;
using Points = std::vector<MapPoint>;

BuiltMap SampleMap() {
  BuiltMap map;
  map.title = "日本（都道府県）";
  map.resolution = {1000, 700};
  map.index_position = {800, 560};
  map.areas.push_back({"北海道",
                       {{{10, 10}, {30, 10}, {30, 30}}, {{40, 40}, {50, 40}, {50, 50}}},
                       {{24, 16}, {46, 44}}});
  map.areas.push_back({"沖縄県", {{{60, 60}, {70, 60}, {70, 70}, {60, 70}}}, {{65, 65}}});
  map.lines.push_back({kPlainLine, {{80, 80}, {90, 80}, {90, 90}, {80, 80}}});
  map.lines.push_back({kSecondBorder, {{1, 0}, {1, 5}}});
  map.lines.push_back({kFrameLine, {{2, 2}, {9, 2}}});
  return map;
}

class IdtWriterTest : public testing::Test {
 protected:
  std::filesystem::path WriteSample(const BuiltMap& map) {
    const auto bytes = EncodeBaseMap(map);
    EXPECT_TRUE(bytes.ok()) << bytes.status().detail();
    return dir_.Write("sample.IDT", bytes.ok() ? *bytes : "");
  }
  std::string Refusal(const BuiltMap& map) {
    const auto bytes = EncodeBaseMap(map);
    return bytes.ok() ? "accepted" : bytes.status().detail();
  }
  ScratchDir dir_;
};

TEST_F(IdtWriterTest, HeaderIsShiftJisWithCrLfAndPointsFollowTheEndMarker) {
  const auto bytes = EncodeBaseMap(SampleMap());
  ASSERT_TRUE(bytes.ok()) << bytes.status().detail();
  const std::string header = Sjis(
      "日本（都道府県）\r\n@RESOLUTION=1000,700\r\n@INDEXPOSITION=800,560\r\n"
      "北海道=24,16/46,44\r\n沖縄県=65,65\r\n@STARTOFPOINTS\r\n");
  EXPECT_EQ(bytes->substr(0, header.size()), header);
  // The point section opens with a separator: x = 0, little-endian.
  EXPECT_EQ(bytes->substr(header.size(), 4), std::string(4, '\0'));
  // 3 outlines and 3 lines, each after a separator, and the closing one.
  EXPECT_EQ(bytes->size() - header.size(), 4u * 25);
  const std::size_t second_border = header.size() + 4 * (4 + 4 + 5 + 5);
  EXPECT_EQ(bytes->substr(second_border, 4), std::string("\0\0\xFF\xFF", 4));
}

TEST_F(IdtWriterTest, TheProgramsReadersReadWhatItWrites) {
  const std::filesystem::path path = WriteSample(SampleMap());
  AreaList areas;
  ASSERT_TRUE(ReadBaseMapHeader(path, areas).ok());
  EXPECT_EQ(areas.AreaNames, (std::vector<std::string>{Sjis("北海道"), Sjis("沖縄県")}));
  EXPECT_EQ(areas.BaseMapTitle, Sjis("日本（都道府県）"));
  EXPECT_EQ(areas.HeaderResolution.width, 1000);

  BaseMap map;
  ASSERT_TRUE(ReadBaseMap(path, map).ok());
  EXPECT_EQ(map.Resolution.height, 700);
  EXPECT_EQ(map.IndexPosition.x, 800);
  EXPECT_EQ(AsPair(map.AreaAnchors[0][1]), std::make_pair(46, 44));
  EXPECT_EQ(map.AreaAnchors[0][2].x, 0);
  const std::vector<MapRun> runs = WalkRuns(map);
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[1].area, 0);
  EXPECT_EQ(AsPairs(runs[1].points), (Pairs{{40, 40}, {50, 40}, {50, 50}}));
  EXPECT_EQ(runs[2].area, 1);
  EXPECT_EQ(runs[4].code, kSecondBorder);
  EXPECT_EQ(runs[5].code, kFrameLine);
  EXPECT_EQ(AsPairs(runs[5].points), (Pairs{{2, 2}, {9, 2}}));

  const BaseMapFigures figures = Summarise(map);
  EXPECT_EQ(figures.areas, 2);
  EXPECT_EQ(figures.records, 25);
  EXPECT_EQ(figures.longest_run, 4u);
  EXPECT_EQ(figures.outline_runs, 3u);
  EXPECT_EQ(figures.line_runs, 3u);
  EXPECT_TRUE(figures.misplaced_anchors.empty());
}

TEST_F(IdtWriterTest, SummaryTellsAnchorsOutsideTheirOutlines) {
  BuiltMap built = SampleMap();
  built.areas[0].anchors[0] = {15, 16};  // just outside the hypotenuse
  built.areas[1].anchors[0] = {200, 200};
  BaseMap map;
  ASSERT_TRUE(ReadBaseMap(WriteSample(built), map).ok());
  const BaseMapFigures figures = Summarise(map);
  EXPECT_EQ(figures.anchors_on_edge, std::vector<int>{0});
  EXPECT_EQ(figures.misplaced_anchors, std::vector<int>{1});
}

TEST_F(IdtWriterTest, RefusesWhatTheReaderWouldMisread) {
  BuiltMap map = SampleMap();
  map.areas[0].name = "A=B";
  EXPECT_NE(Refusal(map).find("holds = ; or a tab"), std::string::npos);
  map.areas[0].name = "@RESOLUTION";
  EXPECT_NE(Refusal(map).find("holds = ; or a tab"), std::string::npos);
  map.areas[0].name = "ノースカロライナ州ノースカロライナ州ノ";  // 38 bytes
  EXPECT_NE(Refusal(map).find("too long"), std::string::npos);
  map.areas[0].name = "Ü😀";
  EXPECT_NE(Refusal(map).find("Shift-JIS cannot hold"), std::string::npos);
  map = SampleMap();
  map.title = "行\r\n";
  EXPECT_NE(Refusal(map).find("title"), std::string::npos);
}

TEST_F(IdtWriterTest, RefusesMapsBeyondTheFormat) {
  BuiltMap map = SampleMap();
  map.lines[0].points[1].x = 0;  // would read as a separator
  EXPECT_NE(Refusal(map).find("left of x = 1"), std::string::npos);
  map = SampleMap();
  map.areas[1].anchors.push_back({66, 66});
  EXPECT_NE(Refusal(map).find("one anchor per outline"), std::string::npos);
  map = SampleMap();
  map.areas.resize(kMaxAreas + 1, map.areas[1]);
  EXPECT_NE(Refusal(map).find("3441 areas"), std::string::npos);
  map = SampleMap();
  map.lines.push_back({kPlainLine, Points(kMaxPointRecords, MapPoint{5, 5})});
  EXPECT_NE(Refusal(map).find("more than a base map holds"), std::string::npos);
}

}  // namespace
}  // namespace kartela::basemap
