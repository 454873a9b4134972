#include "model/base_map_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace kartela {
namespace {

using test::ScratchDir;
using test::Sjis;
using XY = std::pair<int, int>;

constexpr std::int32_t kBlock = PointStore::kBlockRecords;
constexpr std::int32_t kMostRecords = PointStore::kMaxBlocks * kBlock - 1;

// The bytes of a .IDT file: Shift-JIS header lines ended by CR LF, then the
// point records.
class Idt {
 public:
  explicit Idt(std::string_view title = "テスト地図") { Line(title); }
  static Idt Empty() {
    Idt idt;
    idt.bytes_.clear();
    return idt;
  }

  Idt& Line(std::string_view utf8) { return Raw(Sjis(utf8)); }
  Idt& Raw(std::string_view bytes) {
    bytes_.append(bytes).append("\r\n");
    return *this;
  }
  Idt& End() { return Line("@STARTOFPOINTS"); }
  Idt& Record(int x, int y) {
    for (const int v : {x, y}) {
      bytes_ += static_cast<char>(v & 0xFF);
      bytes_ += static_cast<char>((v >> 8) & 0xFF);
    }
    return *this;
  }
  Idt& Separators(std::int32_t count) {
    bytes_.append(static_cast<std::size_t>(count) * 4, '\0');
    return *this;
  }
  Idt& Bytes(std::string_view bytes) {
    bytes_ += bytes;
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Two areas with outlines and a boundary line; with `utf8_mark` the header
// is written as UTF-8 after that mark (empty for none), as a Linux editor
// would.
Idt SampleMap(std::optional<std::string_view> utf8_mark = std::nullopt) {
  Idt idt = Idt::Empty();
  const auto line = [&](std::string_view text) { utf8_mark ? idt.Raw(text) : idt.Line(text); };
  line(std::string(utf8_mark.value_or("")) + "見本");
  line("@RESOLUTION=800,600");
  line("北区=10,20/30,40");
  line("南区=50,60");
  return idt.End()
      .Record(0, 0)
      .Record(1, 1)
      .Record(2, 1)
      .Record(0, 0)
      .Record(3, 3)
      .Record(0, -9)
      .Record(4, 4)
      .Record(0, 0);
}

std::string Describe(const AreaList& areas) {
  std::string text = areas.BaseMapTitle + "|" + std::to_string(areas.LongestAreaName) + "|" +
                     std::to_string(areas.HeaderResolution.width) + "x" +
                     std::to_string(areas.HeaderResolution.height);
  for (const auto& name : areas.AreaNames)
    text += "|" + name;
  return text;
}

// Everything a reader may change, as text, so that "unchanged" is one check.
std::string Describe(const BaseMap& map) {
  std::string text =
      std::to_string(map.Resolution.width) + "x" + std::to_string(map.Resolution.height) + "|" +
      std::to_string(map.IndexPosition.x) + "," + std::to_string(map.IndexPosition.y);
  for (int n = 0; n < map.MapAreaCount(); ++n) {
    text += "|" + map.MapAreaNames[n];
    for (const MapPoint& p : map.AreaAnchors[n]) {
      text += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    }
  }
  text += "|" + std::to_string(map.PointCount) + ":";
  for (std::int32_t i = 0; i <= map.PointCount; ++i) {
    text += " " + std::to_string(map.PointX(i)) + "," + std::to_string(map.PointY(i));
  }
  return text;
}

class BaseMapFileTest : public testing::Test {
 protected:
  Status ReadHeader(const Idt& idt) {
    return ReadBaseMapHeader(dir_.Write("map.IDT", idt.bytes()), areas_);
  }
  Status ReadMap(const Idt& idt) { return ReadBaseMap(dir_.Write("map.IDT", idt.bytes()), map_); }
  // Both readers on the same file.
  void ReadBoth(const Idt& idt) {
    ASSERT_EQ(ReadHeader(idt).code(), StatusCode::kOk);
    ASSERT_EQ(ReadMap(idt).code(), StatusCode::kOk);
  }
  std::vector<XY> Anchors(int area) const {
    std::vector<XY> anchors;
    for (const MapPoint& p : map_.AreaAnchors[area]) {
      if (p.x == 0) break;
      anchors.emplace_back(p.x, p.y);
    }
    return anchors;
  }
  std::vector<XY> Points() const {
    std::vector<XY> points;
    for (std::int32_t i = 0; i <= map_.PointCount; ++i)
      points.emplace_back(map_.PointX(i), map_.PointY(i));
    return points;
  }

  ScratchDir dir_;
  AreaList areas_;
  BaseMap map_;
};

TEST_F(BaseMapFileTest, ReadsTheSampleMap) {
  ReadBoth(SampleMap());
  EXPECT_EQ(areas_.BaseMapTitle, Sjis("見本"));
  EXPECT_EQ(areas_.AreaNames, (std::vector{Sjis("北区"), Sjis("南区")}));
  EXPECT_EQ(areas_.LongestAreaName, 4);
  EXPECT_EQ(areas_.HeaderResolution.width, 800);
  EXPECT_EQ(map_.MapAreaNames, areas_.AreaNames);
  EXPECT_EQ(Anchors(0), (std::vector<XY>{{10, 20}, {30, 40}}));
  EXPECT_EQ(Anchors(1), (std::vector<XY>{{50, 60}}));
  EXPECT_EQ(map_.Resolution.height, 600);
  EXPECT_EQ(Points(),
            (std::vector<XY>{{0, 0}, {1, 1}, {2, 1}, {0, 0}, {3, 3}, {0, -9}, {4, 4}, {0, 0}}));
  EXPECT_TRUE(areas_.CurrentBaseMapFile.empty()) << "left for the caller";
  EXPECT_TRUE(map_.LoadedMapFile.empty()) << "left for the caller";
}

TEST_F(BaseMapFileTest, AHeaderWrittenAsUtf8ReadsAsItsShiftJis) {
  ReadBoth(SampleMap());
  const std::string header_from_shift_jis = Describe(areas_);
  const std::string map_from_shift_jis = Describe(map_);
  for (const std::string_view mark : {"", "\xEF\xBB\xBF"}) {
    areas_ = AreaList{};
    map_ = BaseMap{};
    ReadBoth(SampleMap(mark));
    EXPECT_EQ(Describe(areas_), header_from_shift_jis);
    EXPECT_EQ(Describe(map_), map_from_shift_jis);
  }
  const Status refused = ReadHeader(Idt::Empty().Raw("見本").Raw("한").End().Separators(1));
  EXPECT_EQ(refused.code(), StatusCode::kUnsupported);
  EXPECT_EQ(refused.detail(), "2 行目に Shift-JIS で表せない文字があります");
}

TEST_F(BaseMapFileTest, EveryNonControlLineIsAnArea) {
  ReadBoth(Idt()
               .Line("東=1,1")
               .Line("")
               .Line("  ; 注釈だけ")
               .Line("西")
               .Line("中 ; 注釈 = 5,6")
               .Line("@UNKNOWN=1")
               .End()
               .Record(0, 0));
  EXPECT_EQ(areas_.AreaNames,
            (std::vector{Sjis("東"), std::string(), std::string(), Sjis("西"), Sjis("中")}));
  EXPECT_TRUE(Anchors(3).empty()) << "a name without '=' has no outline";
  EXPECT_EQ(Anchors(4), (std::vector<XY>{{5, 6}})) << "the key's comment ends at '='";
}

TEST_F(BaseMapFileTest, KeepsTenAnchorsAndClosesTheRow) {
  std::string pairs;
  for (int k = 1; k <= 12; ++k)
    pairs += (k > 1 ? " / " : "") + std::to_string(k) + ", " + std::to_string(-k);
  ReadBoth(Idt().Line("区=" + pairs).End());
  ASSERT_EQ(Anchors(0).size(), 10u);
  EXPECT_EQ(Anchors(0)[9], XY(10, -10));
  EXPECT_EQ(map_.AreaAnchors[0][10].x, 0);
  EXPECT_EQ(map_.AreaAnchors[0][10].y, 0);
}

TEST_F(BaseMapFileTest, ControlKeysAreCaseInsensitiveAndDefaultsComeBack) {
  ReadBoth(Idt()
               .Line("@resolution = 1000 , 700")
               .Line("@IndexPosition=15,25 ; 凡例")
               .Line("@startofpoints=x")
               .Record(0, 0));
  EXPECT_EQ(areas_.HeaderResolution.width, 1000);
  EXPECT_EQ(map_.Resolution.height, 700);
  EXPECT_EQ(map_.IndexPosition.x, 15);
  EXPECT_EQ(map_.IndexPosition.y, 25);

  // A map without the lines gets the defaults, not the previous map's values.
  ReadBoth(Idt().End());
  EXPECT_EQ(areas_.HeaderResolution.width, 640);
  EXPECT_EQ(map_.Resolution.height, 400);
  EXPECT_EQ(map_.IndexPosition.x, 0);
}

TEST_F(BaseMapFileTest, LongNamesAreCutOnCharacterBoundaries) {
  const std::string twenty = Sjis("一二三四五六七八九十一二三四五六七八九十");  // 40 bytes
  ReadBoth(Idt().Raw(twenty + "=1,1").Raw("A" + twenty).End());
  EXPECT_EQ(areas_.AreaNames[0], twenty.substr(0, 36));
  EXPECT_EQ(areas_.AreaNames[1], "A" + twenty.substr(0, 34)) << "a character is not split";
  EXPECT_EQ(map_.MapAreaNames, areas_.AreaNames);
  EXPECT_EQ(areas_.LongestAreaName, 41) << "the length as written";
}

TEST_F(BaseMapFileTest, PointSectionStartsAtTheFirstZeroByteAfterTheMarkerLine) {
  ReadBoth(Idt()
               .Raw(std::string("A\0B=1,1", 7))  // a 0 byte in the text is not the start
               .End()
               .Bytes("\x1A junk")
               .Record(0, 5)
               .Record(7, 8)
               .Bytes("\x01\x02\x03"));
  EXPECT_EQ(Points(), (std::vector<XY>{{0, 5}, {7, 8}, {0, 0}}))
      << "text before the 0 byte and a remainder under 4 bytes are skipped; a separator closes";

  ReadBoth(Idt().Raw("@STARTOFPOINTS").Bytes("\n").Record(0, 1).Record(-300, 0x1234).Record(0, 2));
  EXPECT_EQ(Points(), (std::vector<XY>{{0, 1}, {-300, 0x1234}, {0, 2}}))
      << "LF ending; little-endian";
}

TEST_F(BaseMapFileTest, EmptyPointSectionIsOneSeparator) {
  ReadBoth(Idt().Line("区=1,1").End());
  EXPECT_EQ(Points(), (std::vector<XY>{{0, 0}}));
  ReadBoth(Idt().End().Bytes("no zero byte"));
  EXPECT_EQ(map_.PointCount, 0);
}

TEST_F(BaseMapFileTest, FullLastBlockStillGetsItsClosingSeparator) {
  ReadBoth(Idt().End().Separators(kBlock - 1).Record(9, 9));
  EXPECT_EQ(map_.PointCount, kBlock);
  EXPECT_EQ(map_.PointX(kBlock - 1), 9);
  EXPECT_TRUE(IsSeparator(map_.Points[kBlock]));
}

TEST_F(BaseMapFileTest, ReadsTheLargestPointSection) {
  ReadBoth(Idt().End().Separators(kMostRecords - 1).Record(1, 2));
  EXPECT_EQ(map_.PointCount, kMostRecords);
  EXPECT_EQ(map_.PointY(kMostRecords - 1), 2);
}

// ---- Unusual and bad input -------------------------------------------------

TEST_F(BaseMapFileTest, OddBytesAndNumbersAreKeptWithinTheirFields) {
  const std::string long_line(300, 'N');
  ReadBoth(Idt()
               .Raw("\x85\x40\xFF=1,1")  // bytes CP932 does not define
               .Raw(long_line + "=2,2")  // cut at 255 bytes, '=' included
               .Line("区=70000,-70000/12abc,xyz")
               .Line("@RESOLUTION=99999,-1e9")
               .End());
  EXPECT_EQ(areas_.AreaNames[0], "\x85\x40\xFF");
  EXPECT_EQ(areas_.AreaNames[1], std::string(36, 'N'));
  EXPECT_EQ(areas_.AreaCount(), 3) << "the rest of a long line is skipped";
  EXPECT_EQ(areas_.LongestAreaName, 255);
  EXPECT_TRUE(Anchors(1).empty());
  EXPECT_EQ(Anchors(2), (std::vector<XY>{{32767, -32768}, {12, 0}}));
  EXPECT_EQ(map_.Resolution.width, 32767);
  EXPECT_EQ(map_.Resolution.height, -1);
}

TEST_F(BaseMapFileTest, MissingFileChangesNothing) {
  ReadBoth(SampleMap());
  const std::string areas_before = Describe(areas_), map_before = Describe(map_);
  const Status missing = ReadBaseMapHeader(dir_.path() / "none.IDT", areas_);
  EXPECT_EQ(missing.code(), StatusCode::kNotFound);
  EXPECT_EQ(missing.detail(), "ファイルを開けません");
  const Status directory = ReadBaseMap(dir_.path(), map_);
  EXPECT_EQ(directory.code(), StatusCode::kIoError);
  EXPECT_EQ(directory.detail(), "ファイルを開けません");
  EXPECT_EQ(Describe(areas_), areas_before);
  EXPECT_EQ(Describe(map_), map_before);
}

struct BadFile {
  const char* name;
  Idt idt;
  StatusCode header_status;
  StatusCode map_status;
  const char* reason;  // of each read that fails
};

Idt WithAreas(int count) {
  Idt idt;
  for (int n = 0; n < count; ++n)
    idt.Line("区" + std::to_string(n));
  return idt;
}

TEST_F(BaseMapFileTest, BadFilesFailWithTheirReasonAndChangeNothing) {
  ReadBoth(SampleMap());
  const std::string areas_before = Describe(areas_), map_before = Describe(map_);
  const BadFile bad_files[] = {
      {"empty", Idt::Empty(), StatusCode::kBadFormat, StatusCode::kBadFormat,
       "@STARTOFPOINTS がありません"},
      {"no marker", Idt().Line("区=1,1").Record(0, 0), StatusCode::kBadFormat,
       StatusCode::kBadFormat, "@STARTOFPOINTS がありません"},
      {"3441 areas", WithAreas(kMaxAreas + 1).End(), StatusCode::kUnsupported,
       StatusCode::kUnsupported, "3442 行目: 地域が 3440 を超えています"},
      {"100 blocks", Idt().End().Separators(kMostRecords + 1), StatusCode::kOk,
       StatusCode::kTooLarge, "点が多すぎます (1536000 個)"},
  };
  for (const BadFile& bad : bad_files) {
    SCOPED_TRACE(bad.name);
    const Status header = ReadHeader(bad.idt);
    EXPECT_EQ(header.code(), bad.header_status);
    if (bad.header_status != StatusCode::kOk) {
      EXPECT_EQ(header.detail(), bad.reason);
      EXPECT_EQ(Describe(areas_), areas_before);
    }
    const Status map = ReadMap(bad.idt);
    EXPECT_EQ(map.code(), bad.map_status);
    EXPECT_EQ(map.detail(), bad.reason);
    EXPECT_EQ(Describe(map_), map_before);
    ASSERT_EQ(ReadHeader(SampleMap()).code(), StatusCode::kOk);
  }
  ReadBoth(WithAreas(kMaxAreas).End());
  EXPECT_EQ(map_.MapAreaCount(), kMaxAreas);
}

// Bytes the process has read from files so far (Linux).
std::uint64_t BytesReadByProcess() {
  std::ifstream io("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return 0;
}

TEST_F(BaseMapFileTest, SizeIsCheckedFirstAndTheHeaderReaderStopsAtTheEndMarker) {
  ReadBoth(SampleMap());
  const std::string areas_before = Describe(areas_), map_before = Describe(map_);
  // A large point section, within what a base map may hold.
  const auto path = dir_.Write("big.IDT", Idt().Line("区").End().Separators(kMostRecords).bytes());
  const std::uint64_t before = BytesReadByProcess();
  ASSERT_EQ(ReadBaseMapHeader(path, areas_).code(), StatusCode::kOk);
  EXPECT_LT(BytesReadByProcess() - before, 1024u * 1024u) << "the point section was read";
  EXPECT_EQ(areas_.AreaCount(), 1);

  // One byte more than the most a base map may hold, as a sparse file.
  ReadBoth(SampleMap());
  std::filesystem::resize_file(path, MaxBaseMapFileBytes() + 1);
  for (const Status& result : {ReadBaseMapHeader(path, areas_), ReadBaseMap(path, map_)}) {
    EXPECT_EQ(result.code(), StatusCode::kTooLarge);
    EXPECT_EQ(result.detail(), "ファイルが大きすぎます");
  }
  EXPECT_EQ(Describe(areas_), areas_before);
  EXPECT_EQ(Describe(map_), map_before);
}

TEST_F(BaseMapFileTest, ALongTitleIsCutBetweenCharacters) {
  std::string title;
  for (int i = 0; i < 128; ++i)
    title += "あ";  // 256 bytes; the 256th is the second byte of the 128th
  ReadBoth(Idt(title).End());
  EXPECT_EQ(areas_.BaseMapTitle, Sjis(title.substr(0, 127 * 3)));
}

// Every prefix of a good file reads, fails as a missing end marker, or, cut
// between the outlines of the areas, fails as cut short; a failure leaves
// the model as it was.
TEST_F(BaseMapFileTest, TruncatedFilesFailCleanly) {
  const std::string whole = SampleMap().bytes();
  const std::size_t marker_end = whole.find("@STARTOFPOINTS") + 14;
  // The three outlines begin with the second, fifth and seventh records.
  const std::size_t points = whole.find('\0', marker_end);
  const std::size_t first_outline = points + 8, last_outline = points + 28;
  BaseMap map;
  AreaList areas;
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE(size);
    const std::string_view prefix(whole.data(), size);
    const StatusCode header = size < marker_end ? StatusCode::kBadFormat : StatusCode::kOk;
    const bool cut = size >= first_outline && size < last_outline;
    const std::string map_before = Describe(map), areas_before = Describe(areas);
    ASSERT_EQ(ParseBaseMapHeader(prefix, areas).code(), header);
    if (header != StatusCode::kOk) {
      EXPECT_EQ(Describe(areas), areas_before);
    }
    const Status read = ParseBaseMap(prefix, map);
    ASSERT_EQ(read.code(), cut ? StatusCode::kBadFormat : header);
    if (cut) {
      const std::string area = size < points + 20 ? "地域 1「北区」" : "地域 2「南区」";
      EXPECT_EQ(read.detail(),
                "点データが途中で終わっています（" + area + "から後の輪郭がありません）");
    }
    if (!read.ok()) {
      EXPECT_EQ(Describe(map), map_before);
    } else {
      EXPECT_TRUE(IsSeparator(map.Points[map.PointCount]));
    }
  }
}

}  // namespace
}  // namespace kartela
