// Time and size of the metafile files of the US county choropleth (3,076
// areas, made-up values in six classes, names off as the default map has
// them), as the save command writes them: through the exporter, with texts
// measured by the QPainter device context.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/numbers.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "output/map_exporter.h"
#include "render/legend.h"

namespace kartela {
namespace {

const std::filesystem::path kBaseMaps = KARTELA_BASEMAPS_DIR;

bool LoadCountyPaintMap(Workspace& workspace) {
  const std::string reference = "\x95\xc4\x8d\x91\x8c\x53.IDT";  // 米国郡.IDT
  const auto found = FindBaseMap(reference, kBaseMaps);
  if (!found || ReadBaseMap(found->path, workspace.base_map) != BaseMapStatus::kOk) return false;
  workspace.base_map.LoadedMapFile = reference;
  workspace.area_list.CurrentBaseMapFile = reference;
  workspace.area_list.AreaNames = workspace.base_map.MapAreaNames;
  const int count = workspace.base_map.MapAreaCount();
  for (int i = 0; i < count; ++i) {
    const std::int64_t tenths = static_cast<std::int64_t>(i) * 7919 % 100000;
    workspace.data.DataValues[static_cast<std::size_t>(i)] =
        FormatFixed(static_cast<long double>(tenths) / 10, 0, 1);
  }
  ClassTables& tables = workspace.class_tables;
  if (ComputeDataStatistics(workspace.data, count, workspace.settings.ClassCount, tables) !=
      ValueSyntaxResult::kOk) {
    return false;
  }
  tables.ClassBreaks = tables.ProposedBreaks;
  NormaliseClassBreaks(tables);
  workspace.view.Kind = MapKind::kPaintMap;
  return true;
}

template <typename Settings>
void ExportCounties(benchmark::State& state) {
  Workspace workspace;
  if (!LoadCountyPaintMap(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const output::MapExporter exporter(workspace);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::optional<std::string> file = exporter.Encode(Settings{});
    bytes = file ? file->size() : 0;
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportCountyEmf(benchmark::State& state) {
  ExportCounties<output::EmfSettings>(state);
}
void BM_ExportCountyWmf(benchmark::State& state) {
  ExportCounties<output::WmfSettings>(state);
}
void BM_ExportCountyPng(benchmark::State& state) {
  ExportCounties<output::BitmapSettings>(state);
}
BENCHMARK(BM_ExportCountyEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCountyWmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCountyPng)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela
