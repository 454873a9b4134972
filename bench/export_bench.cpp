// Time and size of the metafile and SVG files of the US county choropleth (3,076
// areas, a made-up change in percent per county, names off as the default
// map has them), as the save command writes them: through the exporter, with
// texts measured by the QPainter device context.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/numbers.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "output/map_exporter.h"
#include "render/legend.h"
#include "shipped_maps.h"

namespace kartela {
namespace {

template <typename Settings>
void ExportCounties(benchmark::State& state) {
  Workspace workspace;
  if (!bench::LoadCountyPaintMap(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const output::MapExporter exporter(workspace);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const StatusOr<std::string> file = exporter.Encode(Settings{});
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
void BM_ExportCountySvg(benchmark::State& state) {
  ExportCounties<output::SvgSettings>(state);
}
void BM_ExportCountyPng(benchmark::State& state) {
  ExportCounties<output::BitmapSettings>(state);
}
BENCHMARK(BM_ExportCountyEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCountyWmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCountySvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCountyPng)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela
