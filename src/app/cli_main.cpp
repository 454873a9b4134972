// kartela-cli: the headless tool over the core, for batch use and tests.
//
//   kartela-cli [--program-dir DIR] COMMAND ARGUMENTS...
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/cli_reporter.h"
#include "app/program_dir.h"
#include "model/startup.h"

namespace {

using Command = int (*)(const kartela::CliContext&, const std::vector<std::string>&);

const std::map<std::string, Command, std::less<>> kCommands = {
    {"calc", kartela::RunCalcCommand},   {"data", kartela::RunDataCommand},
    {"info", kartela::RunInfoCommand},   {"render", kartela::RunRenderCommand},
    {"print", kartela::RunPrintCommand}, {"print-data", kartela::RunPrintDataCommand},
    {"stats", kartela::RunStatsCommand}, {"table", kartela::RunTableCommand},
};

// The usage, on standard error after a mistake, on standard output (and a
// success) when asked for with --help.
int Usage(std::ostream& out = std::cerr, int status = kartela::kExitUsage) {
  out << "usage: kartela-cli [--program-dir DIR] COMMAND ARGUMENTS...\n"
         "commands:\n"
         "  info FILE.IDT   the base map's header, areas, anchors and point count\n"
         "  data FILE.DAT   the data file's base map, title and values\n"
         "  stats FILE.DAT [--classes K]\n"
         "                  statistics, deciles and proposed class boundaries\n"
         "  render INPUT --out FILE [options]\n"
         "                  a map drawn into a PNG, SVG, PDF, EMF or WMF file (by the\n"
         "                  extension), or its map document (.KTD)\n"
         "  print INPUT (--out FILE.pdf | --printer QUEUE) [options]\n"
         "                  the map printed as the desktop program prints it\n"
         "  print-data FILE.DAT (--out FILE.pdf | --printer QUEUE) [options]\n"
         "                  the data list printed as the desktop program prints it\n"
         "  table FILE --key COL --value COL [options] --out X.DAT\n"
         "                  a statistics table matched to the areas, as a data file\n"
         "  calc A.DAT --divide B.DAT [--times K] [--decimals D] --out C.DAT\n"
         "                  A divided by B area by area (a rate or a density)\n";
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  // The program's files: beside the executable, or in P/share/kartela when installed.
  std::filesystem::path program_dir =
      kartela::ProgramPathsOf(kartela::ExecutableDirectory(argv[0]) / "kartela-cli").ProgramDir;
  if (arguments.size() >= 2 && arguments[0] == "--program-dir") {
    program_dir = std::filesystem::absolute(arguments[1]);
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  }
  if (arguments.empty()) return Usage();
  if (arguments[0] == "--help" || arguments[0] == "-h") return Usage(std::cout, kartela::kExitOk);
  const auto command = kCommands.find(arguments[0]);
  if (command == kCommands.end()) return Usage();
  kartela::CliReporter reporter;
  const kartela::CliContext context{program_dir, reporter, std::cout};
  return command->second(context, {arguments.begin() + 1, arguments.end()});
}
