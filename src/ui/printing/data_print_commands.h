// データの印刷: the data set as a list on the printer, in columns and pages,
// with the margins and copies the map print shares.
#pragma once

#include <QPointer>

#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

namespace kartela {

class CurrentPrinter;
class TDataPrintDialog;

class DataPrintCommands {
 public:
  // Prints on `printer`, the program's current printer.
  DataPrintCommands(AppContext& context, CurrentPrinter& printer);
  ~DataPrintCommands();

  // Prints the data as last committed; a choice the page cannot hold is
  // refused with a message and the dialog shown again.
  void PrintDataClick();

  // Replaces how the command runs its modal dialog.
  void SetDialogRunner(DialogRunner runner) { run_dialog_ = std::move(runner); }

 private:
  // One job with the abort window; a refusal is shown as a warning, a
  // failure as an error.
  Status Print();

  AppContext& context_;
  CurrentPrinter& printer_;
  QPointer<TDataPrintDialog> dialog_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
