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
  const gdi::Size extent = DrawingExtent(workspace);
  const QSize page = PrintPageOf(printer);
  const QSize portrait(std::min(page.width(), page.height()),
                       std::max(page.width(), page.height()));
  const QSize landscape = portrait.transposed();
  bool wide = settings.orientation == PageOrientation::kLandscape;
  if (settings.orientation == PageOrientation::kAuto) {
    PrinterSettings fit = settings;
    fit.magnification = -1.0;
    wide = LayoutPrint(fit, landscape, kPrintDotsPerInch, extent).scale >
           LayoutPrint(fit, portrait, kPrintDotsPerInch, extent).scale;
  }
  printer.setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
  return LayoutPrint(settings, wide ? landscape : portrait, kPrintDotsPerInch, extent);
}

PrintResult PrintMap(const Workspace& workspace, const PrinterSettings& settings, QPrinter& printer,
                     const std::function<bool()>& aborted) {
  const PrintLayout layout = LayoutOnPrinter(settings, printer, workspace);
  if (!layout.Printable()) {
    return {PrintFailure(QStringLiteral("余白が大きすぎて印刷できる範囲がありません。"), printer,
                         StatusCode::kRefused),
            0};
  }
  const DrawingResources resources = ResourcesAt(workspace, layout.scale, settings.line_width);
  const MapExporter exporter(workspace, resources);
  const gdi::Point origin{-layout.margins.left(), -layout.margins.top()};
  PageSource source;
  source.copies = settings.copies;
  source.draw = [&](QPainter& painter, int) {
    exporter.PaintAt(painter, kPaintMonochrome, layout.scale, origin);
  };
  return RunPrintJob(printer, source, aborted);
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
