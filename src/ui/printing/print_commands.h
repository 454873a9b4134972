// The map print command (地図の印刷 and its speed button): the print dialog
// with its preview and printer buttons, then the job on the current printer
// with the abort window.
#pragma once

#include "output/export_settings.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

namespace kartela {

class CurrentPrinter;

// Whether the paint map uses the program's own fill patterns (brush 40 and
// above), which a printer may not reproduce.
bool UsesOwnPatterns(const Workspace& workspace);

// The print values of the workspace, and storing them back: a new
// magnification or orientation marks its setting changed.
output::PrinterSettings PrintValuesOf(const Workspace& workspace);
void StorePrintValues(const output::PrinterSettings& values, Workspace& workspace);

class PrintCommands {
 public:
  PrintCommands(AppContext& context, CurrentPrinter& printer);

  void PrintMapClick();

  // Replace how the print dialog and the preview are shown: tests answer
  // without blocking.
  void SetDialogRunner(DialogRunner runner) { run_dialog_ = std::move(runner); }

 private:
  void ShowPreview(const output::PrinterSettings& values);
  // Prints on the current printer with the abort window; a failure is shown.
  Status Print(const output::PrinterSettings& values);

  AppContext& context_;
  CurrentPrinter& printer_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
