// Printing the paint map of Japan: the whole job spooled to a PDF printer at
// "自動調整" on A4 (what the program does between OK and the end of the
// job; the printer's own time excluded), and the preview's page picture at
// its largest sizes (A4 portrait and landscape on a large main window); and
// the data list of the 3,141 US counties in two columns (what three columns
// of the longest names are refused for), measured and printed to a PDF file.
#include <benchmark/benchmark.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include "output/data_list_print.h"
#include "output/map_print.h"
#include "shipped_maps.h"

namespace kartela {
namespace {

std::unique_ptr<QPrinter> A4PdfPrinter(const QString& file, QPageLayout::Orientation orientation) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file);
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageOrientation(orientation);
  return printer;
}

void BM_PrintJapanToPdfA4(benchmark::State& state) {
  Workspace workspace;
  if (!bench::LoadPaintMapOfJapan(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const QTemporaryDir dir;
  for (auto _ : state) {
    auto printer = A4PdfPrinter(dir.filePath("map.pdf"), QPageLayout::Portrait);
    const output::PrintResult result =
        output::PrintMap(workspace, output::PrinterSettings{}, *printer, [] { return false; });
    if (!result.status.ok()) state.SkipWithError("print failed");
  }
}
BENCHMARK(BM_PrintJapanToPdfA4)->Unit(benchmark::kMillisecond);

void BM_PreviewJapanA4(benchmark::State& state) {
  Workspace workspace;
  if (!bench::LoadPaintMapOfJapan(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  const bool landscape = state.range(0) != 0;
  const QTemporaryDir dir;
  auto printer = A4PdfPrinter(dir.filePath("unused.pdf"),
                              landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  const int width = landscape ? 1024 : 543;  // the largest preview: 1024 by 768
  for (auto _ : state) {
    const output::PrintLayout layout =
        output::LayoutOnPrinter(output::PrinterSettings{}, *printer, workspace);
    benchmark::DoNotOptimize(output::PreviewPage(workspace, layout, width));
  }
}
BENCHMARK(BM_PreviewJapanA4)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PrintCountyDataListToPdfA4(benchmark::State& state) {
  Workspace workspace;
  if (!bench::LoadCountyPaintMap(workspace)) {
    state.SkipWithError("the shipped map does not load");
    return;
  }
  // The longest county names need two columns at the default 10 points.
  workspace.print.DataColumns = 2;
  const output::DataListFont font{workspace.print.DataFontName, workspace.print.DataFontSize};
  const QTemporaryDir dir;
  for (auto _ : state) {
    auto printer = A4PdfPrinter(dir.filePath("list.pdf"), QPageLayout::Portrait);
    const Status printed = output::PrintDataList(*printer, workspace, font, [] { return false; });
    if (!printed.ok()) state.SkipWithError(printed.detail().c_str());
  }
}
BENCHMARK(BM_PrintCountyDataListToPdfA4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela
