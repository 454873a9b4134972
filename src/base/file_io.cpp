#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <limits>

namespace kartela {
namespace {

namespace fs = std::filesystem;

// The most symbolic links followed in a chain, as the kernel allows.
constexpr int kMaxLinkHops = 40;

// The permission bits a replaced file keeps; set-id bits are not carried
// over to a file that may now have another owner.
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// Opens a new file beside `path` that nobody else has; -1 on failure.
int CreateTemporaryBeside(const fs::path& path, fs::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path;
    temporary += ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a chain of symbolic links ends at, which need not exist yet; the
// path itself when it is no link. nullopt for a chain that never ends.
std::optional<fs::path> FinalTarget(fs::path path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

// Whether the existing file `target`, described by `status`, may be replaced.
bool MayReplace(const fs::path& target, const struct stat& status) {
  return S_ISREG(status.st_mode) && (status.st_mode & kAnyWriteBit) != 0 &&
         access(target.c_str(), W_OK) == 0;
}

// Writes `bytes` to a new file beside `target` with the permission bits of
// `existing`, when there is an existing file, and renames it over `target`.
bool ReplaceThroughTemporary(const fs::path& target, const struct stat* existing,
                             std::string_view bytes) {
  fs::path temporary;
  const int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) return false;
  // The mode is set before any byte is written, so the contents of a private
  // file are never readable by others through the temporary file.
  const bool complete =
      (existing == nullptr || fchmod(fd, existing->st_mode & kPermissionBits) == 0) &&
      WriteAll(fd, bytes) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (complete && closed && std::rename(temporary.c_str(), target.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace

FileBytes ReadFileUpTo(const fs::path& path, std::uintmax_t max_bytes) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return {};
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return {};
  if (size > max_bytes) return {FileReadStatus::kTooLarge, {}};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  // A file that grew since its size was taken is read only as far as the size.
  FileBytes read{FileReadStatus::kOk, std::string(static_cast<std::size_t>(size), '\0')};
  if (!in.read(read.bytes.data(), static_cast<std::streamsize>(size))) return {};
  return read;
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
  FileBytes read = ReadFileUpTo(path, std::numeric_limits<std::uintmax_t>::max());
  if (read.status != FileReadStatus::kOk) return std::nullopt;
  return std::move(read.bytes);
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const std::optional<fs::path> target = FinalTarget(path);
  if (!target) return false;
  struct stat status {};
  if (stat(target->c_str(), &status) == 0) {
    return MayReplace(*target, status) && ReplaceThroughTemporary(*target, &status, bytes);
  }
  return errno == ENOENT && ReplaceThroughTemporary(*target, nullptr, bytes);
}

bool IsWritableDirectory(const fs::path& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         (status.st_mode & kAnyWriteBit) != 0 && access(path.c_str(), W_OK) == 0;
}

}  // namespace kartela
