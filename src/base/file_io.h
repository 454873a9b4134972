// Whole-file reading and safe replacement of files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/status.h"

namespace kartela {

// The bytes of the file. A missing file, a directory or an unreadable file
// gives the status the system's error says, its detail naming the file.
StatusOr<std::string> ReadFileBytes(const std::filesystem::path& path);

// The bytes of the file when it holds at most `max_bytes`; a larger file is
// refused (kTooLarge) before anything is read, so a file opened by mistake
// never fills the memory.
StatusOr<std::string> ReadFileUpTo(const std::filesystem::path& path, std::uintmax_t max_bytes);

// The reason shown under a failure message when a file is refused for its size.
inline constexpr std::string_view kFileTooLargeReason = "ファイルが大きすぎます";

// Writes `bytes` to a temporary file beside the file `path` names and renames
// it over that file, so the file is replaced only by a complete one. A
// symbolic link is followed: its target is replaced and the link stays. The
// replaced file keeps its permission bits. A file the user cannot write is
// refused, and so is one without any write permission bit (what a user who
// protected it means, even for root, whom access() lets write anything).
// On any failure the temporary file is removed and an existing file stays as
// it was; the status says why from the system's error (a missing directory
// kNotFound, a read-only file or file system kPermissionDenied, a full disk
// kNoSpace), its detail naming the file.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Whether files can be made in the directory `path`: the user may write it
// and it has a write permission bit (a directory without any is meant to be
// read-only, even for root). A read-only file system says no as well.
bool IsWritableDirectory(const std::filesystem::path& path);

}  // namespace kartela
