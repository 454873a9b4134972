// One recipe from the source files to the bytes of its base map.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "basemap/recipe.h"
#include "basemap/result.h"

namespace kartela::basemap {

struct RecipeOutput {
  std::string map_bytes;
  std::vector<std::string> notes;  // rows of a boundary file repaired or left out
};

// Reads the recipe's database or boundary file under `data_root` and its
// name table, builds the map and encodes it as a base-map file.
Result<RecipeOutput> RunRecipe(const Recipe& recipe, const std::filesystem::path& data_root);

}  // namespace kartela::basemap
