#include "output/print_job.h"

#include <QPrinter>

namespace kartela::output {
namespace {

QString PrinterText(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
  return printer.printerName();
}

}  // namespace

PrintResult PrintFailure(int pages, const QString& why, const QPrinter& printer) {
  const QString where = PrinterText(printer);
  const QString text = where.isEmpty() ? why : QStringLiteral("%1\n(%2)").arg(why, where);
  return {PrintOutcome::kFailed, pages, text.toStdString()};
}

}  // namespace kartela::output
