#include "output/print_job.h"

#include <QPrinter>

namespace kartela::output {
namespace {

QString PrinterText(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
  return printer.printerName();
}

}  // namespace

Status PrintFailure(const QString& why, const QPrinter& printer, StatusCode code) {
  const QString where = PrinterText(printer);
  const QString text = where.isEmpty() ? why : QStringLiteral("%1\n(%2)").arg(why, where);
  return {code, text.toStdString()};
}

Status PrintCancelled() {
  return {StatusCode::kCancelled, "印刷を中止しました。"};
}

}  // namespace kartela::output
