#include "basemap/recipe_runner.h"

#include <optional>

#include "basemap/idt_writer.h"
#include "basemap/map_builder.h"
#include "basemap/polygon_database.h"

namespace kartela::basemap {

Result<std::string> RunRecipe(const Recipe& recipe, const std::filesystem::path& data_root) {
  const auto database = ReadPolygonDatabase(data_root / recipe.database);
  if (!database.ok()) return Error{database.error()};
  std::optional<NameTable> names;
  if (!recipe.names.empty()) {
    auto table = ReadNameTable(recipe.names);
    if (!table.ok()) return Error{table.error()};
    names = std::move(*table);
  }
  const auto map = BuildBaseMap(recipe, *database, names ? &*names : nullptr);
  if (!map.ok()) return Error{recipe.output + ": " + map.error()};
  return EncodeBaseMap(*map);
}

}  // namespace kartela::basemap
