#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <random>

namespace kartela {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("kartela-file-io-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

TEST_F(FileIoTest, WritesAndReadsBackBytesExactly) {
  const std::string bytes = std::string("a\r\nb\0c", 6) + "\x82\xa0";
  ASSERT_TRUE(WriteFileAtomically(dir_ / "x.DAT", bytes));
  EXPECT_EQ(ReadFileBytes(dir_ / "x.DAT"), bytes);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "x.DAT", "new"));
  EXPECT_EQ(ReadFileBytes(dir_ / "x.DAT"), "new");
  EXPECT_EQ(EntryCount(), 1u);  // no temporary file left behind
}

TEST_F(FileIoTest, MissingFilesAndDirectoriesAreNotRead) {
  EXPECT_FALSE(ReadFileBytes(dir_ / "missing").has_value());
  EXPECT_FALSE(ReadFileBytes(dir_).has_value());
  EXPECT_EQ(ReadFileBytes(dir_ / "empty").value_or("x"), "x");
  std::ofstream(dir_ / "empty").close();
  EXPECT_EQ(ReadFileBytes(dir_ / "empty"), "");
}

TEST_F(FileIoTest, AFailedWriteLeavesTheOldFile) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "keep.INI", "old"));
  EXPECT_FALSE(WriteFileAtomically(dir_ / "no-such-dir" / "keep.INI", "new"));
  if (geteuid() != 0) {  // root writes anywhere, so only an ordinary user can test this
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(WriteFileAtomically(dir_ / "keep.INI", "new"));
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
  }
  EXPECT_EQ(ReadFileBytes(dir_ / "keep.INI"), "old");
  // A directory in the way of the rename: the write fails, nothing is left over.
  fs::create_directory(dir_ / "sub.DAT");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "sub.DAT", "new"));
  EXPECT_EQ(EntryCount(), 2u);
}

}  // namespace
}  // namespace kartela
