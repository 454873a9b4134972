#include "model/command_line.h"

#include <cstdint>
#include <string_view>
#include <system_error>

#include "base/text_helpers.h"

namespace kartela {
namespace {

// A switch turns EmfMode `from_a` or `from_b` into `to`; other modes stay.
struct Switch {
  std::string_view name;
  std::uint8_t from_a;
  std::uint8_t from_b;
  std::uint8_t to;
};

constexpr Switch kSwitches[] = {
    {"/Z", 0, 3, 5},
    {"/Z2", 0, 1, 7},
    {"/Z-", 1, 3, 8},
};

const Switch* FindSwitch(const std::string& argument) {
  const std::string upper = ToUpperAscii(argument);
  for (const auto& candidate : kSwitches) {
    if (upper == candidate.name) return &candidate;
  }
  return nullptr;
}

std::filesystem::path AbsolutePath(const std::string& argument) {
  const std::filesystem::path path(argument);
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal();
}

}  // namespace

std::filesystem::path ApplyCommandLine(const std::vector<std::string>& arguments,
                                       Settings& settings) {
  std::filesystem::path open_on_start;
  for (const auto& argument : arguments) {
    if (const Switch* found = FindSwitch(argument)) {
      if (settings.EmfMode == found->from_a || settings.EmfMode == found->from_b) {
        settings.EmfMode = found->to;
      }
    } else if (!argument.empty()) {
      open_on_start = AbsolutePath(argument);
    }
  }
  return open_on_start;
}

}  // namespace kartela
