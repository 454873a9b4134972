// The command line: file names and the metafile-mode switches.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/settings.h"

namespace kartela {

// Applies the arguments (without the program name) in order. An argument is
// a switch only when it is "/Z", "/Z2" or "/Z-" in any letter case, since an
// absolute path begins with "/" too:
//   "/Z"  turns EmfMode 0 or 3 into 5 (enhanced metafiles offered),
//   "/Z2" turns EmfMode 0 or 1 into 7 (also copied by the speed button),
//   "/Z-" turns EmfMode 1 or 3 into 8 (back to Windows metafiles).
// Every other non-empty argument names a file; the result is the absolute
// path of the last one (OpenOnStart), empty when there is none.
std::filesystem::path ApplyCommandLine(const std::vector<std::string>& arguments,
                                       Settings& settings);

}  // namespace kartela
