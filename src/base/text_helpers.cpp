#include "base/text_helpers.h"

#include "base/text_encoding.h"

namespace kartela {
namespace {

bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

}  // namespace

std::pair<std::string, std::string> SplitAt(char separator, std::string_view line) {
  const auto at = line.find(separator);
  if (at == std::string_view::npos) return {std::string(line), std::string()};
  return {std::string(line.substr(0, at)), std::string(line.substr(at + 1))};
}

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

PathParts SplitPath(std::string_view path) {
  // Find the last directory separator that is a character of its own.
  std::size_t name_begin = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (sjis::IsLeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;
    } else if (IsPathSeparator(path[i])) {
      name_begin = i + 1;
    }
  }
  const std::string_view file = path.substr(name_begin);
  const auto dot = file.rfind('.');
  const std::size_t name_length = dot == std::string_view::npos ? file.size() : dot;
  return PathParts{std::string(path.substr(0, name_begin)),
                   std::string(file.substr(0, name_length)), std::string(file.substr(name_length))};
}

}  // namespace kartela
