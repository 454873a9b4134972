// Directories a save cannot write into, as users meet them: a read-only one,
// a missing one, and one on a full disk. Root writes into a directory
// whatever its mode, so for root the read-only and the full directory are
// small file systems of their own (tmpfs, mounted read-only, or filled up),
// mounted in a mount namespace of the test's own so that nothing outside the
// test sees them and they go with the process. Without root the read-only
// directory has no write permission bits and the full disk is a file size
// limit (RLIMIT_FSIZE: a write past it fails with EFBIG), as it is where
// mounting is not allowed.
#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "base/file_size_limit.h"
#include "base/status.h"

namespace kartela::test {

enum class Unwritable { kReadOnly, kMissing, kFull };

class UnwritableDir {
 public:
  // The directory in `parent`, named after `kind`.
  UnwritableDir(const std::filesystem::path& parent, Unwritable kind)
      : path_(parent / (kind == Unwritable::kReadOnly  ? "read-only"
                        : kind == Unwritable::kMissing ? "missing"
                                                       : "full")) {
    if (kind == Unwritable::kMissing) return;
    std::filesystem::create_directory(path_);
    if (kind == Unwritable::kReadOnly) {
      if (geteuid() == 0) {
        mounted_ = Mount(MS_RDONLY);
        ready_ = mounted_;
      } else {
        std::filesystem::permissions(
            path_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
      }
      return;
    }
    mounted_ = geteuid() == 0 && Mount(0);
    if (mounted_) {
      FillUp();
    } else {
      limit_ = std::make_unique<FileSizeLimit>(0);
    }
  }
  ~UnwritableDir() {
    limit_.reset();
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  UnwritableDir(const UnwritableDir&) = delete;
  UnwritableDir& operator=(const UnwritableDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // False only for a read-only directory where root may not mount.
  bool ready() const { return ready_; }

 private:
  // Mounts a 64 KiB tmpfs on the directory, in the process's own mount
  // namespace (made once, with nothing propagated back).
  bool Mount(unsigned long flags) const {
    static const bool kOwnNamespace =
        unshare(CLONE_NEWNS) == 0 &&
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return kOwnNamespace &&
           mount("tmpfs", path_.c_str(), "tmpfs", flags | MS_NOSUID | MS_NODEV, "size=64k") == 0;
  }
  // Writes a file until the file system has no space left.
  void FillUp() const {
    std::ofstream filler(path_ / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    for (int i = 0; i < 1024 && filler.write(block.data(), block.size()); ++i)
      filler.flush();
  }

  std::filesystem::path path_;
  bool mounted_ = false;
  bool ready_ = true;
  std::unique_ptr<FileSizeLimit> limit_;
};

// Each place, what a write there fails with, and the cause the user reads
// for it under the save-failed message.
struct UnwritablePlace {
  Unwritable kind;
  StatusCode code;
  std::string_view cause;
};
inline constexpr UnwritablePlace kUnwritablePlaces[] = {
    {Unwritable::kReadOnly, StatusCode::kPermissionDenied, "書き込みが許可されていません"},
    {Unwritable::kMissing, StatusCode::kNotFound, "フォルダーが見つかりません"},
    {Unwritable::kFull, StatusCode::kNoSpace, "ディスクの空き容量が足りません"},
};

// Calls `save(place, directory)` for each place, made in `parent` for the
// call; a place that cannot be made (read-only, for root where mounting is
// not allowed) is left out.
template <typename Save>
void ForEachUnwritablePlace(const std::filesystem::path& parent, Save save) {
  for (const UnwritablePlace& place : kUnwritablePlaces) {
    const UnwritableDir dir(parent, place.kind);
    if (dir.ready()) save(place, dir.path());
  }
}

}  // namespace kartela::test
