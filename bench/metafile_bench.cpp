// Writing a large scene (3,000 polygons of about 100 points, six classes of
// brushes, a name per ten areas) as EMF and WMF, reporting the file size,
// and playing the EMF back.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "gdi/emf_writer.h"
#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"
#include "gdi/wmf_writer.h"

namespace kartela::gdi {
namespace {

constexpr Size kPicture{1600, 1000};
constexpr int kAreas = 3000;
constexpr int kPointsPerArea = 100;

struct Area {
  std::vector<Point> outline;
  Brush brush;
};

std::vector<Area> MakeAreas() {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> x(20, kPicture.cx - 20);
  std::uniform_int_distribution<int> y(20, kPicture.cy - 20);
  std::uniform_real_distribution<double> wobble(8.0, 16.0);
  std::vector<Area> areas(kAreas);
  for (int i = 0; i < kAreas; ++i) {
    const Point centre{x(random), y(random)};
    for (int k = 0; k < kPointsPerArea; ++k) {
      const double angle = 2 * M_PI * k / kPointsPerArea;
      const double radius = wobble(random);
      areas[i].outline.push_back({centre.x + static_cast<int>(radius * std::cos(angle)),
                                  centre.y + static_cast<int>(radius * std::sin(angle))});
    }
    const auto shade = static_cast<std::uint8_t>(40 * (i % 6));
    areas[i].brush = i % 6 == 5 ? Brush{BrushKind::kHatch, {0, 0, 0}, HatchStyle::kCross}
                                : Brush{BrushKind::kSolid, {255, shade, shade}};
  }
  return areas;
}

const std::vector<Area>& Areas() {
  static const std::vector<Area> areas = MakeAreas();
  return areas;
}

void DrawAreas(DeviceContext& dc) {
  dc.SelectPen({PenStyle::kSolid, 0, {0, 0, 0}});
  int n = 0;
  for (const Area& area : Areas()) {
    dc.SelectBrush(area.brush);
    dc.Polygon(area.outline);
    if (++n % 10 == 0) dc.TextOut(area.outline[0], "\x93\x8c\x8b\x9e");  // 東京
  }
}

template <typename Writer>
void WriteScene(benchmark::State& state) {
  MetafileOptions options;
  options.picture = kPicture;
  std::size_t bytes = 0;
  for (auto _ : state) {
    Writer writer(options);
    DrawAreas(writer);
    const std::string file = writer.Finish().value();
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_WriteEmf(benchmark::State& state) {
  WriteScene<EmfWriter>(state);
}
void BM_WriteWmf(benchmark::State& state) {
  WriteScene<WmfWriter>(state);
}

void BM_PlayEmf(benchmark::State& state) {
  MetafileOptions options;
  options.picture = kPicture;
  EmfWriter writer(options);
  DrawAreas(writer);
  const std::string file = writer.Finish().value();
  for (auto _ : state) {
    RecordingDeviceContext dc;
    if (!PlayMetafile(file, dc, {0, 0, kPicture.cx, kPicture.cy}).ok()) {
      state.SkipWithError("refused");
    }
    benchmark::DoNotOptimize(dc.calls().data());
  }
}

BENCHMARK(BM_WriteEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayEmf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela::gdi

BENCHMARK_MAIN();
