#include "app/program_dir.h"

#include <system_error>

namespace kartela {

std::filesystem::path ExecutableDirectory(const std::filesystem::path& fallback) {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return executable.parent_path();
  return std::filesystem::absolute(fallback, error).parent_path();
}

}  // namespace kartela
