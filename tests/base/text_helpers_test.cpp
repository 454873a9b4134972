#include "base/text_helpers.h"

#include <gtest/gtest.h>

namespace kartela {
namespace {

TEST(SplitAtTest, SplitsAtTheFirstSeparator) {
  EXPECT_EQ(SplitAt('=', "a=b=c"), std::make_pair(std::string("a"), std::string("b=c")));
  EXPECT_EQ(SplitAt('=', "abc"), std::make_pair(std::string("abc"), std::string()));
  EXPECT_EQ(SplitAt(',', ",x"), std::make_pair(std::string(), std::string("x")));
  EXPECT_EQ(SplitAt('/', "1,2/"), std::make_pair(std::string("1,2"), std::string()));
}

TEST(SplitPathTest, SplitsDirectoryNameAndExtension) {
  const PathParts parts = SplitPath("/home/user/maps/OTHER.XYZ");
  EXPECT_EQ(parts.dir, "/home/user/maps/");
  EXPECT_EQ(parts.name, "OTHER");
  EXPECT_EQ(parts.ext, ".XYZ");
  const PathParts bare = SplitPath("TOKYO");
  EXPECT_EQ(bare.dir, "");
  EXPECT_EQ(bare.name, "TOKYO");
  EXPECT_EQ(bare.ext, "");
  EXPECT_EQ(SplitPath("dir.d/name").ext, "");
  EXPECT_EQ(SplitPath("a.b.DAT").name, "a.b");
}

TEST(SplitPathTest, WindowsReferencesSplitButDoubleByteBackslashesDoNot) {
  const PathParts windows = SplitPath("C:\\MAPS\\JAPAN.IDT");
  EXPECT_EQ(windows.dir, "C:\\MAPS\\");
  EXPECT_EQ(windows.name, "JAPAN");
  // "表.IDT": the second byte of 表 is 0x5C.
  const PathParts hyo = SplitPath("\x95\x5c.IDT");
  EXPECT_EQ(hyo.dir, "");
  EXPECT_EQ(hyo.name, "\x95\x5c");
}

TEST(ToUpperAsciiTest, UpperCasesLettersOnly) {
  EXPECT_EQ(ToUpperAscii("@Resolution.dat1"), "@RESOLUTION.DAT1");
}

}  // namespace
}  // namespace kartela
