#include "output/map_print.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "output/map_exporter.h"
#include "render/map_frame.h"
#include "render/paint_context.h"

namespace kartela::output {
namespace {

// The drawing objects of a picture at magnification `print_size`: the
// monochrome pens' widths follow it and the print line width.
DrawingResources ResourcesAt(const Workspace& workspace, double print_size,
                             std::int16_t line_width) {
  Settings settings = workspace.settings;
  settings.PrintSize = print_size;
  return CreateDrawingResources(settings, workspace.screen_colors, line_width);
}

}  // namespace

bool PrintLayout::Printable() const {
  const QRect area = Area();
  return area.width() > 0 && area.height() > 0;
}

PrintLayout LayoutPrint(const PrinterSettings& settings, QSize page, int pixels_per_inch,
                        gdi::Size extent) {
  const int d = pixels_per_inch * 100 / 254;
  const auto pixels = [d](std::int32_t mm) {
    return static_cast<int>(static_cast<std::int64_t>(mm) * d / 10);
  };
  PrintLayout layout;
  layout.page = page;
  layout.margins = QMargins(pixels(settings.margins.left), pixels(settings.margins.top),
                            pixels(settings.margins.right), pixels(settings.margins.bottom));
  if (settings.magnification > 0) {
    layout.scale = settings.magnification;
  } else {
    const QRect area = layout.Area();
    layout.scale = std::min(static_cast<double>(area.width()) / std::max(1, extent.cx),
                            static_cast<double>(area.height()) / std::max(1, extent.cy));
  }
  return layout;
}

PrintLayout LayoutOnPrinter(const PrinterSettings& settings, QPrinter& printer,
                            const Workspace& workspace) {
  printer.setFullPage(true);  // margins count from the paper's edge
  return LayoutPrint(settings, printer.paperRect(QPrinter::DevicePixel).size().toSize(),
                     printer.resolution(), DrawingExtent(workspace));
}

PrintResult PrintMap(const Workspace& workspace, const PrinterSettings& settings, QPrinter& printer,
                     const std::function<bool()>& aborted) {
  const PrintLayout layout = LayoutOnPrinter(settings, printer, workspace);
  const auto refused = [&printer](const QString& why) {
    return PrintResult{PrintFailure(why, printer, StatusCode::kRefused), 0};
  };
  if (!layout.Printable())
    return refused(QStringLiteral("余白が大きすぎて印刷できる範囲がありません。"));
  if (settings.copies < 1) return {};  // no sheet at all, not an empty one
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
    return refused(QStringLiteral("印刷先がありません。「ﾌﾟﾘﾝﾀｰ」で選んでください。"));
  const DrawingResources resources = ResourcesAt(workspace, layout.scale, settings.line_width);
  const MapExporter exporter(workspace, resources);
  QPainter painter;
  if (!painter.begin(&printer))
    return {PrintFailure(QStringLiteral("印刷を始められません。"), printer), 0};
  const gdi::Point origin{-layout.margins.left(), -layout.margins.top()};
  PrintResult result;
  for (int copy = 0; copy < settings.copies; ++copy) {
    if (aborted()) {
      // Qt's PDF and CUPS printers cannot take back pages already drawn:
      // the job ends with them.
      printer.abort();
      result.status = PrintCancelled();
      break;
    }
    if (copy > 0 && !printer.newPage()) {
      result.status = PrintFailure(QStringLiteral("改ページできません。"), printer);
      return result;
    }
    exporter.PaintAt(painter, kPaintMonochrome, layout.scale, origin);
    ++result.pages;
  }
  const bool ended = painter.end();
  if (result.status.code() == StatusCode::kCancelled) return result;
  if (!ended || printer.printerState() == QPrinter::Error)
    result.status = PrintFailure(QStringLiteral("印刷に失敗しました。"), printer);
  return result;
}

QImage PreviewPage(const Workspace& workspace, const PrintLayout& layout, int width) {
  const double f = static_cast<double>(width) / std::max(1, layout.page.width());
  const int height = std::max(1, static_cast<int>(std::lround(layout.page.height() * f)));
  QImage image(std::max(1, width), height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  const QRect area = layout.Area();
  const QPoint top_left(static_cast<int>(std::lround(f * area.left())),
                        static_cast<int>(std::lround(f * area.top())));
  const QPoint bottom_right(static_cast<int>(std::lround(f * (area.right() + 1))),
                            static_cast<int>(std::lround(f * (area.bottom() + 1))));
  painter.setPen(QColor(255, 255, 0));
  painter.drawRect(QRect(top_left, bottom_right).adjusted(0, 0, -1, -1));
  const DrawingResources resources = ResourcesAt(workspace, 1.0, workspace.PrintLineWidth);
  const MapExporter exporter(workspace, resources);
  exporter.PaintAt(painter, 0, f * layout.scale, gdi::Point{-top_left.x(), -top_left.y()});
  return image;
}

}  // namespace kartela::output
