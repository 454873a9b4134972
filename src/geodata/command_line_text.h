// How the command-line tools (kartela-basemap import, kartela-cli table) say
// what the GDAL code found wrong: in English, naming the option that helps
// where one does.
#pragma once

#include <string>

#include "geodata/import_problem.h"

namespace kartela::geodata {

std::string CommandLineText(const ImportProblem& problem);

// The problems one a line, at most kListedProblems, then "(n more)".
std::string CommandLineText(const ImportProblems& problems);

}  // namespace kartela::geodata
