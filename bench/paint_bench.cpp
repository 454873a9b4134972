// Time to paint the shipped maps into an image of the map window's size, the
// cost of the coordinate transform, which must not allocate, and of a rubber
// band's step in the map window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <filesystem>
#include <string>

#include "allocation_counter.h"
#include "base/numbers.h"
#include "gdi/emf_writer.h"
#include "gdi/qt/painter_device_context.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/data_file.h"
#include "model/reporter.h"
#include "render/circle_map.h"
#include "render/map_document_state.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/metafile_picture.h"
#include "ui/draw_window.h"

namespace kartela {
namespace {

const std::filesystem::path kBaseMaps = KARTELA_BASEMAPS_DIR;

class NoReports : public Reporter {
 public:
  void Show(const CatalogueMessage&) override {}
  bool AskOkCancel(std::string_view, std::string_view) override { return true; }
  Answer AskYesNoCancel(std::string_view, std::string_view) override { return Answer::kYes; }
  void ShowNotice(std::string_view) override {}
};

bool LoadBaseMap(const std::string& reference, Workspace& workspace) {
  const auto found = FindBaseMap(reference, kBaseMaps);
  if (!found || ReadBaseMap(found->path, workspace.base_map) != BaseMapStatus::kOk) return false;
  workspace.base_map.LoadedMapFile = reference;
  return true;
}

// The paint map of the population sample, classified as the command does.
bool LoadPaintMapOfJapan(Workspace& workspace) {
  NoReports reporter;
  if (!ReadDataFile(kBaseMaps / "人口2020.DAT", kBaseMaps, workspace.area_list, workspace.data,
                    reporter)) {
    return false;
  }
  ClassTables& tables = workspace.class_tables;
  if (ComputeDataStatistics(workspace.data, workspace.area_list.AreaCount(),
                            workspace.settings.ClassCount, tables) != ValueSyntaxResult::kOk) {
    return false;
  }
  tables.ClassBreaks = tables.ProposedBreaks;
  workspace.view.Kind = MapKind::kPaintMap;
  return LoadBaseMap(workspace.area_list.CurrentBaseMapFile, workspace);
}

// The white map of the counties with the state borders thick.
bool LoadCountyWhiteMap(Workspace& workspace) {
  workspace.settings.BorderStyle = 4;
  workspace.view.Kind = MapKind::kWhiteMap;
  return LoadBaseMap("\x95\xc4\x8d\x91\x8c\x53.IDT", workspace);  // 米国郡.IDT
}

// The circle map of the counties over a made-up change in percent per
// county, from -100.0 to 100.0, with the default settings and the proposed
// reference value: both colours and circles of every size.
bool LoadCountyCircleMap(Workspace& workspace) {
  if (!LoadBaseMap("\x95\xc4\x8d\x91\x8c\x53.IDT", workspace)) return false;  // 米国郡.IDT
  const int count = workspace.base_map.MapAreaCount();
  workspace.area_list.AreaNames = workspace.base_map.MapAreaNames;
  for (int i = 0; i < count; ++i) {
    const std::int64_t tenths = static_cast<std::int64_t>(i) * 7919 % 2001 - 1000;
    workspace.data.DataValues[static_cast<std::size_t>(i)] =
        FormatFixed(static_cast<long double>(tenths) / 10, 0, 1);
  }
  const SymbolDataStats stats =
      ScanSymbolData(workspace.data, count, workspace.class_tables.NumericValues);
  if (ApplyCircleFields(InitialCircleFields(workspace.symbols, stats), workspace.symbols) != 0) {
    return false;
  }
  StartCircleMap(workspace);
  return true;
}

// The paint map of the counties over the same made-up values, classified
// as the command does: what the county document holds.
bool LoadCountyPaintMap(Workspace& workspace) {
  if (!LoadCountyCircleMap(workspace)) return false;
  workspace.area_list.CurrentBaseMapFile = workspace.base_map.LoadedMapFile;
  ClassTables& tables = workspace.class_tables;
  if (ComputeDataStatistics(workspace.data, workspace.area_list.AreaCount(),
                            workspace.settings.ClassCount, tables) != ValueSyntaxResult::kOk) {
    return false;
  }
  tables.ClassBreaks = tables.ProposedBreaks;
  workspace.view.Kind = MapKind::kPaintMap;
  return true;
}

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
  auto picture = MetafilePicture::FromBytes(writer.Finish());
  if (!std::holds_alternative<std::shared_ptr<const MetafilePicture>>(picture)) {
    state.SkipWithError("the saved map is refused");
    return;
  }
  Workspace workspace;
  const auto& emf = std::get<std::shared_ptr<const MetafilePicture>>(picture);
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

void BM_MapToDevice(benchmark::State& state) {
  Workspace workspace;
  if (!LoadCountyWhiteMap(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const BaseMap& map = workspace.base_map;
  const MapFrame frame = FrameOf(workspace.settings, 1.0, gdi::Point{});
  const std::int64_t allocations_before = bench::AllocationCount();
  for (auto _ : state) {
    for (std::int32_t i = 0; i <= map.PointCount; ++i) {
      benchmark::DoNotOptimize(MapToDevice(frame, map.Points[i]));
    }
  }
  state.counters["allocations"] =
      static_cast<double>(bench::AllocationCount() - allocations_before);
  state.SetItemsProcessed(state.iterations() * (map.PointCount + 1));
}
BENCHMARK(BM_MapToDevice)->Unit(benchmark::kMicrosecond);

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
  NoReports reporter;
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
  if (!LoadCountyPaintMap(saved) || !SaveMapDocument(path, saved).ok) {
    state.SkipWithError("the county document cannot be made");
    return;
  }
  NoReports reporter;
  QImage image(1000, 700, QImage::Format_RGB32);
  for (auto _ : state) {
    Workspace workspace;
    if (!LoadMapDocument(path, kBaseMaps, workspace, reporter)) {
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
