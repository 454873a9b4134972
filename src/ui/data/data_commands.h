// The data commands of the Data menu: new data, reading and saving.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "ui/widgets/app_context.h"

namespace kartela {

class TDataWindow;

// What a dialog that chooses a file opens with.
struct FileDialogSetup {
  QString title;
  QString directory;  // empty: the dialog's own default
  QString filter;     // Qt name filters separated by ";;"
  QString file_name;  // the text preset in the name box
};

// The dialogs the commands ask the user with; each returns the chosen name,
// or nothing when cancelled. Tests replace them.
struct DataDialogs {
  using Dialog = std::function<std::optional<QString>(const FileDialogSetup&)>;
  Dialog open_data_file;
  Dialog save_data_file;
  // The file name chosen among the base maps of `directory` (filter: the mask).
  Dialog select_base_map;
};

// The read dialog with its comment showing line `preview_line` of the
// selected file, and the save dialog, which leaves the overwrite question
// to the command (asked once the extension is added).
DataDialogs::Dialog OpenFileDialog(AppContext& context, int preview_line);
DataDialogs::Dialog SaveFileDialog(AppContext& context);

// "ﾃﾞｰﾀﾌｧｲﾙ(*<ext>);;全ファイル(*.*)" for the data extension `data_ext`
// (Shift-JIS, with its dot).
QString DataFileFilter(std::string_view data_ext);

// The directory a dialog opens in for the setting `directory` (Shift-JIS):
// without its trailing separator when longer than 3 characters; empty when
// it names no existing directory.
QString InitialDirectory(std::string_view directory);

// Whether `path` names a map document or a metafile (.KTD, .WMF, .EMF in any
// letter case): files the data commands do not read or write, which have
// their own commands in the picture menu.
bool IsMapOrPictureFormat(const std::filesystem::path& path);

// Tells the user that `path` is not a data file and where such files are
// opened (message 4 with the reason).
void ReportUnreadableFormat(Reporter& reporter, const std::filesystem::path& path);

class DataCommands {
 public:
  DataCommands(AppContext& context, TDataWindow& data_window);

  // Each returns whether it replaced or saved the data, so that the main
  // window can activate the next child window or go on quitting.
  bool NewDataBasClick();
  bool NewDataSelClick();
  bool ReadDataFileClick();
  bool SaveDataClick();
  bool SaveOverClick();

  void SetDialogs(DataDialogs dialogs) { dialogs_ = std::move(dialogs); }

 private:
  bool HasDataToSave();  // shows message 10 when there is none
  bool SaveAs();
  // The file a name chosen in the save dialog stands for; nothing when it
  // names no file.
  std::optional<std::filesystem::path> SaveName(const QString& chosen) const;
  // The data file chosen in `dialog`; nothing when cancelled or wildcarded.
  std::optional<QString> ChooseDataFile(const DataDialogs::Dialog& dialog,
                                        const QString& title) const;
  QString DataExt() const;

  AppContext& context_;
  TDataWindow& data_window_;
  DataDialogs dialogs_;
};

}  // namespace kartela
