#include "ui/data_print_commands.h"

#include <QPrintDialog>

#include "gdi/qt/font_substitution.h"
#include "model/messages.h"
#include "output/data_list_print.h"
#include "ui/data_print_dialog.h"
#include "ui/place_dialog.h"

namespace kartela {

DataPrintCommands::DataPrintCommands(AppContext& context) : context_(context) {
  const std::vector<std::string> installed = gdi::InstalledFamilies();
  dialog_ = new TDataPrintDialog(installed, DialogOwner(context_));
  dialog_->SetPrinterSetup([this] { PrinterSetup(); });
}

// The dialog belongs to its owner window when it has one.
DataPrintCommands::~DataPrintCommands() {
  if (dialog_ != nullptr && dialog_->parent() == nullptr) delete dialog_;
}

void DataPrintCommands::PrintDataClick() {
  if (dialog_.isNull()) return;
  Workspace& workspace = context_.workspace;
  dialog_->Load(workspace.print);
  for (;;) {
    PlaceDialog(context_, *dialog_, 6, 7);
    if (run_dialog_(*dialog_) != QDialog::Accepted) return;
    dialog_->StoreInto(workspace.print);
    // The abort form of the print jobs is connected here; until then a job
    // runs to its end.
    const output::PrintResult result =
        output::PrintDataList(printer_, workspace, dialog_->ChosenFont(), [] { return false; });
    switch (result.outcome) {
      case output::PrintOutcome::kRefused:
        ShowWarning(context_.reporter, result.message);
        continue;
      case output::PrintOutcome::kFailed:
        ShowError(context_.reporter, result.message);
        return;
      case output::PrintOutcome::kPrinted:
      case output::PrintOutcome::kAborted:
        return;
    }
  }
}

void DataPrintCommands::PrinterSetup() {
  QPrintDialog setup(&printer_, dialog_);
  setup.setWindowTitle(QStringLiteral("プリンターの設定"));
  setup.exec();
  // The command prints its copies itself, one after the other.
  printer_.setCopyCount(1);
}

}  // namespace kartela
