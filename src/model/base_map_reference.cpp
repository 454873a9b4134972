#include "model/base_map_reference.h"

#include <algorithm>
#include <vector>

#include "base/text_encoding.h"
#include "base/text_helpers.h"
#include "model/user_dirs.h"

namespace kartela {
namespace {

namespace fs = std::filesystem;

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool HasDriveLetter(std::string_view reference) {
  const char first = LowerAscii(reference.empty() ? '\0' : reference[0]);
  return reference.size() >= 2 && first >= 'a' && first <= 'z' && reference[1] == ':';
}

// A drive letter, or a "\" that is a character of its own (the second byte
// of a double-byte character may be 0x5C too).
bool IsWindowsReference(std::string_view reference) {
  if (HasDriveLetter(reference)) return true;
  for (std::size_t i = 0; i < reference.size(); ++i) {
    if (sjis::IsLeadByte(static_cast<unsigned char>(reference[i]))) {
      ++i;
    } else if (reference[i] == '\\') {
      return true;
    }
  }
  return false;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

std::optional<fs::path> PathOf(std::string_view sjis_text) {
  const std::optional<std::string> utf8 = sjis::ToUtf8(sjis_text);
  if (!utf8) return std::nullopt;
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8->data()), utf8->size()));
}

std::optional<std::string> SjisOf(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return sjis::FromUtf8({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
}

bool IsSameDirectory(const fs::path& a, const fs::path& b) {
  return (a / "").lexically_normal() == (b / "").lexically_normal();
}

// The places to look, in order.
// The program's own places for base maps: its directory, then the user's
// own base maps.
std::vector<fs::path> OwnDirectories(const fs::path& program_dir) {
  std::vector<fs::path> directories{program_dir};
  if (fs::path user = UserBaseMapDirectory(); !user.empty()) directories.push_back(std::move(user));
  return directories;
}

std::vector<fs::path> Candidates(std::string_view reference, const std::vector<fs::path>& own_dirs,
                                 const fs::path& holder_dir) {
  std::vector<fs::path> directories;
  std::optional<fs::path> name;
  if (IsWindowsReference(reference)) {
    const PathParts parts = SplitPath(reference.substr(HasDriveLetter(reference) ? 2 : 0));
    name = PathOf(parts.name + parts.ext);
    if (!holder_dir.empty()) directories.push_back(holder_dir);
    directories.insert(directories.end(), own_dirs.begin(), own_dirs.end());
  } else {
    name = PathOf(reference);
    if (name && name->is_absolute()) return {*name};
    directories = own_dirs;
    if (!holder_dir.empty()) directories.push_back(holder_dir);
  }
  std::vector<fs::path> candidates;
  if (!name || name->empty()) return candidates;
  for (const fs::path& directory : directories)
    candidates.push_back(directory / *name);
  return candidates;
}

}  // namespace

std::optional<fs::path> FindFileIgnoringCase(const fs::path& path) {
  if (IsRegularFile(path)) return path;
  const fs::path directory = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string wanted = path.filename().string();
  std::optional<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    if (!EqualIgnoringAsciiCase(it->path().filename().string(), wanted) ||
        !IsRegularFile(it->path())) {
      continue;
    }
    if (found) return std::nullopt;  // which one was meant cannot be told
    found = path.parent_path() / it->path().filename();
  }
  return found;
}

std::optional<BaseMapLocation> FindBaseMap(std::string_view reference, const fs::path& program_dir,
                                           const fs::path& holder_dir) {
  reference = WithoutTrailingBlanks(reference);
  // A NUL byte would end the name early at the file system.
  if (reference.find('\0') != std::string_view::npos) return std::nullopt;
  const std::vector<fs::path> own_dirs = OwnDirectories(program_dir);
  for (const fs::path& candidate : Candidates(reference, own_dirs, holder_dir)) {
    const std::optional<fs::path> found = FindFileIgnoringCase(candidate);
    if (!found) continue;
    const bool beside_program = std::ranges::any_of(
        own_dirs, [&](const fs::path& own) { return IsSameDirectory(found->parent_path(), own); });
    if (auto kept = SjisOf(beside_program ? found->filename() : *found)) {
      return BaseMapLocation{*found, std::move(*kept)};
    }
  }
  return std::nullopt;
}

}  // namespace kartela
