// Time to paint the shipped maps and a map at the format's limits into an
// image of the map window's size, the cost of the coordinate transform, which
// must not allocate, and of its mapper for whole paints, and of a rubber
// band's step in the map window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <filesystem>
#include <string>

#include "allocation_counter.h"
#include "gdi/emf_writer.h"
#include "gdi/qt/painter_device_context.h"
#include "render/map_document_state.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/metafile_picture.h"
#include "shipped_maps.h"
#include "ui/map/draw_window.h"

namespace kartela {
namespace {

using bench::LoadCountyCircleMap;
using bench::LoadCountyPaintMap;
using bench::LoadCountyWhiteMap;
using bench::LoadPaintMapOfJapan;

void PaintInto(QImage& image, Workspace& workspace) {
  image.fill(Qt::white);
  QPainter painter(&image);
  gdi::PainterDeviceContext dc(painter);
  PaintMap(workspace, dc, PaintParams{});
}

void PaintBenchmark(benchmark::State& state, bool (*load)(Workspace&)) {
  Workspace workspace;
  if (!load(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  QImage image(1000, 700, QImage::Format_RGB32);
  for (auto _ : state)
    PaintInto(image, workspace);
  state.counters["points"] = workspace.base_map.PointCount + 1;
}

void BM_PaintJapanPopulation(benchmark::State& state) {
  PaintBenchmark(state, LoadPaintMapOfJapan);
}
BENCHMARK(BM_PaintJapanPopulation)->Unit(benchmark::kMillisecond);

// The base map format's limit: 1,536,000 point records and 3,440 areas.
void BM_PaintLimitPaintMap(benchmark::State& state) {
  PaintBenchmark(state, [](Workspace& workspace) {
    return bench::MakeLimitPaintMap(workspace, bench::Borders::kMeandering);
  });
}
BENCHMARK(BM_PaintLimitPaintMap)->Unit(benchmark::kMillisecond);

// The same with borders that leave no two vertices in one pixel, the most
// the paint engine can be given.
void BM_PaintLimitPaintMapZigzag(benchmark::State& state) {
  PaintBenchmark(state, [](Workspace& workspace) {
    return bench::MakeLimitPaintMap(workspace, bench::Borders::kZigzag);
  });
}
BENCHMARK(BM_PaintLimitPaintMapZigzag)->Unit(benchmark::kMillisecond);

void BM_PaintCountyWhiteMap(benchmark::State& state) {
  PaintBenchmark(state, LoadCountyWhiteMap);
}
BENCHMARK(BM_PaintCountyWhiteMap)->Unit(benchmark::kMillisecond);

void BM_PaintCountyCircleMap(benchmark::State& state) {
  PaintBenchmark(state, LoadCountyCircleMap);
}
BENCHMARK(BM_PaintCountyCircleMap)->Unit(benchmark::kMillisecond);

// The county white map saved as an EMF, then shown as the background
// picture of an empty map window: the cost of each repaint.
void BM_PlayCountyBackground(benchmark::State& state) {
  Workspace county;
  if (!LoadCountyWhiteMap(county)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const gdi::MetafileOptions options = gdi::EmfFileOptions(DrawingExtent(county), 96);
  gdi::EmfWriter writer(options);
  PaintMap(county, writer, PaintParams{0, {}, options.paint_scale});
  auto picture = MetafilePicture::FromBytes(writer.Finish().value());
  if (!picture.ok()) {
    state.SkipWithError("the saved map is refused");
    return;
  }
  Workspace workspace;
  const auto& emf = picture.value();
  state.counters["bytes"] = static_cast<double>(emf->bytes().size());
  workspace.view.Background = BackgroundMode::kSize;
  workspace.view.BackgroundSize = {static_cast<std::uint16_t>(emf->info().size.cx),
                                   static_cast<std::uint16_t>(emf->info().size.cy)};
  workspace.view.Picture = emf;
  QImage image(1000, 700, QImage::Format_RGB32);
  for (auto _ : state)
    PaintInto(image, workspace);
}
BENCHMARK(BM_PlayCountyBackground)->Unit(benchmark::kMillisecond);

// Maps every point of the county map on each pass with `map_pass(frame,
// points, count)`.
template <typename MapPass>
void MappingBenchmark(benchmark::State& state, MapPass map_pass) {
  Workspace workspace;
  if (!LoadCountyWhiteMap(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const BaseMap& map = workspace.base_map;
  const MapFrame frame = FrameOf(workspace.settings, 1.0, gdi::Point{});
  const std::int64_t allocations_before = bench::AllocationCount();
  for (auto _ : state)
    map_pass(frame, map.Points, map.PointCount + 1);
  state.counters["allocations"] =
      static_cast<double>(bench::AllocationCount() - allocations_before);
  state.SetItemsProcessed(state.iterations() * (map.PointCount + 1));
}

void BM_MapToDevice(benchmark::State& state) {
  MappingBenchmark(state, [](const MapFrame& frame, const PointStore& points, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i)
      benchmark::DoNotOptimize(MapToDevice(frame, points[i]));
  });
}
BENCHMARK(BM_MapToDevice)->Unit(benchmark::kMicrosecond);

// The same points through the mapper of a paint, made once per pass as a
// paint makes it (two allocations a pass).
void BM_PointMapper(benchmark::State& state) {
  MappingBenchmark(state, [](const MapFrame& frame, const PointStore& points, std::int32_t count) {
    PointMapper mapper(frame);
    for (std::int32_t i = 0; i < count; ++i)
      benchmark::DoNotOptimize(mapper(points[i]));
  });
}
BENCHMARK(BM_PointMapper)->Unit(benchmark::kMicrosecond);

void SendMouse(QWidget& viewport, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, QPointF(at), viewport.mapToGlobal(QPointF(at)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&viewport, &event);
}

// One step of a drag over the county white map in a shown map window of
// 1000 × 700: the mouse move and the paint it asks for, which draws the band
// over the picture of the last full paint.
void BM_RubberBandStepOverCountyMap(benchmark::State& state) {
  Workspace workspace;
  if (!LoadCountyWhiteMap(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  workspace.decoration_tools.Mode = static_cast<DecorationMode>(state.range(0));
  bench::SilentReporter reporter;
  AppContext context{workspace, ProgramPaths{}, reporter, TextMetrics{}};
  TDrawWindow window(context);
  window.resize(1000, 700);
  window.show();
  QCoreApplication::processEvents();
  QWidget& viewport = *window.viewport();
  SendMouse(viewport, QEvent::MouseButtonPress, QPoint(300, 200));
  const int paints_before = window.FullPaintCount();
  int step = 0;
  for (auto _ : state) {
    ++step;
    SendMouse(viewport, QEvent::MouseMove, QPoint(400 + step % 200, 300 + step % 150));
    QCoreApplication::processEvents();
  }
  state.counters["full_paints"] = window.FullPaintCount() - paints_before;
}
// A line, and a circle, whose band covers more of the map.
BENCHMARK(BM_RubberBandStepOverCountyMap)
    ->Arg(static_cast<int>(DecorationMode::kLine))
    ->Arg(static_cast<int>(DecorationMode::kCircle))
    ->Unit(benchmark::kMicrosecond);

// Opening the county paint map's document, base map included, and painting it.
void BM_OpenAndPaintCountyDocument(benchmark::State& state) {
  Workspace saved;
  const auto path = std::filesystem::temp_directory_path() / "kartela-bench-county.KTD";
  if (!LoadCountyPaintMap(saved) || !SaveMapDocument(path, saved).ok()) {
    state.SkipWithError("the county document cannot be made");
    return;
  }
  bench::SilentReporter reporter;
  QImage image(1000, 700, QImage::Format_RGB32);
  for (auto _ : state) {
    Workspace workspace;
    if (!LoadMapDocument(path, bench::BaseMapsDir(), workspace, reporter)) {
      state.SkipWithError("the county document does not load");
      break;
    }
    PaintInto(image, workspace);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndPaintCountyDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela
