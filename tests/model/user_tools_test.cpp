#include "model/user_tools.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace kartela {
namespace {

using test::ScratchDir;
using test::Sjis;

constexpr std::string_view kProgramDir = "/opt/kartela/";

std::vector<UserTool> Parse(std::string_view text) {
  return ParseUserTools(text, kProgramDir);
}

TEST(UserToolsTest, OffersAtMostElevenToolsInFileOrder) {
  std::string text;
  for (int i = 1; i <= 12; ++i) {
    text += "Tool" + std::to_string(i) + "=/usr/bin/tool" + std::to_string(i) + "\r\n";
  }
  const auto tools = Parse(text);
  ASSERT_EQ(tools.size(), 11u);
  EXPECT_EQ(tools.front().caption, "Tool1");
  EXPECT_EQ(tools.back().caption, "Tool11");
  EXPECT_EQ(tools.back().command, "/usr/bin/tool11");
}

TEST(UserToolsTest, AFileWrittenAsUtf8ReadsAsItsShiftJis) {
  const auto tools = Parse("\xEF\xBB\xBF表計算=/usr/bin/表 計算\n");
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0].caption, Sjis("表計算"));
  EXPECT_EQ(tools[0].command, Sjis("/usr/bin/表 計算"));
}

TEST(UserToolsTest, SkippedLinesDoNotCountTowardsTheLimit) {
  std::string text = ";Comment=/usr/bin/nothing\r\nEmpty=\r\nNo separator\r\n\r\n";
  for (int i = 1; i <= 11; ++i)
    text += "T" + std::to_string(i) + "=/bin/t\r\n";
  const auto tools = Parse(text);
  ASSERT_EQ(tools.size(), 11u);
  EXPECT_EQ(tools.front().caption, "T1");
}

TEST(UserToolsTest, ABareProgramNameRunsFromTheProgramDirectory) {
  const auto tools = Parse(Sjis("電卓 = calc -x ; the calculator\r\n"));
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0].caption, Sjis("電卓"));
  EXPECT_EQ(tools[0].command, "/opt/kartela/calc -x");
  // The second byte of 表 has the code of a backslash and is no separator.
  const auto sheet = Parse(Sjis("表=表計算\r\n"));
  ASSERT_EQ(sheet.size(), 1u);
  EXPECT_EQ(sheet[0].command, "/opt/kartela/" + Sjis("表計算"));
}

TEST(UserToolsTest, ACommandWithADirectoryOrDriveIsKept) {
  const auto tools = Parse(
      "Editor=/usr/bin/editor\r\n"
      "Local=bin/tool\r\n"
      "Notepad=C:\\WINDOWS\\NOTEPAD.EXE\r\n"
      "Drive=A:SETUP\r\n"
      "Arguments=viewer /tmp/map.png\r\n");
  ASSERT_EQ(tools.size(), 5u);
  EXPECT_EQ(tools[0].command, "/usr/bin/editor");
  EXPECT_EQ(tools[1].command, "bin/tool");
  EXPECT_EQ(tools[2].command, "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(tools[3].command, "A:SETUP");
  // Only the program word is looked at for "/": an argument may be a path.
  EXPECT_EQ(tools[4].command, "/opt/kartela/viewer /tmp/map.png");
}

TEST(UserToolsTest, AProgramDirectoryWithBlanksIsQuoted) {
  const auto tools = ParseUserTools("Tool=tool arg\n", "/home/me/my maps/");
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0].command, "\"/home/me/my maps/\"tool arg");
}

TEST(UserToolsTest, TheCommandIsSplitAtTheFirstEqualsSign) {
  const auto tools = Parse("Run=/bin/sh -c x=1\n");
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0].command, "/bin/sh -c x=1");
}

TEST(UserToolsTest, ALongCommandIsCutWithoutSplittingACharacter) {
  const std::string program_dir = "/" + std::string(250, 'a') + "/";
  const auto tools = ParseUserTools(Sjis("Long=xy表\n"), program_dir);
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0].command, program_dir + "xy");
}

TEST(UserToolsTest, AMissingFileGivesNoTools) {
  ScratchDir dir;
  EXPECT_TRUE(ReadUserTools(dir.path() / "kartela.MNU", kProgramDir).empty());
  const auto tools = ReadUserTools(dir.Write("kartela.MNU", "A=/bin/a\r\n"), kProgramDir);
  EXPECT_EQ(tools.size(), 1u);
}

}  // namespace
}  // namespace kartela
