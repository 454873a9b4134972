#include "ui/printing/data_print_commands.h"

#include "gdi/qt/font_substitution.h"
#include "model/messages.h"
#include "output/data_list_print.h"
#include "ui/printing/abort_form.h"
#include "ui/printing/current_printer.h"
#include "ui/printing/data_print_dialog.h"
#include "ui/widgets/place_dialog.h"

namespace kartela {

DataPrintCommands::DataPrintCommands(AppContext& context, CurrentPrinter& printer)
    : context_(context), printer_(printer) {
  const std::vector<std::string> installed = gdi::InstalledFamilies();
  dialog_ = new TDataPrintDialog(context_.reporter, installed, DialogOwner(context_));
  dialog_->SetPrinterSetup([this] { printer_.Choose(dialog_); });
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
    const Status printed = Print();
    if (printed.code() != StatusCode::kRefused) return;
  }
}

Status DataPrintCommands::Print() {
  TAbortForm abort_form(DialogOwner(context_));
  abort_form.Start();
  const Status printed =
      output::PrintDataList(printer_.printer(), context_.workspace, dialog_->ChosenFont(),
                            [&abort_form] { return abort_form.Aborted(); });
  abort_form.hide();
  switch (printed.code()) {
    case StatusCode::kOk:
    case StatusCode::kCancelled:
      break;
    case StatusCode::kRefused:
      ShowWarning(context_.reporter, printed.detail());
      break;
    default:
      ShowError(context_.reporter, printed.detail());
      break;
  }
  return printed;
}

}  // namespace kartela
