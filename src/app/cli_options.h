// The arguments of a kartela-cli command: file names, "--name value"
// options and "--name" flags.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kartela {

struct CliArguments {
  std::vector<std::string> files;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  // The value of option `name`, or nullopt when it was not given.
  std::optional<std::string> Value(std::string_view name) const;
  bool Flag(std::string_view name) const { return flags.contains(name); }
};

// Splits `arguments`; nullopt for an unknown option or an option without its
// value.
std::optional<CliArguments> ParseCliArguments(
    const std::vector<std::string>& arguments,
    std::initializer_list<std::string_view> value_options,
    std::initializer_list<std::string_view> flag_options = {});

}  // namespace kartela
