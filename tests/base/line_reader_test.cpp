#include "base/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kartela {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  LineReader reader(text);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line))
    lines.push_back(line);
  return lines;
}

using Strings = std::vector<std::string>;

TEST(LineReaderTest, EveryLineEndingEndsALine) {
  EXPECT_EQ(Lines("a\r\nb\nc\rd"), (Strings{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines("\n\r"), (Strings{"", ""}));
  EXPECT_EQ(Lines(""), Strings{});
  EXPECT_EQ(Lines("last"), Strings{"last"});
}

TEST(LineReaderTest, LongLinesAreCutAndTheRestSkipped) {
  const std::string text = std::string(300, 'x') + "\r\nnext";
  LineReader reader(text);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, std::string(kMaxLineLength, 'x'));
  EXPECT_TRUE(reader.LastLineWasCut());
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "next");
  EXPECT_FALSE(reader.LastLineWasCut());
}

TEST(LineReaderTest, OffsetPointsPastTheLineEnding) {
  const std::string text = std::string("@STARTOFPOINTS\r\n") + '\0' + '\0';
  LineReader reader(text);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(reader.Offset(), 16u);
}

}  // namespace
}  // namespace kartela
