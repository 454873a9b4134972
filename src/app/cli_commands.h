// The commands of kartela-cli. Each prints JSON (UTF-8) on success and
// returns the process exit status.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kartela {

class Reporter;

struct CliContext {
  std::filesystem::path program_dir;  // where relative base-map references lie
  Reporter& reporter;                 // catalogue messages, to standard error
  std::ostream& out;                  // the JSON result
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints the usage of a command to standard error; returns kExitUsage.
int UsageError(std::string_view usage);

// info FILE.IDT: the header and the whole base map.
int RunInfoCommand(const CliContext& context, const std::vector<std::string>& arguments);

// data FILE.DAT: the data file with its base map's area count.
int RunDataCommand(const CliContext& context, const std::vector<std::string>& arguments);

// stats FILE.DAT [--classes K]: the statistics, deciles and proposed
// boundaries as the data information dialog shows them.
int RunStatsCommand(const CliContext& context, const std::vector<std::string>& arguments);

// render INPUT --out FILE [options]: draws a map with the paint routine of
// the map window into a PNG, SVG or PDF file.
int RunRenderCommand(const CliContext& context, const std::vector<std::string>& arguments);

// print INPUT (--out FILE.pdf | --printer QUEUE) [options]: the map printed
// as the map print command prints it; prints the pages, scale and
// orientation.
int RunPrintCommand(const CliContext& context, const std::vector<std::string>& arguments);

// print-data FILE.DAT (--out FILE.pdf | --printer QUEUE) [options]: the data
// list printed as the data print command prints it; prints the pages, columns
// and rows per column.
int RunPrintDataCommand(const CliContext& context, const std::vector<std::string>& arguments);

// table FILE --key COL --value COL [options] --out X.DAT: a statistics table's
// rows matched to a base map's areas by name or number and written as a data
// file; prints the match report.
int RunTableCommand(const CliContext& context, const std::vector<std::string>& arguments);

// calc A.DAT --divide B.DAT [--times K] [--decimals D] [--title T] --out C.DAT:
// the values of A divided by those of B on the same base map, written as a
// data file; prints the areas left empty.
int RunCalcCommand(const CliContext& context, const std::vector<std::string>& arguments);

}  // namespace kartela
