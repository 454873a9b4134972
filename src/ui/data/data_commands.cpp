#include "ui/data/data_commands.h"

#include <QFileDialog>
#include <system_error>

#include "base/text_encoding.h"
#include "model/messages.h"
#include "model/value_syntax.h"
#include "ui/base_maps/idt_select_dialog.h"
#include "ui/data/data_window.h"
#include "ui/data/my_open_dialog.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

// The comment of the read dialog shows line 2 of a data file, its title.
constexpr int kDataTitleLine = 2;

constexpr std::string_view kNotReadableYet =
    "データファイルではありません（地図ファイルと画像は「画像」メニューから開きます）";
constexpr std::string_view kNotWritableYet =
    "データファイルとしては保存できません（地図ファイルと画像は「画像」メニューから保存します）";

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// Shows a file dialog set up by `setup`; the chosen file, or nothing.
std::optional<QString> RunFileDialog(QFileDialog& dialog, const FileDialogSetup& setup) {
  dialog.setWindowTitle(setup.title);
  PrepareFileDialog(dialog);  // Qt's own dialog: the read dialog carries a panel
  if (!setup.directory.isEmpty()) dialog.setDirectory(setup.directory);
  dialog.setNameFilters(setup.filter.split(QStringLiteral(";;")));
  if (!setup.file_name.isEmpty()) dialog.selectFile(setup.file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

// The dialogs the user sees, owned by the main window while shown.
DataDialogs PlatformDialogs(AppContext& context) {
  DataDialogs dialogs;
  dialogs.open_data_file = OpenFileDialog(context, kDataTitleLine);
  dialogs.save_data_file = SaveFileDialog(context);
  dialogs.select_base_map = [&context](const FileDialogSetup& setup) -> std::optional<QString> {
    TIdtSelectDialog dialog(context.reporter, context.main_window);
    dialog.setWindowTitle(setup.title);
    dialog.SetDirectories(context.paths.BaseMapDirs());
    dialog.SetFileMask(setup.filter);
    dialog.SetSelectedName(setup.file_name);
    dialog.ClearComment();
    PlaceDialog(context, dialog, 15, 5);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedName();
  };
  return dialogs;
}

// `text` without its trailing separator when longer than 3 characters (a
// root keeps it); empty when it names no existing directory.
QString ExistingDirectory(QString text) {
  if (text.size() > 3 && (text.endsWith(QLatin1Char('/')) || text.endsWith(QLatin1Char('\\')))) {
    text.chop(1);
  }
  std::error_code error;
  return std::filesystem::is_directory(PathOf(text), error) ? text : QString();
}

}  // namespace

DataDialogs::Dialog OpenFileDialog(AppContext& context, int preview_line) {
  return [&context, preview_line](const FileDialogSetup& setup) {
    TMyOpenDialog dialog(context.main_window);
    dialog.SetPreviewLine(preview_line);
    return RunFileDialog(dialog, setup);
  };
}

DataDialogs::Dialog SaveFileDialog(AppContext& context) {
  return [&context](const FileDialogSetup& setup) {
    QFileDialog dialog(context.main_window);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked once the extension is added
    return RunFileDialog(dialog, setup);
  };
}

QString DataFileFilter(std::string_view data_ext) {
  const QString ext = ShownText(data_ext);
  return QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ(*%1);;全ファイル(*.*)").arg(ext);
}

QString InitialDirectory(std::string_view directory) {
  const auto utf8 = sjis::ToUtf8(directory);
  return utf8 ? ExistingDirectory(QString::fromStdString(*utf8)) : QString();
}

bool IsMapOrPictureFormat(const std::filesystem::path& path) {
  const QString ext = PathText(path.extension()).toUpper();
  return ext == QStringLiteral(".KTD") || ext == QStringLiteral(".WMF") ||
         ext == QStringLiteral(".EMF");
}

void ReportUnreadableFormat(Reporter& reporter, const std::filesystem::path& path) {
  ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), kNotReadableYet);
}

DataCommands::DataCommands(AppContext& context, TDataWindow& data_window)
    : context_(context), data_window_(data_window), dialogs_(PlatformDialogs(context)) {}

QString DataCommands::DataExt() const {
  return ShownText(context_.workspace.settings.DataExt);
}

