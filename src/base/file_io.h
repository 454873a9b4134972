// Whole-file reading and safe replacement of files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kartela {

// The bytes of the file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

enum class FileReadStatus { kOk, kCannotOpen, kTooLarge };

struct FileBytes {
  FileReadStatus status = FileReadStatus::kCannotOpen;
  std::string bytes;  // the whole file when status is kOk
};

// The bytes of the file when it holds at most `max_bytes`; a larger file is
// refused before anything is read, so a file opened by mistake never fills
// the memory.
FileBytes ReadFileUpTo(const std::filesystem::path& path, std::uintmax_t max_bytes);

// The reason shown under a failure message when a file is refused for its size.
inline constexpr std::string_view kFileTooLargeReason = "ファイルが大きすぎます";

// Writes `bytes` to a temporary file beside the file `path` names and renames
// it over that file, so the file is replaced only by a complete one. A
// symbolic link is followed: its target is replaced and the link stays. The
// replaced file keeps its permission bits. A file the user cannot write is
// refused, and so is one without any write permission bit (what a user who
// protected it means, even for root, whom access() lets write anything).
// On any failure the temporary file is removed, an existing file stays as it
// was, and the result is false.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Whether files can be made in the directory `path`: the user may write it
// and it has a write permission bit (a directory without any is meant to be
// read-only, even for root). A read-only file system says no as well.
bool IsWritableDirectory(const std::filesystem::path& path);

}  // namespace kartela
