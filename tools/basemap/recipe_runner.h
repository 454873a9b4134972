// One recipe from the source files to the bytes of its base map.
#pragma once

#include <filesystem>
#include <string>

#include "basemap/recipe.h"
#include "basemap/result.h"

namespace kartela::basemap {

// Reads the recipe's database under `data_root` and its name table, builds
// the map and encodes it as a base-map file.
Result<std::string> RunRecipe(const Recipe& recipe, const std::filesystem::path& data_root);

}  // namespace kartela::basemap
