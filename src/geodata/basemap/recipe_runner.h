// One recipe from the source files to the bytes of its base map.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"
#include "geodata/basemap/recipe.h"

namespace kartela::basemap {

struct RecipeOutput {
  std::string map_bytes;
  std::string data_bytes;  // the land areas, when the recipe asks for them
  int areas = 0;
  double total_land_area = 0;      // km²
  std::vector<std::string> notes;  // rows of a boundary file repaired or left out, in English
};

// Reads the recipe's database or boundary file under `data_root` and its
// name table, builds the map and encodes it as a base-map file, and the
// areas' land areas as a data file on it.
StatusOr<RecipeOutput> RunRecipe(const Recipe& recipe, const std::filesystem::path& data_root);

}  // namespace kartela::basemap
