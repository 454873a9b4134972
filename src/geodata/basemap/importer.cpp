#include "geodata/basemap/importer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

#include "base/text_encoding.h"
#include "geodata/basemap/idt_writer.h"
#include "geodata/basemap/map_builder.h"
#include "geodata/basemap/map_data.h"
#include "geodata/basemap/polygon_database.h"
#include "geodata/basemap/projection.h"
#include "geodata/basemap/source_database.h"
#include "model/area_list.h"

namespace kartela::basemap {
namespace {

using geodata::ImportProblem;
using geodata::ImportStatusOr;
using geodata::ProblemCode;

constexpr int kWidth = 1000;
constexpr int kHeight = 700;
constexpr int kMargin = 10;
// The inset of polygons south of a latitude, in the north-west corner.
constexpr PixelBox kInsetBox{15, 15, 330, 270};
// Room the legend takes, to choose the emptiest corner for it.
constexpr int kLegendWidth = 180;
constexpr int kLegendHeight = 130;

constexpr double kDegrees = 180 / std::numbers::pi;
// Degrees of latitude (twice that of longitude) beyond which an extent is
// drawn in an equal-area world projection.
constexpr double kWorldSpan = 90;

GeoBox ExtentOf(const std::vector<SourceArea>& areas) {
  GeoBox box{180, 90, -180, -90};
  for (const SourceArea& area : areas) {
    for (const auto& ring : area.rings) {
      for (const GeoPoint& p : ring) {
        box.west = std::min(box.west, p.lon * kDegrees);
        box.east = std::max(box.east, p.lon * kDegrees);
        box.south = std::min(box.south, p.lat * kDegrees);
        box.north = std::max(box.north, p.lat * kDegrees);
      }
    }
  }
  return box;
}

std::string Formatted(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Four decimals, never "-0.0000".
std::string Degrees(double value) {
  return Formatted("%.4f", std::round(value * 1e4) / 1e4 + 0.0);
}

// Each area a region named by its index, so that any name is safe (rows
// grouped by another field may share a name); the names go to `names`.
std::vector<std::string> IndexRegions(const std::vector<SourceArea>& areas, NameTable& names) {
  std::vector<std::string> regions;
  for (const SourceArea& area : areas) {
    regions.push_back(std::to_string(regions.size() + 1));
    names.Add(regions.back(), area.name);
  }
  return regions;
}

std::size_t PointRecords(const BuiltMap& map) {
  std::size_t records = 1;  // the closing separator
  for (const BuiltArea& area : map.areas) {
    for (const auto& outline : area.outlines)
      records += outline.size() + 1;
  }
  for (const Run& line : map.lines)
    records += line.points.size() + 1;
  return records;
}

// Why the recipe cannot be built from, before the builder takes it: a title
// the header cannot hold, a projection PROJ does not take.
std::optional<ImportProblem> RefuseRecipe(const Recipe& recipe) {
  const auto title = sjis::FromUtf8(recipe.title);
  if (!title) return ImportProblem{.code = ProblemCode::kUnholdableTitle, .text = recipe.title};
  if (title->size() > kMaxHeaderLine || title->find_first_of("\r\n") != std::string::npos) {
    return ImportProblem{.code = ProblemCode::kTitleTooLong,
                         .text = recipe.title,
                         .limit = static_cast<long long>(kMaxHeaderLine)};
  }
  if (const auto projection = Projection::Create(recipe.projection); !projection.ok()) {
    return ImportProblem{.code = ProblemCode::kBadProjection,
                         .name = recipe.projection,
                         .text = projection.status().detail()};
  }
  return std::nullopt;
}

ImportProblem NotBuilt(const Status& status) {
  return ImportProblem{.code = ProblemCode::kMapNotBuilt, .text = status.detail()};
}

// The frame corner whose legend-sized box holds the fewest outline points.
MapPoint EmptiestCorner(const BuiltMap& map) {
  const int right = kWidth - kMargin - kLegendWidth, bottom = kHeight - kMargin - kLegendHeight;
  const MapPoint corners[] = {
      {static_cast<std::int16_t>(2 * kMargin), static_cast<std::int16_t>(bottom)},
      {static_cast<std::int16_t>(right), static_cast<std::int16_t>(bottom)},
      {static_cast<std::int16_t>(right), static_cast<std::int16_t>(2 * kMargin)},
      {static_cast<std::int16_t>(2 * kMargin), static_cast<std::int16_t>(2 * kMargin)}};
  std::size_t fewest = SIZE_MAX;
  MapPoint best = corners[0];
  for (const MapPoint& corner : corners) {
    std::size_t inside = 0;
    for (const BuiltArea& area : map.areas) {
      for (const auto& outline : area.outlines) {
        inside += std::count_if(outline.begin(), outline.end(), [&](const MapPoint& p) {
          return p.x >= corner.x && p.x < corner.x + kLegendWidth && p.y >= corner.y &&
                 p.y < corner.y + kLegendHeight;
        });
      }
    }
    if (inside < fewest) fewest = inside, best = corner;
  }
  return best;
}

}  // namespace

std::string ChooseProjection(const std::vector<SourceArea>& areas) {
  const GeoBox box = ExtentOf(areas);
  const double lon = (box.west + box.east) / 2, lat = (box.south + box.north) / 2;
  // A continent or the world: Mercator would blow the polar areas up
  // (Antarctica larger than the rest), a conic bend the map round.
  if (box.north - box.south > kWorldSpan || box.east - box.west > 2 * kWorldSpan) {
    return "+proj=eqearth +lon_0=" + Degrees(lon) + " +ellps=GRS80";
  }
  if (box.south < 0 && box.north > 0) {
    return "+proj=merc +lon_0=" + Degrees(lon) + " +ellps=GRS80";
  }
  const double sixth = (box.north - box.south) / 6;
  return "+proj=lcc +lat_1=" + Degrees(box.south + sixth) +
         " +lat_2=" + Degrees(box.north - sixth) + " +lat_0=" + Degrees(lat) +
         " +lon_0=" + Degrees(lon) + " +ellps=GRS80";
}

Recipe ImportRecipe(const ImportOptions& options, const std::vector<SourceArea>& areas) {
  Recipe recipe;
  recipe.output = options.map_file_name;
  recipe.title = options.title.empty() ? options.source.path.stem().string() : options.title;
  recipe.projection = options.source.planar        ? kPlanarProjection
                      : options.projection.empty() ? ChooseProjection(areas)
                                                   : options.projection;
  recipe.width = kWidth;
  recipe.height = kHeight;
  recipe.frame = {kMargin, kMargin, kWidth - kMargin, kHeight - kMargin};
  recipe.tolerance = options.tolerance;
  if (options.inset_below_lat && !options.source.planar) {
    recipe.insets.push_back(InsetRecipe{
        Selection{{}, GeoBox{-360, -90, 360, *options.inset_below_lat}}, kInsetBox, 1.0, ""});
  }
  return recipe;
}

ImportStatusOr<ImportedMap> BuildImportedMap(const ImportOptions& options, SourceAreas source) {
  const std::size_t count = source.areas.size();
  if (count == 0) return ImportProblem{.code = ProblemCode::kNoAreaLeft};
  if (count > static_cast<std::size_t>(kMaxAreas)) {
    return ImportProblem{.code = ProblemCode::kTooManyAreas,
                         .count = static_cast<long long>(count),
                         .limit = kMaxAreas};
  }
  const Recipe recipe = ImportRecipe(options, source.areas);
  if (auto refusal = RefuseRecipe(recipe)) return *refusal;
  NameTable names;
  const PolygonDatabase database = AsDatabase(source.areas, IndexRegions(source.areas, names));
  auto map = BuildBaseMap(recipe, database, &names);
  if (!map.ok()) return NotBuilt(map.status());
  const std::size_t records = PointRecords(*map);
  if (records > kMaxPointRecords) {
    return ImportProblem{.code = ProblemCode::kTooManyPoints,
                         .text = Formatted("%g", options.tolerance),
                         .count = static_cast<long long>(records),
                         .limit = static_cast<long long>(kMaxPointRecords)};
  }
  map->index_position = EmptiestCorner(*map);
  auto bytes = EncodeBaseMap(*map);
  if (!bytes.ok()) return NotBuilt(bytes.status());
  ImportedMap imported;
  imported.map_bytes = std::move(*bytes);
  if (options.with_data) {
    std::vector<std::string> values;
    for (const SourceArea& area : source.areas)
      values.push_back(area.value);
    auto data = FormatMapData(*map, options.map_file_name, map->title, values);
    if (!data.ok()) return NotBuilt(data.status());
    imported.data_bytes = std::move(*data);
  }
  imported.notes = std::move(source.notes);
  imported.encoding = source.encoding;
  imported.projection = recipe.projection;
  imported.areas = static_cast<int>(count);
  return imported;
}

ImportStatusOr<ImportedMap> ImportBaseMap(const ImportOptions& options) {
  auto source = ReadSourceAreas(options.source);
  if (!source.ok()) return source.problems();
  return BuildImportedMap(options, std::move(*source));
}

}  // namespace kartela::basemap
