// The shipped sample paint map (the population of the 47 prefectures with
// the default settings), loaded as the paint map command would draw it.
#pragma once

#include <filesystem>

#include "render/workspace.h"

namespace kartela::test {

// The folder of the shipped base maps and sample data.
std::filesystem::path BaseMapsDir();

// Loads 人口2020.DAT and its base map, classified with the proposed
// boundaries; false when the shipped files do not load.
bool LoadSamplePaintMap(Workspace& workspace);

}  // namespace kartela::test
