#include "app/cli_options.h"

#include <algorithm>

namespace kartela {
namespace {

bool Names(std::initializer_list<std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<std::string> CliArguments::Value(std::string_view name) const {
  const auto value = values.find(name);
  if (value == values.end()) return std::nullopt;
  return value->second;
}

std::optional<CliArguments> ParseCliArguments(
    const std::vector<std::string>& arguments,
    std::initializer_list<std::string_view> value_options,
    std::initializer_list<std::string_view> flag_options) {
  CliArguments parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("--")) {
      parsed.files.push_back(argument);
      continue;
    }
    const std::string name = argument.substr(2);
    if (Names(flag_options, name)) {
      parsed.flags.insert(name);
    } else if (Names(value_options, name) && i + 1 < arguments.size()) {
      parsed.values[name] = arguments[++i];
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace kartela
