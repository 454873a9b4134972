// The user-tools file beside the program (ProgramName + ".MNU"): lines of
// caption "=" command line, offered as items of the help menu.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kartela {

// Most tools the menu offers, and the longest command line kept, in bytes.
inline constexpr int kMaxUserTools = 11;
inline constexpr std::size_t kMaxToolCommandBytes = 255;

struct UserTool {
  std::string caption;  // Shift-JIS, the menu text
  std::string command;  // Shift-JIS, the command line to run
};

// The tools of the file text `bytes`, in file order. A line is split at its
// first "="; lines starting with ";" and lines without a command are
// skipped, and lines after the eleventh tool are ignored. Caption and
// command are trimmed of blanks and ";" comments. A command naming a bare
// program (no "\" or ":" in the command, no "/" in its first word) runs from
// `program_dir` (Shift-JIS, with its trailing separator), which is prefixed,
// quoted when it holds blanks. Commands are cut to kMaxToolCommandBytes. A
// text written as UTF-8 is converted first (DecodeFileText).
std::vector<UserTool> ParseUserTools(std::string_view bytes, std::string_view program_dir);

// ParseUserTools on the file at `path`; a missing file, or one larger than
// the settings file may be (kMaxSettingsFileBytes), gives no tools.
std::vector<UserTool> ReadUserTools(const std::filesystem::path& path,
                                    std::string_view program_dir);

}  // namespace kartela
