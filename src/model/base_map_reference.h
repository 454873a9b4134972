// How a base-map reference (the Shift-JIS name kept in settings, data files
// and map documents) finds its file on a case-sensitive file system.
//
// Trailing blanks of the reference are dropped. A reference written on
// Windows (a drive letter such as "C:", or "\" between directories) is looked
// up by its last component, first in the directory of the file that holds
// the reference, then in the program's own places. Any other relative
// reference lies in the program's own places, or failing that beside the file
// that holds it; an absolute one is used as it stands. The program's own
// places are the program directory, then the user's own base maps
// (UserBaseMapDirectory). A ":" alone makes nothing
// absolute. In each place the exact name wins; otherwise the only file whose
// name differs from it in the letter case of ASCII letters alone is taken.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kartela {

struct BaseMapLocation {
  std::filesystem::path path;  // the file found
  // The reference to keep for it, in Shift-JIS: the name as it is on disk
  // for a file of the program's own places, else its whole path.
  std::string reference;
};

// The reason shown under the failure message when no file is found.
inline constexpr std::string_view kBaseMapNotFoundReason = "ファイルが見つかりません";

// The base map `reference` names. `holder_dir` is the directory of the file
// that holds the reference (a data file or map document); empty when there is
// none. nullopt when no file is found or its path has no Shift-JIS form.
std::optional<BaseMapLocation> FindBaseMap(std::string_view reference,
                                           const std::filesystem::path& program_dir,
                                           const std::filesystem::path& holder_dir = {});

// `path` when such a regular file exists; otherwise the only regular file of
// the same directory whose name matches it without regard to the letter case
// of ASCII letters; nullopt when there is none or more than one.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& path);

}  // namespace kartela
