#include "model/data_file.h"
#include "model/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/file_size_limit.h"
#include "test_support.h"

namespace kartela {
namespace {

using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;

// A base-map header with the given area lines and an empty point section.
std::string BaseMapBytes(const std::vector<std::string>& area_lines) {
  std::string bytes = Sjis("テスト地図") + "\r\n";
  for (const auto& line : area_lines)
    bytes += line + "\r\n";
  return bytes + "@STARTOFPOINTS\r\n" + std::string(4, '\0');
}

std::string DataBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines)
    bytes += line + "\r\n";
  return bytes;
}

class DataFileTest : public testing::Test {
 protected:
  void SetUp() override {
    program_dir_.Write("T.IDT",
                       BaseMapBytes({Sjis("北海道=10,10"), Sjis("青森=20,20"), Sjis("岩手")}));
    // What the model holds before a read; a failed read must leave it so.
    areas_.AreaNames = {"OLD"};
    areas_.CurrentBaseMapFile = "OLD.IDT";
    data_.DataTitle = "old title";
    data_.DataValues.assign(kMaxAreas, "9");
  }

  bool Read(std::string_view bytes) { return ReadPath(data_dir_.Write("D.DAT", bytes)); }
  bool ReadPath(const std::filesystem::path& path) {
    return ReadDataFile(path, program_dir_.path(), areas_, data_, reporter_);
  }

  void ExpectModelUnchanged() const {
    EXPECT_EQ(areas_.AreaNames, std::vector<std::string>{"OLD"});
    EXPECT_EQ(areas_.CurrentBaseMapFile, "OLD.IDT");
    EXPECT_EQ(data_.DataTitle, "old title");
    EXPECT_EQ(data_.DataValues, std::vector<std::string>(kMaxAreas, "9"));
  }

  // Values of areas 1..n.
  std::vector<std::string> FirstValues(std::size_t n) const {
    return {data_.DataValues.begin(), data_.DataValues.begin() + static_cast<std::ptrdiff_t>(n)};
  }

  ScratchDir program_dir_;
  ScratchDir data_dir_;
  AreaList areas_;
  DataSet data_;
  RecordingReporter reporter_;
};

