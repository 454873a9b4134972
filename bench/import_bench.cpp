// Importing a boundary file of municipality size: 1,936 polygons with about
// two million vertices, a tiling whose shared borders wiggle as surveyed
// borders do. Reports the peak memory of the process (the file is written
// before the timing starts).
#include <benchmark/benchmark.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <sys/resource.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "geodata/basemap/importer.h"

namespace kartela {
namespace {

constexpr int kCells = 44;          // per side: 1,936 polygons
constexpr int kEdgeSegments = 255;  // per cell side: about 1,020 vertices a polygon
constexpr double kWest = 129, kSouth = 31, kCellDegrees = 0.25;

using Points = std::vector<std::pair<double, double>>;

// The border from grid corner (i, j) to (i + di, j + dj), one step along a
// grid line, wiggling across it; both neighbours walk the same points.
Points Border(int i, int j, int di, int dj) {
  Points points;
  for (int k = 0; k <= kEdgeSegments; ++k) {
    const double t = static_cast<double>(k) / kEdgeSegments;
    const double across =
        0.02 * kCellDegrees * std::sin(std::numbers::pi * t) * std::sin(37 * t + 3 * i + 7 * j);
    const double x = i + di * t + dj * across, y = j + dj * t + di * across;
    points.emplace_back(kWest + x * kCellDegrees, kSouth + y * kCellDegrees);
  }
  return points;
}

// Cell (i, j) counter-clockwise: south, east, north and west borders.
OGRPolygon Cell(int i, int j) {
  auto ring = std::make_unique<OGRLinearRing>();
  const auto walk = [&](Points points, bool backwards) {
    if (backwards) std::reverse(points.begin(), points.end());
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
      ring->addPoint(points[k].first, points[k].second);
  };
  walk(Border(i, j, 1, 0), false);
  walk(Border(i + 1, j, 0, 1), false);
  walk(Border(i, j + 1, 1, 0), true);
  walk(Border(i, j, 0, 1), true);
  ring->closeRings();
  OGRPolygon polygon;
  polygon.addRingDirectly(ring.release());
  return polygon;
}

std::filesystem::path WriteTiling() {
  GDALAllRegister();
  const auto path = std::filesystem::temp_directory_path() / "kartela-import-bench.gpkg";
  std::filesystem::remove(path);
  GDALDatasetUniquePtr dataset(GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
      path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  OGRSpatialReference lonlat;
  lonlat.importFromEPSG(6668);
  lonlat.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  OGRLayer* layer = dataset->CreateLayer("cells", &lonlat, wkbPolygon, nullptr);
  OGRFieldDefn name("NAME", OFTString);
  layer->CreateField(&name);
  if (layer->StartTransaction() != OGRERR_NONE) return {};
  for (int j = 0; j < kCells; ++j) {
    for (int i = 0; i < kCells; ++i) {
      OGRFeature feature(layer->GetLayerDefn());
      feature.SetField("NAME", ("区" + std::to_string(j * kCells + i + 1)).c_str());
      OGRPolygon cell = Cell(i, j);
      feature.SetGeometry(&cell);
      if (layer->CreateFeature(&feature) != OGRERR_NONE) return {};
    }
  }
  return layer->CommitTransaction() == OGRERR_NONE ? path : std::filesystem::path();
}

void BM_ImportMunicipalitySizedFile(benchmark::State& state) {
  const std::filesystem::path path = WriteTiling();
  basemap::ImportOptions options;
  options.source.path = path;
  options.source.name_field = "NAME";
  options.map_file_name = "bench.IDT";
  for (auto _ : state) {
    auto imported = basemap::ImportBaseMap(options);
    if (!imported.ok()) {
      state.SkipWithError(imported.status().detail().c_str());
      break;
    }
    benchmark::DoNotOptimize(imported->map_bytes.data());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.counters["vertices"] = kCells * kCells * 4.0 * kEdgeSegments;
  std::filesystem::remove(path);
}
BENCHMARK(BM_ImportMunicipalitySizedFile)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace kartela
