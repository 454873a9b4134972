#include "output/print_job.h"

#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <cmath>
#include <optional>
#include <vector>

namespace kartela::output {
namespace {

constexpr double kMillimetresPerInch = 25.4;

QString PrinterText(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
  return printer.printerName();
}

int PrintPixels(double millimetres) {
  return static_cast<int>(std::lround(millimetres * kPrintDotsPerInch / kMillimetresPerInch));
}

// The recorded pages of one copy, or nothing when the job was aborted.
std::optional<std::vector<QPicture>> RecordPages(const PageSource& source,
                                                 const std::function<bool()>& aborted) {
  std::vector<QPicture> pages(static_cast<std::size_t>(source.pages_per_copy));
  for (int copy = 0; copy < source.copies; ++copy) {
    for (int page = 0; page < source.pages_per_copy; ++page) {
      if (aborted()) return std::nullopt;
      if (copy > 0) continue;  // later copies send the same pictures again
      QPainter painter(&pages[static_cast<std::size_t>(page)]);
      source.draw(painter, page);
    }
  }
  return pages;
}

// Sends every copy of `pages` to `printer`, scaled from print pixels to its
// own resolution.
PrintResult SendPages(QPrinter& printer, const std::vector<QPicture>& pages, int copies) {
  QPainter painter;
  if (!painter.begin(&printer))
    return {PrintFailure(QStringLiteral("印刷を始められません。"), printer), 0};
  // A picture plays itself scaled from its own resolution to the device's;
  // its units are print pixels here.
  const QPicture& first = pages.front();
  const auto to_device = [](int resolution, int picture_dpi, int device_dpi) {
    return static_cast<double>(resolution) * picture_dpi / kPrintDotsPerInch / device_dpi;
  };
  painter.scale(to_device(printer.resolution(), first.logicalDpiX(), printer.logicalDpiX()),
                to_device(printer.resolution(), first.logicalDpiY(), printer.logicalDpiY()));
  PrintResult result;
  for (int copy = 0; copy < copies; ++copy) {
    for (const QPicture& page : pages) {
      if (result.pages > 0 && !printer.newPage()) {
        painter.end();
        result.status = PrintFailure(QStringLiteral("改ページできません。"), printer);
        return result;
      }
      painter.drawPicture(0, 0, page);
      ++result.pages;
    }
  }
  if (!painter.end() || printer.printerState() == QPrinter::Error)
    result.status = PrintFailure(QStringLiteral("印刷に失敗しました。"), printer);
  return result;
}

}  // namespace

QSize PrintPageOf(QPrinter& printer) {
  printer.setFullPage(true);
  const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
  return {PrintPixels(paper.width()), PrintPixels(paper.height())};
}

PrintResult RunPrintJob(QPrinter& printer, const PageSource& source,
                        const std::function<bool()>& aborted) {
  const auto refused = [&printer](const QString& why) {
    return PrintResult{PrintFailure(why, printer, StatusCode::kRefused), 0};
  };
  if (source.copies < 1 || source.pages_per_copy < 1)
    return refused(QStringLiteral("部数は 1 以上を指定してください。"));
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
    return refused(QStringLiteral("印刷先がありません。「ﾌﾟﾘﾝﾀｰ」で選んでください。"));
  printer.setFullPage(true);
  const std::optional<std::vector<QPicture>> pages = RecordPages(source, aborted);
  if (!pages) return {PrintCancelled(), 0};
  return SendPages(printer, *pages, source.copies);
}

Status PrintFailure(const QString& why, const QPrinter& printer, StatusCode code) {
  const QString where = PrinterText(printer);
  const QString text = where.isEmpty() ? why : QStringLiteral("%1\n(%2)").arg(why, where);
  return {code, text.toStdString()};
}

Status PrintCancelled() {
  return {StatusCode::kCancelled, "印刷を中止しました。"};
}

}  // namespace kartela::output