TEST_F(DataFileTest, ReadsReferenceTitleAndValues) {
  ASSERT_TRUE(Read(DataBytes({"T.IDT", Sjis("人口"), "12", " 3.5", Sjis("不明")})));
  EXPECT_EQ(areas_.CurrentBaseMapFile, "T.IDT");
  EXPECT_EQ(areas_.AreaNames,
            (std::vector<std::string>{Sjis("北海道"), Sjis("青森"), Sjis("岩手")}));
  EXPECT_EQ(data_.DataTitle, Sjis("人口"));
  EXPECT_EQ(FirstValues(4), (std::vector<std::string>{"12", " 3.5", Sjis("不明"), ""}));
  EXPECT_EQ(data_.DataValues.size(), static_cast<std::size_t>(kMaxAreas));
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(DataFileTest, ShortFilesGiveEveryValueEmpty) {
  ASSERT_TRUE(Read(DataBytes({"T.IDT", "title"})));
  EXPECT_EQ(data_.DataTitle, "title");
  EXPECT_EQ(data_.DataValues, std::vector<std::string>(kMaxAreas));

  data_.DataValues[0] = "9";
  ASSERT_TRUE(Read("T.IDT"));  // no title line
  EXPECT_EQ(areas_.AreaCount(), 3);
  EXPECT_EQ(data_.DataTitle, "");
  EXPECT_EQ(data_.DataValues, std::vector<std::string>(kMaxAreas));
}

TEST_F(DataFileTest, AcceptsEveryLineEnding) {
  ASSERT_TRUE(Read("T.IDT\ntitle\r1\r\n\n3"));
  EXPECT_EQ(data_.DataTitle, "title");
  EXPECT_EQ(FirstValues(4), (std::vector<std::string>{"1", "", "3", ""}));
}

TEST_F(DataFileTest, BareReferenceIsLookedUpInTheProgramDirectory) {
  // A base map of the same name beside the data file is not the one used.
  data_dir_.Write("T.IDT", BaseMapBytes({"ELSEWHERE"}));
  ASSERT_TRUE(Read(DataBytes({"T.IDT", "", "1"})));
  EXPECT_EQ(areas_.AreaCount(), 3);
  EXPECT_EQ(areas_.CurrentBaseMapFile, "T.IDT");
}

TEST_F(DataFileTest, FullReferenceIsUsedAsItStands) {
  const auto other = data_dir_.Write("OTHER.IDT", BaseMapBytes({"A", "B"}));
  ASSERT_TRUE(Read(DataBytes({other.string(), "", "1", "2"})));
  EXPECT_EQ(areas_.AreaNames, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(areas_.CurrentBaseMapFile, other.string());
}

TEST_F(DataFileTest, KeepsBytesThatAreNotShiftJis) {
  const std::string odd_title = "\x81\xA0\xFD title";
  const std::string odd_value = "\xFF\x81";
  ASSERT_TRUE(Read(DataBytes({"T.IDT", odd_title, odd_value})));
  EXPECT_EQ(data_.DataTitle, odd_title);
  EXPECT_EQ(data_.DataValues[0], odd_value);
}

TEST_F(DataFileTest, FilesWrittenAsUtf8ReadAsTheirShiftJis) {
  // Data file and base map typed in a Linux editor, with and without a mark.
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    SCOPED_TRACE(mark.empty() ? "without a byte-order mark" : "with a byte-order mark");
    program_dir_.Write("全国.IDT",
                       mark + "全国\n北海道=10,10\n沖縄\n@STARTOFPOINTS\n" + std::string(4, '\0'));
    ASSERT_TRUE(Read(mark + "全国.IDT\n人口\n12\n不明\n出典：国勢調査\n"));
    EXPECT_EQ(areas_.CurrentBaseMapFile, Sjis("全国.IDT"));
    EXPECT_EQ(areas_.BaseMapTitle, Sjis("全国"));
    EXPECT_EQ(areas_.AreaNames, (std::vector{Sjis("北海道"), Sjis("沖縄")}));
    EXPECT_EQ(data_.DataTitle, Sjis("人口"));
    EXPECT_EQ(FirstValues(2), (std::vector{std::string("12"), Sjis("不明")}));
    EXPECT_EQ(data_.DataNotes, std::vector{Sjis("出典：国勢調査")});
    EXPECT_TRUE(data_.DataReadAsUtf8);
    EXPECT_NE(DataSavedNotice(areas_, data_).find("UTF-8"), std::string::npos);
  }
  ASSERT_TRUE(Read(DataBytes({Sjis("全国.IDT"), Sjis("人口"), "1"})));
  EXPECT_FALSE(data_.DataReadAsUtf8);
  EXPECT_EQ(DataSavedNotice(areas_, data_), kSavedNotice);

  // A character Shift-JIS cannot hold is refused, not written back changed.
  const DataSet before = data_;
  EXPECT_FALSE(Read("全国.IDT\n人口\n한\n"));
  EXPECT_EQ(reporter_.Numbers(), std::vector{kMsgFileReadFailed});
  EXPECT_NE(reporter_.messages.back().text.find("3 行目"), std::string::npos);
  EXPECT_EQ(data_.DataTitle, before.DataTitle);
}

TEST_F(DataFileTest, LongTitleIsCutWithoutSplittingACharacter) {
  std::string double_bytes;
  for (int i = 0; i < 150; ++i)
    double_bytes += Sjis("あ");  // 300 bytes
  ASSERT_TRUE(Read(DataBytes({"T.IDT", double_bytes, "1"})));
  EXPECT_EQ(data_.DataTitle, double_bytes.substr(0, 254));
  EXPECT_EQ(data_.DataValues[0], "1");

  ASSERT_TRUE(Read(DataBytes({"T.IDT", "a" + double_bytes, "2"})));
  EXPECT_EQ(data_.DataTitle, "a" + double_bytes.substr(0, 254));
  EXPECT_EQ(data_.DataValues[0], "2");
}

TEST_F(DataFileTest, LinesAfterTheLastAreaAreNotesKeptWhole) {
  // A source line after the values, as statistics offices publish them, and
  // surplus lines of any length: none of them is a value of the three areas.
  const std::string source = Sjis("出典：総務省統計局「国勢調査」");
  const std::string long_note(300, 'n');
  std::vector<std::string> lines = {"T.IDT", "title", "1", "2", "3", source, "", long_note};
  for (int i = 1; i <= kMaxAreas; ++i)
    lines.push_back(std::to_string(i));
  const std::string bytes = DataBytes(lines);
  ASSERT_TRUE(Read(bytes));
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(FirstValues(4), (std::vector<std::string>{"1", "2", "3", ""}));
  EXPECT_EQ(data_.DataValues.size(), static_cast<std::size_t>(kMaxAreas));
  ASSERT_EQ(data_.DataNotes.size(), 3u + kMaxAreas);
  EXPECT_EQ(data_.DataNotes[0], source);
  EXPECT_EQ(data_.DataNotes[2], long_note);
  EXPECT_EQ(FormatDataFile(areas_, data_), bytes) << "written back as read";

  ASSERT_TRUE(Read(DataBytes({"T.IDT", "title", "1"})));
  EXPECT_TRUE(data_.DataNotes.empty()) << "a file without notes drops the old ones";
}

// The source line a map proposes: the first note of the source, else the
// first note with text; a table's data note names its file.
TEST(ProposedSourceTest, FirstSourceNoteElseFirstNote) {
  const struct {
    std::vector<std::string> notes;
    std::string proposed;
  } cases[] = {
      {{}, ""},
      {{"", "  "}, ""},
      {{Sjis("注：推計値"), Sjis("  出典：総務省「国勢調査」 ")}, Sjis("出典：総務省「国勢調査」")},
      {{"", Sjis(" 注：推計値")}, Sjis("注：推計値")},
      {{std::string(100, 'a')}, std::string(kMaxFurnitureTextBytes, 'a')},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProposedSourceText(c.notes), c.proposed) << c.notes.size();
  EXPECT_EQ(SourceNoteOf("pop.csv"), Sjis("出典：pop.csv"));
  EXPECT_EQ(ProposedSourceText({SourceNoteOf("pop.csv")}), Sjis("出典：pop.csv"));
}

TEST_F(DataFileTest, ValueOfElevenBytesIsKept) {
  ASSERT_TRUE(Read(DataBytes({"T.IDT", "", "-1234567.89", Sjis("１２３４５") + "6"})));
  EXPECT_EQ(FirstValues(2), (std::vector<std::string>{"-1234567.89", Sjis("１２３４５") + "6"}));
}

// Every failure names its cause and leaves the model as it was.
TEST_F(DataFileTest, FailuresLeaveTheModelUnchanged) {
  const std::string too_long_reference = "T" + std::string(260, 'x') + ".IDT";
  struct Case {
    const char* what;
    std::string bytes;
    int message;
    std::string reason;  // the second line of the message
  };
  const std::vector<Case> cases = {
      {"empty file", "", 4, "ファイルが空です"},
      {"value of twelve bytes", DataBytes({"T.IDT", "", "1", "-12345678.90"}), 4,
       "4 行目の値が 11 バイトを超えています"},
      {"value of twelve bytes in double-byte characters",
       DataBytes({"T.IDT", "", Sjis("１２３４５６")}), 4, "3 行目の値が 11 バイトを超えています"},
      {"value line longer than a line", DataBytes({"T.IDT", "", "1", "2", std::string(300, '1')}),
       4, "5 行目の値が 11 バイトを超えています"},
      {"reference longer than a line", DataBytes({too_long_reference, ""}), 4,
       "1 行目（基本地図の名前）が 255 バイトを超えています"},
      {"missing base map", DataBytes({"NONE.IDT", "", "1"}), 3, "ファイルが見つかりません"},
      {"empty reference", DataBytes({"", "", "1"}), 3, "ファイルが見つかりません"},
      {"text file that is not a data file", "hello world\r\nsecond line\r\n", 4,
       "データファイルではありません（1 行目が基本地図のファイル名 (.IDT) ではありません）"},
      {"reference of another kind of file", DataBytes({"T.DAT", "", "1"}), 4,
       "データファイルではありません（1 行目が基本地図のファイル名 (.IDT) ではありません）"},
      {"base map reference that is not Shift-JIS", DataBytes({"\x81\xFF.IDT", ""}), 3,
       "ファイルが見つかりません"},
      {"NUL byte after an existing base map's name",
       DataBytes({std::string("T.IDT\0/X.IDT", 12), ""}), 3, "ファイルが見つかりません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reporter_.messages.clear();
    EXPECT_FALSE(Read(c.bytes));
    ASSERT_EQ(reporter_.Numbers(), std::vector<int>{c.message});
    const std::string& text = reporter_.messages[0].text;
    const std::size_t second_line = text.find('\n');
    EXPECT_EQ(second_line == std::string::npos ? "" : text.substr(second_line + 1), c.reason);
    ExpectModelUnchanged();
  }
}

TEST_F(DataFileTest, BrokenBaseMapIsReportedWithItsReference) {
  program_dir_.Write("BAD.IDT", Sjis("見出し") + "\r\nA\r\nB\r\n");  // no end of header
  EXPECT_FALSE(Read(DataBytes({"BAD.IDT", "", "1"})));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].text,
            "ＩＤＴファイル：BAD.IDT の読み込みに失敗しました！\n@STARTOFPOINTS がありません");
  ExpectModelUnchanged();

  reporter_.messages.clear();
  EXPECT_FALSE(Read(DataBytes({"\x81\xFF.IDT", ""})));
  EXPECT_EQ(reporter_.messages.at(0).text,
            "ＩＤＴファイル：\xEF\xBF\xBD\xEF\xBF\xBD.IDT の読み込みに失敗しました！\n"
            "ファイルが見つかりません");
}

TEST_F(DataFileTest, FindsItsBaseMapWhateverTheLetterCaseOrWhereWindowsPutIt) {
  data_dir_.Write("beside.idt", BaseMapBytes({"X"}));
  const std::string beside = (data_dir_.path() / "beside.idt").string();
  const std::pair<std::string, std::string> cases[] = {
      {"t.idt \t", "T.IDT"},                   // kept as the file is called
      {Sjis("C:\\地図\\T.IDT"), "T.IDT"},      // not beside the data: the program's
      {Sjis("C:\\地図\\BESIDE.IDT"), beside},  // beside the data first
      {"BESIDE.IDT", beside},                  // as a save writes it back
  };
  for (const auto& [reference, kept] : cases) {
    SCOPED_TRACE(reference);
    ASSERT_TRUE(Read(DataBytes({reference, "", "1"})));
    EXPECT_EQ(areas_.CurrentBaseMapFile, kept);
    EXPECT_EQ(FormatDataFile(areas_, data_).substr(0, 2), kept == beside ? "be" : "T.");
  }
  // A data file named without a directory looks beside itself too.
  data_dir_.Write("D.DAT", DataBytes({"BESIDE.IDT", "", "1"}));
  const std::filesystem::path working = std::filesystem::current_path();
  std::filesystem::current_path(data_dir_.path());
  const bool read = ReadPath("D.DAT");
  std::filesystem::current_path(working);
  ASSERT_TRUE(read);
  EXPECT_EQ(areas_.CurrentBaseMapFile, beside);
}

TEST_F(DataFileTest, TooLargeFileIsRefusedBeforeItIsRead) {
  const auto path = data_dir_.Write("BIG.DAT", DataBytes({"T.IDT", ""}));
  std::filesystem::resize_file(path, (kMaxAreas + 2) * 257 + 1);
  EXPECT_FALSE(ReadPath(path));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].text,
            "ファイル：" + path.string() + " の読み込みに失敗しました。\nファイルが大きすぎます");
  ExpectModelUnchanged();
}

TEST_F(DataFileTest, MalformedFileIsReportedWithItsPath) {
  const auto path = data_dir_.Write("データ.DAT", DataBytes({"T.IDT", "", "123456789012"}));
  EXPECT_FALSE(ReadPath(path));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].text, "ファイル：" + path.string() +
                                            " の読み込みに失敗しました。\n"
                                            "3 行目の値が 11 バイトを超えています");
}

TEST_F(DataFileTest, UnopenableFileIsReportedAsUnusable) {
  EXPECT_FALSE(ReadPath(data_dir_.path() / "MISSING.DAT"));
  EXPECT_FALSE(ReadPath(data_dir_.path()));
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{6, 6}));
  ExpectModelUnchanged();
}

class DataFileWriteTest : public DataFileTest {
 protected:
  void SetUp() override {
    DataFileTest::SetUp();
    areas_.AreaNames = {Sjis("北海道"), Sjis("青森"), Sjis("岩手"), Sjis("宮城")};
    areas_.CurrentBaseMapFile = "T.IDT";
    data_.DataTitle = Sjis("人口（千人）");
    data_.DataValues.assign(kMaxAreas, "");
    data_.DataValues[0] = " 12";
    data_.DataValues[2] = "2.0E15";
    data_.DataValues[3] = Sjis("不明");
    data_.DataValues[4] = "beyond the areas";
  }
};

TEST_F(DataFileWriteTest, WritesExactlyOneLinePerArea) {
  EXPECT_EQ(FormatDataFile(areas_, data_), "T.IDT\r\n" + Sjis("人口（千人）") +
                                               "\r\n 12\r\n\r\n2.0E15\r\n" + Sjis("不明") + "\r\n");
}

TEST_F(DataFileWriteTest, ReferenceIsTheBaseMapsNameWithoutDirectory) {
  areas_.CurrentBaseMapFile = Sjis("C:\\地図\\全国２.IDT");
  const std::string first_line = Sjis("全国２.IDT") + "\r\n";
  EXPECT_EQ(FormatDataFile(areas_, data_).substr(0, first_line.size()), first_line);
  areas_.CurrentBaseMapFile = "/usr/share/maps/T.IDT";
  EXPECT_EQ(FormatDataFile(areas_, data_).substr(0, 7), "T.IDT\r\n");
}

TEST_F(DataFileWriteTest, RoundTripsByteForByte) {
  program_dir_.Write("T.IDT", BaseMapBytes({"A", "B", "C", "D"}));
  const auto path = data_dir_.path() / "R.DAT";
  ASSERT_TRUE(WriteDataFile(path, areas_, data_).ok());

  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(path, program_dir_.path(), areas, data, reporter_));
  EXPECT_EQ(data.DataTitle, data_.DataTitle);
  EXPECT_EQ(std::vector<std::string>(data.DataValues.begin(), data.DataValues.begin() + 4),
            FirstValues(4));
  EXPECT_EQ(data.DataValues[4], "");  // surplus slots are not written
  EXPECT_EQ(FormatDataFile(areas, data), data_dir_.Read("R.DAT"));
}

// Only what reads back the same is written: a longer value, or a line break,
// would make the file unreadable or shift every later value.
TEST_F(DataFileWriteTest, RefusesDataThatWouldNotReadBack) {
  struct Case {
    const char* what;
    std::size_t area;  // index of the value changed; kMaxAreas for the title
    std::string text;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"value of twelve bytes", 1, "123456789012", "区域 2（青森）の値が 11 バイトを超えています"},
      {"line break in a value", 3, "1\r\n2", "区域 4（宮城）の値に改行があります"},
      {"line break in the title", kMaxAreas, "a\nb", "タイトルに改行があります"},
  };
  const auto path = data_dir_.Write("OLD.DAT", "old contents");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DataSet data = data_;
    (c.area == kMaxAreas ? data.DataTitle : data.DataValues[c.area]) = c.text;
    const Status written = WriteDataFile(path, areas_, data);
    EXPECT_EQ(written.code(), StatusCode::kRefused);
    EXPECT_EQ(written.detail(), c.reason);
    EXPECT_EQ(data_dir_.Read("OLD.DAT"), "old contents");
  }
  // Slots beyond the areas are never written, so they do not count.
  data_.DataValues[4] = "123456789012";
  data_.DataNotes = {Sjis("出典：総務省統計局「国勢調査」")};
  EXPECT_TRUE(WriteDataFile(path, areas_, data_).ok());
  EXPECT_TRUE(data_dir_.Read("OLD.DAT").ends_with(data_.DataNotes[0] + "\r\n"));
}

// Shift-JIS whose bytes also form valid UTF-8 (half-width katakana, a pair
// that spells a byte-order mark) must not read back as another text.
TEST_F(DataFileWriteTest, ShiftJisThatLooksLikeUtf8ReadsBackTheSame) {
  program_dir_.Write("T.IDT", BaseMapBytes({"A", "B", "C", "D"}));
  const auto path = data_dir_.path() / "K.DAT";
  data_.DataTitle = Sjis("ﾂｱ");  // C2 B1, which UTF-8 reads as a plus-minus sign
  data_.DataValues.assign(kMaxAreas, "1");
  data_.DataNotes = {Sjis("ﾃｽﾄ")};
  ASSERT_TRUE(WriteDataFile(path, areas_, data_).ok());
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(path, program_dir_.path(), areas, data, reporter_));
  EXPECT_EQ(data.DataTitle, data_.DataTitle);
  EXPECT_EQ(data.DataNotes, data_.DataNotes);
  EXPECT_EQ(FormatDataFile(areas, data), data_dir_.Read("K.DAT"));
  // Written as UTF-8 again, so the notice says nothing of Shift-JIS.
  EXPECT_EQ(DataSavedNotice(areas, data), kSavedNotice);

  // A file read as Shift-JIS whose title holds bytes that are no character
  // yet spell a byte-order mark: no form of it reads back the same.
  program_dir_.Write("F.IDT", BaseMapBytes({"A=1,1", "B"}));
  const std::string found_by_fuzzing =
      "FK\xd0\xd0\xd0(\x08\xd0*;AD\\\\////////3//\xc7/\xbd/F.IDT\n}}}\xef\xbb\xbf}}}}}}}FD";
  ASSERT_TRUE(Read(found_by_fuzzing));
  EXPECT_EQ(DataFileWriteRefusal(areas_, data_),
            "Shift-JIS の文字でないバイトが UTF-8 と読める形で並び、書いても同じに読み戻せません");
  EXPECT_EQ(WriteDataFile(path, areas_, data_).code(), StatusCode::kRefused);
}

TEST_F(DataFileWriteTest, FailedWriteLeavesWhatWasThere) {
  EXPECT_EQ(WriteDataFile(data_dir_.path() / "no such dir" / "X.DAT", areas_, data_).code(),
            StatusCode::kNotFound);
  EXPECT_FALSE(std::filesystem::exists(data_dir_.path() / "no such dir"));

  // A directory cannot be replaced by the file.
  std::filesystem::create_directory(data_dir_.path() / "D.DAT");
  data_dir_.Write("D.DAT/inside", "kept");
  EXPECT_FALSE(WriteDataFile(data_dir_.path() / "D.DAT", areas_, data_).ok());
  EXPECT_EQ(data_dir_.Read("D.DAT/inside"), "kept");
}

TEST_F(DataFileWriteTest, FailedWriteLeavesTheOldFile) {
  const auto path = data_dir_.Write("OLD.DAT", "old contents");
  {
    const test::FileSizeLimit full_disk(4);
    EXPECT_EQ(WriteDataFile(path, areas_, data_).code(), StatusCode::kNoSpace);
  }
  EXPECT_EQ(data_dir_.Read("OLD.DAT"), "old contents");
  // A file the user protected is refused, by root as well.
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  EXPECT_EQ(WriteDataFile(path, areas_, data_).code(), StatusCode::kPermissionDenied);
  EXPECT_EQ(data_dir_.Read("OLD.DAT"), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data_dir_.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace kartela
