// Data through the clipboard as text, and the search for an area by name.
#pragma once

#include <QPointer>
#include <optional>
#include <string>

#include "model/data_clipboard.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QWidget;

namespace kartela {

class TAreaFindDialog;
class TDataCalcDialog;
class TDataClipDialog;
class TDataPasteDialog;
class TDataWindow;
class TTableReadDialog;

class DataExchangeCommands {
 public:
  DataExchangeCommands(AppContext& context, TDataWindow& data_window);
  ~DataExchangeCommands();

  // Copies the values, with the title and the area names as chosen, to the
  // clipboard as text.
  void CopyDataClick();
  // Reads a title and values from the clipboard's text into the data.
  void PasteDataClick();
  // Moves the data window to the next area whose name matches.
  void FindAreaClick();
  // Reads a title and values from a statistics table, matched to the areas,
  // into the data as a paste would.
  void ReadTableClick();
  // Divides the data by another data set on the same base map, times a
  // factor; the quotient replaces the data as a new, unsaved data set.
  void CalcDataClick();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The clipboard's text in Shift-JIS; nothing when there is none or it
  // cannot be held (said to the user).
  std::optional<std::string> ClipboardText();
  // The area the values start at: from the dialog unless a title came
  // first; nothing when the user cancels.
  std::optional<int> FirstPastedArea(const PastedData& pasted);
  // The row the search starts at: after the area being edited, if any.
  int SearchStartRow() const;
  std::string RefusedCopyPlace(std::size_t line, bool with_title) const;
  void Refuse(const QString& text);

  AppContext& context_;
  TDataWindow& data_window_;
  // Created once; owned by their parent window.
  QPointer<TDataClipDialog> clip_dialog_;
  QPointer<TDataPasteDialog> paste_dialog_;
  QPointer<TAreaFindDialog> find_dialog_;
  QPointer<TTableReadDialog> table_dialog_;
  QPointer<TDataCalcDialog> calc_dialog_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
