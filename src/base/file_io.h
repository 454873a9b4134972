// Whole-file reading and safe replacement of files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kartela {

// The bytes of the file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Writes `bytes` to a temporary file in the directory of `path`, flushes it
// and renames it over `path`, so `path` is replaced only by a complete file.
// On any failure the temporary file is removed, an existing file at `path`
// stays as it was, and the result is false.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kartela
