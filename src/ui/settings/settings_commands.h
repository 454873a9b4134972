// The settings commands: data directory, data-file extension, area-name
// length and what the settings file keeps. Each changes the settings and
// their ChangedMask bit only when its dialog ends with OK.
#pragma once

#include <QPointer>
#include <QString>

#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QDialog;
class QWidget;

namespace kartela {

class TDataExtDialog;
class TDataWindow;
class TDirSelectDialog;
class TIniEmbDialog;
class TItemLenDialog;

// --- The data directory (UTF-8 path text; "/" separates directories) ---

// The typed directory as an absolute, clean path without a trailing
// separator (the root keeps its own); a relative name is taken from the
// current directory. Empty for a blank text.
QString ChosenDirectory(const QString& typed);
// `directory` ending in one separator, as DataDir is stored.
QString WithTrailingSeparator(const QString& directory);

class SettingsCommands {
 public:
  SettingsCommands(AppContext& context, TDataWindow& data_window);
  ~SettingsCommands();

  void DefDataDirClick();
  void DefDataExtClick();
  void DefAreaLengthClick();
  void DefINIFileClick();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The parent of the dialogs: the main window, or the data window without one.
  // Places `dialog` at the given offsets and shows it; true when it ended with OK.
  bool PlacedAndAccepted(QDialog& dialog, int columns, int rows);
  // Asks to create the missing `directory` and creates it on Yes; false when
  // declined or when it cannot be made (then said so).
  bool CreateMissingDirectory(const QString& directory);
  // Shows a refusal that has no catalogue entry.
  void ShowRefusal(const QString& text);

  AppContext& context_;
  TDataWindow& data_window_;
  DialogRunner run_dialog_ = ExecModal;
  // Created at first use and kept, so each shows its last contents again.
  QPointer<TDirSelectDialog> dir_select_dialog_;
  QPointer<TDataExtDialog> data_ext_dialog_;
  QPointer<TItemLenDialog> item_len_dialog_;
  QPointer<TIniEmbDialog> ini_emb_dialog_;
};

}  // namespace kartela
