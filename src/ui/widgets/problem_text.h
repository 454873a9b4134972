// How the desktop program says what the GDAL code found wrong when a base
// map is made from a boundary file or a table is read: in Japanese, naming
// the dialogs' own lists (名前の列, まとめる列, 文字コード) where one helps.
#pragma once

#include <string>

#include "geodata/import_problem.h"

namespace kartela {

// UTF-8.
std::string ProblemText(const geodata::ImportProblem& problem);

// The problems one a line, at most geodata::kListedProblems, then
// "ほか n 件".
std::string ProblemText(const geodata::ImportProblems& problems);

}  // namespace kartela
