// `kartela-basemap import`: a base map (and, if asked, a data file) from a
// boundary file.
//
//   kartela-basemap import SOURCE [--layer L] --name-field F [--group-field G]
//     [--order-field O] [--encoding auto|cp932|utf-8] [--source-crs CRS | --planar]
//     [--projection PROJ] [--title T] [--inset-below-lat LAT] [--tolerance PX]
//     [--strict-names] [--data-out X.DAT] [--value-field V] --out X.IDT
//
// --value-field without --data-out writes the data file beside X.IDT as X.DAT.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kartela::basemap {

// The arguments after "import". Writes the files, the figures to `out` and
// notes and refusals to `err`; returns the exit status (0 done, 1 refused,
// 2 a usage error).
int RunImportCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace kartela::basemap
