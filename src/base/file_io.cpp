#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

namespace kartela {
namespace {

namespace fs = std::filesystem;

// The most symbolic links followed in a chain, as the kernel allows.
constexpr int kMaxLinkHops = 40;

// The permission bits a replaced file keeps; set-id bits are not carried
// over to a file that may now have another owner.
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// The status of the system's error `error_number` while doing `action` to
// the file `path`.
Status SystemFailure(int error_number, const fs::path& path, std::string_view action) {
  std::string detail = path.string();
  detail.append(": ").append(action).append(": ").append(std::strerror(error_number));
  return StatusFromErrno(error_number, std::move(detail));
}

// Closes a file descriptor when it goes.
class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  ~OpenFile() {
    if (fd_ >= 0) close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Opens a new file beside `path` that nobody else has; -1 on failure, with
// errno set.
int CreateTemporaryBeside(const fs::path& path, fs::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path;
    temporary += ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes all of `bytes`; the error number of the failure, 0 on success.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Reads exactly `bytes.size()` bytes; the error number of the failure, 0 on
// success. A file that ends sooner (it shrank since its size was taken) is
// an input/output error.
int ReadAll(int fd, std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return EIO;
    done += static_cast<std::size_t>(got);
  }
  return 0;
}

// The file a chain of symbolic links ends at, which need not exist yet; the
// path itself when it is no link.
StatusOr<fs::path> FinalTarget(fs::path path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::read_symlink(path, error);
    if (error) return SystemFailure(error.value(), path, "read link");
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return SystemFailure(ELOOP, path, "follow links");
}

// Whether the existing file `target`, described by `status`, may be replaced.
Status MayReplace(const fs::path& target, const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return SystemFailure(EISDIR, target, "replace");
  if (!S_ISREG(status.st_mode)) return SystemFailure(EINVAL, target, "replace a special file");
  if ((status.st_mode & kAnyWriteBit) == 0) return SystemFailure(EACCES, target, "replace");
  if (access(target.c_str(), W_OK) != 0) return SystemFailure(errno, target, "replace");
  return {};
}

// Writes `bytes` to a new file beside `target` with the permission bits of
// `existing`, when there is an existing file, and renames it over `target`.
Status ReplaceThroughTemporary(const fs::path& target, const struct stat* existing,
                               std::string_view bytes) {
  fs::path temporary;
  const int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) return SystemFailure(errno, target, "create");
  // The mode is set before any byte is written, so the contents of a private
  // file are never readable by others through the temporary file.
  int error = 0;
  const char* action = "write";
  if (existing != nullptr && fchmod(fd, existing->st_mode & kPermissionBits) != 0) {
    error = errno;
    action = "set the mode of";
  }
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    action = "rename over";
  }
  if (error == 0) return {};
  std::remove(temporary.c_str());
  return SystemFailure(error, target, action);
}

}  // namespace

StatusOr<std::string> ReadFileUpTo(const fs::path& path, std::uintmax_t max_bytes) {
  // Checked before opening, so that a pipe or a device is never opened.
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return SystemFailure(errno, path, "read");
  if (S_ISDIR(status.st_mode)) return SystemFailure(EISDIR, path, "read");
  if (!S_ISREG(status.st_mode)) return SystemFailure(EINVAL, path, "read a special file");
  const auto size = static_cast<std::uintmax_t>(status.st_size);
  if (size > max_bytes) {
    return Status(StatusCode::kTooLarge, path.string() + ": " + std::to_string(size) +
                                             " bytes, more than " + std::to_string(max_bytes));
  }
  const OpenFile file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.fd() < 0) return SystemFailure(errno, path, "open");
  // A file that grew since its size was taken is read only as far as the size.
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (const int error = ReadAll(file.fd(), bytes); error != 0) {
    return SystemFailure(error, path, "read");
  }
  return bytes;
}

StatusOr<std::string> ReadFileBytes(const fs::path& path) {
  return ReadFileUpTo(path, std::numeric_limits<std::uintmax_t>::max());
}

Status WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const StatusOr<fs::path> target = FinalTarget(path);
  if (!target.ok()) return target.status();
  struct stat status {};
  if (stat(target->c_str(), &status) == 0) {
    if (Status allowed = MayReplace(*target, status); !allowed.ok()) return allowed;
    return ReplaceThroughTemporary(*target, &status, bytes);
  }
  // A missing file is made; a missing directory fails as the file is made.
  if (errno != ENOENT) return SystemFailure(errno, *target, "write");
  return ReplaceThroughTemporary(*target, nullptr, bytes);
}

bool IsWritableDirectory(const fs::path& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         (status.st_mode & kAnyWriteBit) != 0 && access(path.c_str(), W_OK) == 0;
}

}  // namespace kartela
