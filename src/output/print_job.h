// The one page loop of every print job (the map and the data list). Pages
// are laid out at a nominal 300 dots per inch from the paper's top-left
// corner, whatever the printer's own resolution, so that a length in print
// pixels is the same on paper on every printer and PDF file. The pages are
// recorded first and sent to the printer only when the job was not aborted:
// Qt's PDF and CUPS printers cannot take back a page once drawn.
//
// A job ends with a status whose detail (UTF-8) is the text shown to the
// user: kCancelled when the user stopped the job, kRefused for choices the
// page cannot take (nothing was sent), kIoError when the printer failed.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

#include "base/status.h"

class QPainter;
class QPrinter;

namespace kartela::output {

// The resolution every print is laid out at.
inline constexpr int kPrintDotsPerInch = 300;

// A job's status and the pages that went out.
struct PrintResult {
  Status status;
  int pages = 0;
};

// The whole sheet of `printer` in print pixels, in its orientation. Puts the
// printer in full-page mode: margins count from the paper's edge.
QSize PrintPageOf(QPrinter& printer);

// What a job prints: `copies` times the pages 0 .. pages_per_copy - 1, each
// drawn by `draw` in print pixels from the paper's top-left corner.
struct PageSource {
  int pages_per_copy = 1;
  int copies = 1;
  std::function<void(QPainter& painter, int page)> draw;
};

// Runs the job on `printer`. `aborted` is asked before each sheet; when it
// says yes nothing is sent (kCancelled). No copy, or a PDF printer that
// names no file, is refused before anything is drawn.
PrintResult RunPrintJob(QPrinter& printer, const PageSource& source,
                        const std::function<bool()>& aborted);

// A job that failed (or, with kRefused, was refused): `why`, with the
// printer or file it concerns on a second line.
Status PrintFailure(const QString& why, const QPrinter& printer,
                    StatusCode code = StatusCode::kIoError);

// A job the user stopped.
Status PrintCancelled();

}  // namespace kartela::output
