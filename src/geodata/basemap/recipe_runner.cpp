#include "geodata/basemap/recipe_runner.h"

#include <optional>

#include "geodata/basemap/gdal_source.h"
#include "geodata/basemap/grouping.h"
#include "geodata/basemap/idt_writer.h"
#include "geodata/basemap/in_context.h"
#include "geodata/basemap/land_area.h"
#include "geodata/basemap/map_builder.h"
#include "geodata/basemap/map_data.h"
#include "geodata/basemap/polygon_database.h"
#include "geodata/basemap/source_database.h"

namespace kartela::basemap {
namespace {

// The areas of the recipe's boundary file, each a region named by its text.
StatusOr<PolygonDatabase> ReadBoundaryFile(const Recipe& recipe,
                                           const std::filesystem::path& data_root,
                                           std::vector<std::string>& notes) {
  SourceRequest request;
  request.path = data_root / recipe.source;
  request.layer = recipe.layer;
  request.name_field = recipe.name_field;
  request.region_names = true;
  auto source = ReadSourceAreas(request);
  if (!source.ok()) return InContext(request.path.string(), source.status());
  for (const geodata::ImportProblem& note : source->notes)
    notes.push_back(geodata::Describe(note));
  std::vector<std::string> regions;
  for (const SourceArea& area : source->areas) {
    if (RegionOf(area.name).size() != area.name.size()) {
      return Status(StatusCode::kRefused, "the region name \"" + area.name +
                                              "\" holds a colon, which ends a region name");
    }
    regions.push_back(area.name);
  }
  return AsDatabase(source->areas, regions);
}

}  // namespace

StatusOr<RecipeOutput> RunRecipe(const Recipe& recipe, const std::filesystem::path& data_root) {
  RecipeOutput output;
  const auto database = recipe.source.empty() ? ReadPolygonDatabase(data_root / recipe.database)
                                              : ReadBoundaryFile(recipe, data_root, output.notes);
  if (!database.ok()) return database.status();
  std::optional<NameTable> names;
  if (!recipe.names.empty()) {
    auto table = ReadNameTable(recipe.names);
    if (!table.ok()) return table.status();
    names = std::move(*table);
  }
  const auto map = BuildBaseMap(recipe, *database, names ? &*names : nullptr);
  if (!map.ok()) return InContext(recipe.output, map.status());
  auto bytes = EncodeBaseMap(*map);
  if (!bytes.ok()) return bytes.status();
  output.map_bytes = std::move(*bytes);
  output.areas = static_cast<int>(map->areas.size());
  for (const BuiltArea& area : map->areas)
    output.total_land_area += area.land_area;
  if (!recipe.data.empty()) {
    std::vector<std::string> values;
    for (const BuiltArea& area : map->areas)
      values.push_back(LandAreaText(area.land_area));
    auto data = FormatMapData(*map, recipe.output, recipe.data_title, values);
    if (!data.ok()) return InContext(recipe.data, data.status());
    output.data_bytes = std::move(*data);
  }
  return output;
}

}  // namespace kartela::basemap
