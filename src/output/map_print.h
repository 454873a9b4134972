// The printer target of the exporter: where the map goes on a page (the
// margins in print pixels, the printable area, the magnification that
// fits), the print job with its copies, and the picture of a page that the
// preview shows.
#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <functional>
#include <string>

#include "gdi/gdi_types.h"
#include "output/export_settings.h"
#include "output/print_job.h"
#include "render/workspace.h"

class QPrinter;

namespace kartela::output {

struct PrintLayout {
  QSize page;        // the whole sheet, in print pixels
  QMargins margins;  // print pixels
  double scale = 1.0;

  // The printable area: the page inside the margins.
  QRect Area() const { return QRect(QPoint(0, 0), page).marginsRemoved(margins); }
  // False when the margins leave no area to print on.
  bool Printable() const;
};

// The layout of `settings` on a page of `page` pixels at `pixels_per_inch`
// for a map of `extent` at scale 1: each margin m mm is m x d div 10 pixels,
// d = pixels per inch x 100 div 254; a magnification above 0 is the scale,
// otherwise the scale fits the map into the printable area.
PrintLayout LayoutPrint(const PrinterSettings& settings, QSize page, int pixels_per_inch,
                        gdi::Size extent);

// The same on `printer`'s sheet in print pixels (print_job.h), measured from
// its paper edge, turned to the orientation of `settings` (which the printer
// takes): with kAuto the one in which the fitted map is larger, portrait
// when both are alike.
PrintLayout LayoutOnPrinter(const PrinterSettings& settings, QPrinter& printer,
                            const Workspace& workspace);

// Prints `settings.copies` pages of the map on `printer`, black lines on
// white (the print pens with `settings.line_width`), at the layout's scale
// from the top-left margin. `aborted` is asked before each copy; when it
// says yes nothing is printed (kCancelled). A layout that is not printable,
// no copy, or a PDF printer without a file, prints nothing and is refused.
PrintResult PrintMap(const Workspace& workspace, const PrinterSettings& settings, QPrinter& printer,
                     const std::function<bool()>& aborted);

// The preview of `layout` as an image `width` pixels wide: the white sheet
// with a black edge, the printable area framed in yellow, and the map in
// screen colours at the scale the print has, reduced to the image.
QImage PreviewPage(const Workspace& workspace, const PrintLayout& layout, int width);

}  // namespace kartela::output
