#include "ui/printing/current_printer.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kartela {

CurrentPrinter::CurrentPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  printer_->setDocName(QStringLiteral("Kartela"));  // the job's title in the printer's queue
  if (QPrinterInfo::defaultPrinter().isNull()) printer_->setOutputFormat(QPrinter::PdfFormat);
}

CurrentPrinter::~CurrentPrinter() = default;

void CurrentPrinter::Choose(QWidget* parent) {
  QPrintDialog choice(printer_.get(), parent);
  choice.setWindowTitle(QStringLiteral("プリンターの設定"));
  // The printer, its paper and its options: the print dialogs count the
  // copies themselves, so the printer always makes one of each page.
  choice.setOption(QAbstractPrintDialog::PrintToFile, true);
  choice.setOption(QAbstractPrintDialog::PrintSelection, false);
  choice.setOption(QAbstractPrintDialog::PrintPageRange, false);
  choice.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
  choice.exec();
  printer_->setCopyCount(1);
}

}  // namespace kartela
