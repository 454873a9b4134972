#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <random>

#include "base/file_size_limit.h"
#include "base/unwritable_dir.h"

namespace kartela {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public testing::Test {
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

// The bytes of `path`, or a text that no test writes.
std::string Bytes(const fs::path& path) {
  return ReadFileBytes(path).value_or("<unread>");
}

TEST_F(FileIoTest, WritesAndReadsBackBytesExactly) {
  const std::string bytes = std::string("a\r\nb\0c", 6) + "\x82\xa0";
  ASSERT_TRUE(WriteFileAtomically(dir_ / "x.DAT", bytes).ok());
  EXPECT_EQ(Bytes(dir_ / "x.DAT"), bytes);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "x.DAT", "new").ok());
  EXPECT_EQ(Bytes(dir_ / "x.DAT"), "new");
  EXPECT_EQ(EntryCount(), 1u);  // no temporary file left behind
}

TEST_F(FileIoTest, MissingFilesAndDirectoriesAreNotRead) {
  const StatusOr<std::string> missing = ReadFileBytes(dir_ / "missing");
  EXPECT_EQ(missing.status().code(), StatusCode::kNotFound);
  EXPECT_NE(missing.status().detail().find("missing"), std::string::npos);
  EXPECT_FALSE(ReadFileBytes(dir_).ok());
  EXPECT_EQ(ReadFileBytes(dir_ / "empty").value_or("x"), "x");
  std::ofstream(dir_ / "empty").close();
  EXPECT_EQ(Bytes(dir_ / "empty"), "");
}

TEST_F(FileIoTest, AFailedWriteLeavesTheOldFile) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "keep.INI", "old").ok());
  EXPECT_FALSE(WriteFileAtomically(dir_ / "no-such-dir" / "keep.INI", "new").ok());
  if (geteuid() != 0) {  // root writes anywhere, so only an ordinary user can test this
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(WriteFileAtomically(dir_ / "keep.INI", "new").ok());
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
  }
  EXPECT_EQ(Bytes(dir_ / "keep.INI"), "old");
  {
    const test::FileSizeLimit limit(2);  // binds root as well
    EXPECT_FALSE(WriteFileAtomically(dir_ / "keep.INI", "new").ok());
  }
  EXPECT_EQ(Bytes(dir_ / "keep.INI"), "old");
  EXPECT_EQ(EntryCount(), 1u);
  // A directory in the way of the rename: the write fails, nothing is left over.
  fs::create_directory(dir_ / "sub.DAT");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "sub.DAT", "new").ok());
  EXPECT_EQ(EntryCount(), 2u);
}

// The status says why, from the system's error, and names the file.
TEST_F(FileIoTest, AFailedWriteSaysWhy) {
  test::ForEachUnwritablePlace(dir_, [](const test::UnwritablePlace& place, const fs::path& dir) {
    const Status written = WriteFileAtomically(dir / "x.DAT", std::string(8192, 'x'));
    EXPECT_EQ(written.code(), place.code) << dir << ": " << written.detail();
    EXPECT_NE(written.detail().find((dir / "x.DAT").string()), std::string::npos)
        << written.detail();
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(dir, missing))
      EXPECT_FALSE(entry.path().filename().string().starts_with("x.DAT")) << "left over";
  });
  fs::create_directory(dir_ / "sub.DAT");
  EXPECT_EQ(WriteFileAtomically(dir_ / "sub.DAT", "new").code(), StatusCode::kIoError);
}

TEST_F(FileIoTest, AReplacedFileKeepsItsModeAndAProtectedOneIsRefused) {
  struct Case {
    fs::perms mode;
    bool replaced;
  };
  using P = fs::perms;
  for (const Case& c :
       {Case{P::owner_read | P::owner_write, true},
        Case{P::owner_read | P::owner_write | P::group_read, true},
        Case{P::owner_all | P::group_read | P::group_exec, true},
        Case{P::owner_read | P::group_read | P::others_read, false}, Case{P::none, false}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    const fs::path file = dir_ / "mode.DAT";
    fs::remove(file);
    ASSERT_TRUE(WriteFileAtomically(file, "old").ok());
    fs::permissions(file, c.mode);
    const Status written = WriteFileAtomically(file, "new");
    EXPECT_EQ(written.ok(), c.replaced);
    if (!c.replaced) {
      EXPECT_EQ(written.code(), StatusCode::kPermissionDenied);
    }
    EXPECT_EQ(fs::status(file).permissions(), c.mode);
    fs::permissions(file, P::owner_read, fs::perm_options::add);
    EXPECT_EQ(Bytes(file), c.replaced ? "new" : "old");
    EXPECT_EQ(EntryCount(), 1u);
  }
}

TEST_F(FileIoTest, ALinkIsFollowedToItsTargetAndStaysALink) {
  fs::create_directory(dir_ / "real");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "real" / "t.DAT", "old").ok());
  fs::permissions(dir_ / "real" / "t.DAT", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real/t.DAT", dir_ / "link.DAT");
  fs::create_symlink("link.DAT", dir_ / "chain.DAT");
  fs::create_symlink("real/new.DAT", dir_ / "dangling.DAT");

  ASSERT_TRUE(WriteFileAtomically(dir_ / "chain.DAT", "new").ok());
  EXPECT_TRUE(fs::is_symlink(dir_ / "chain.DAT"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.DAT"));
  EXPECT_EQ(Bytes(dir_ / "real" / "t.DAT"), "new");
  EXPECT_EQ(fs::status(dir_ / "real" / "t.DAT").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "dangling.DAT", "made").ok());
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.DAT"));
  EXPECT_EQ(Bytes(dir_ / "real" / "new.DAT"), "made");
  // The temporary file went beside the target, and is gone.
  EXPECT_EQ(EntryCount(), 4u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "real"), fs::directory_iterator()), 2);

  fs::create_symlink("loop.DAT", dir_ / "loop.DAT");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "loop.DAT", "new").ok());
}

TEST_F(FileIoTest, AFileLargerThanTheCapIsNotRead) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "ten", "0123456789").ok());
  EXPECT_EQ(ReadFileUpTo(dir_ / "ten", 10).value_or(""), "0123456789");
  EXPECT_EQ(ReadFileUpTo(dir_ / "ten", 9).status().code(), StatusCode::kTooLarge);
  EXPECT_EQ(ReadFileUpTo(dir_ / "none", 9).status().code(), StatusCode::kNotFound);
}

}  // namespace
}  // namespace kartela
