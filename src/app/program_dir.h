// Where the running executable lies: the program directory, beside which the
// settings file, base maps, help and samples are kept.
#pragma once

#include <filesystem>

namespace kartela {

// The directory of the running executable; `fallback` when it cannot be
// found (the directory of argv[0]).
std::filesystem::path ExecutableDirectory(const std::filesystem::path& fallback);

}  // namespace kartela
