// データの印刷: the data set as a list on the printer, in columns and pages,
// with the margins and copies the map print shares.
#pragma once

#include <QPointer>
#include <QPrinter>

#include "ui/app_context.h"
#include "ui/dialog_runner.h"

namespace kartela {

class TDataPrintDialog;

class DataPrintCommands {
 public:
  explicit DataPrintCommands(AppContext& context);
  ~DataPrintCommands();

  // Prints the data as last committed; a choice the page cannot hold is
  // refused with a message and the dialog shown again.
  void PrintDataClick();

  // The printer the list goes to.
  QPrinter& Printer() { return printer_; }
  // Replaces how the command runs its modal dialog.
  void SetDialogRunner(DialogRunner runner) { run_dialog_ = std::move(runner); }

 private:
  // Lets the user choose the printer (or a file) and its paper.
  void PrinterSetup();

  AppContext& context_;
  // A printer of this command's own until the program's current printer
  // (the one the map print uses) is handed in here.
  QPrinter printer_{QPrinter::HighResolution};
  QPointer<TDataPrintDialog> dialog_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