bool DataCommands::HasDataToSave() {
  // Exponent notation and too few values do not stop a save; no value at all does.
  const Workspace& workspace = context_.workspace;
  if (ValueSyntax(workspace.data, workspace.area_list.AreaCount()).result !=
      ValueSyntaxResult::kNoData) {
    return true;
  }
  ShowMessage(context_.reporter, kMsgNoData);
  return false;
}

bool DataCommands::NewDataBasClick() {
  if (context_.workspace.settings.BaseMapFile.empty()) {
    ShowMessage(context_.reporter, kMsgNoBaseMap);
    return false;
  }
  if (!data_window_.ConfirmDiscard()) return false;
  return data_window_.NewDataForBaseMap();
}

bool DataCommands::NewDataSelClick() {
  if (!data_window_.ConfirmDiscard()) return false;
  const Settings& settings = context_.workspace.settings;
  const FileDialogSetup setup{
      QStringLiteral("新規データ･･地図選択"),
      ExistingDirectory(QString::fromStdString(DisplayPath(context_.paths.ProgramDir))),
      QStringLiteral("*.idt"), ShownText(settings.BaseMapFile)};
  const auto name = dialogs_.select_base_map(setup);
  if (!name || name->isEmpty() || HasWildcard(*name)) return false;
  const auto base_map = FirstHolding(context_.paths.BaseMapDirs(), PathOf(*name));
  if (!Exists(base_map)) return false;  // ends silently
  return data_window_.NewDataForFile(base_map);
}

bool DataCommands::ReadDataFileClick() {
  if (!data_window_.ConfirmDiscard()) return false;
  const auto name = ChooseDataFile(dialogs_.open_data_file, QStringLiteral("データ読み込み"));
  if (!name) return false;
  auto file = PathOf(*name);
  if (!Exists(file)) {
    if (file.has_extension() || !Exists(PathOf(*name + DataExt()))) {
      ShowMessage(context_.reporter, kMsgBadFileName);
      return false;
    }
    file = PathOf(*name + DataExt());
  }
  if (IsMapOrPictureFormat(file)) {
    ReportUnreadableFormat(context_.reporter, file);
    return false;
  }
  return data_window_.OpenDataFile(file);
}

bool DataCommands::SaveDataClick() {
  if (!HasDataToSave()) return false;
  return SaveAs();
}

bool DataCommands::SaveOverClick() {
  if (!HasDataToSave()) return false;
  const auto& file = context_.workspace.data.DataFileName;
  if (!file.empty()) return data_window_.SaveDataFile(file).ok();
  return SaveAs();
}

std::optional<QString> DataCommands::ChooseDataFile(const DataDialogs::Dialog& dialog,
                                                    const QString& title) const {
  Settings& settings = context_.workspace.settings;
  // The name box starts empty: the filter shows the extension, and a name
  // typed without one gets it.
  const QString folder =
      StartFolder(settings, FolderKind::kData, InitialDirectory(settings.DataDir));
  const auto name = dialog({title, folder, DataFileFilter(settings.DataExt), {}});
  // A name with wildcards ends the command silently.
  if (!name || name->isEmpty() || HasWildcard(*name)) return std::nullopt;
  RememberFolder(settings, FolderKind::kData, *name);
  return name;
}

// A name typed after the extension, where the box used to preset it
// (".DATtokyo"), is the name without it; the extension alone names nothing.
std::optional<std::filesystem::path> DataCommands::SaveName(const QString& chosen) const {
  const std::filesystem::path path = PathOf(chosen);
  QString name = PathText(path.filename());
  const QString ext = DataExt();
  if (!ext.isEmpty() && name.startsWith(ext)) name.remove(0, ext.size());
  if (name.isEmpty()) return std::nullopt;
  auto file = path.parent_path() / PathOf(name);
  if (!file.has_extension()) file += PathOf(ext);
  return file;
}

bool DataCommands::SaveAs() {
  const auto chosen = ChooseDataFile(dialogs_.save_data_file, QStringLiteral("データ保存"));
  if (!chosen) return false;
  const auto file = SaveName(*chosen);
  if (!file) return false;
  if (IsMapOrPictureFormat(*file)) {
    ShowMessageWithReason(context_.reporter, kMsgSaveFailed, {}, kNotWritableYet);
    return false;
  }
  if (!ConfirmOverwrite(context_.reporter, *file)) return false;
  return data_window_.SaveDataFile(*file).ok();
}

}  // namespace kartela
