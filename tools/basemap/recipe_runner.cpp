#include "basemap/recipe_runner.h"

#include <optional>

#include "basemap/gdal_source.h"
#include "basemap/grouping.h"
#include "basemap/idt_writer.h"
#include "basemap/map_builder.h"
#include "basemap/polygon_database.h"
#include "basemap/source_database.h"

namespace kartela::basemap {
namespace {

// The areas of the recipe's boundary file, each a region named by its text.
Result<PolygonDatabase> ReadBoundaryFile(const Recipe& recipe,
                                         const std::filesystem::path& data_root,
                                         std::vector<std::string>& notes) {
  SourceRequest request;
  request.path = data_root / recipe.source;
  request.layer = recipe.layer;
  request.name_field = recipe.name_field;
  request.region_names = true;
  auto source = ReadSourceAreas(request);
  if (!source.ok()) return Error{source.error()};
  notes = std::move(source->notes);
  std::vector<std::string> regions;
  for (const SourceArea& area : source->areas) {
    if (RegionOf(area.name).size() != area.name.size()) {
      return Error{"the region name \"" + area.name + "\" holds a colon, which ends a region name"};
    }
    regions.push_back(area.name);
  }
  return AsDatabase(source->areas, regions);
}

}  // namespace

Result<RecipeOutput> RunRecipe(const Recipe& recipe, const std::filesystem::path& data_root) {
  RecipeOutput output;
  const auto database = recipe.source.empty() ? ReadPolygonDatabase(data_root / recipe.database)
                                              : ReadBoundaryFile(recipe, data_root, output.notes);
  if (!database.ok()) return Error{database.error()};
  std::optional<NameTable> names;
  if (!recipe.names.empty()) {
    auto table = ReadNameTable(recipe.names);
    if (!table.ok()) return Error{table.error()};
    names = std::move(*table);
  }
  const auto map = BuildBaseMap(recipe, *database, names ? &*names : nullptr);
  if (!map.ok()) return Error{recipe.output + ": " + map.error()};
  auto bytes = EncodeBaseMap(*map);
  if (!bytes.ok()) return Error{bytes.error()};
  output.map_bytes = std::move(*bytes);
  return output;
}

}  // namespace kartela::basemap
