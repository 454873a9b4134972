#include "ui/settings/settings_commands.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "base/text_encoding.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "model/settings_file.h"
#include "model/settings_rules.h"
#include "ui/data/data_window.h"
#include "ui/settings/data_ext_dialog.h"
#include "ui/settings/dir_select_dialog.h"
#include "ui/settings/ini_emb_dialog.h"
#include "ui/settings/item_len_dialog.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr const char* kNextStartNotice = "この設定は、次回の起動から有効になります。";
constexpr const char* kNotShiftJisDirectory =
    "ディレクトリ名にシフト JIS で表せない文字があるため、データディレクトリにできません。";
constexpr const char* kNotShiftJisExtension = "拡張子にシフト JIS で表せない文字があります。";

// The dialog, created at first use.
template <typename Dialog, typename... Arguments>
Dialog& Created(QPointer<Dialog>& dialog, Arguments&&... arguments) {
  if (dialog == nullptr) dialog = new Dialog(std::forward<Arguments>(arguments)...);
  return *dialog;
}

}  // namespace

QString ChosenDirectory(const QString& typed) {
  if (typed.trimmed().isEmpty()) return {};
  return QDir::cleanPath(QDir::current().absoluteFilePath(typed));
}

QString WithTrailingSeparator(const QString& directory) {
  return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

SettingsCommands::SettingsCommands(AppContext& context, TDataWindow& data_window)
    : context_(context), data_window_(data_window) {}

SettingsCommands::~SettingsCommands() = default;

void SettingsCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

bool SettingsCommands::PlacedAndAccepted(QDialog& dialog, int columns, int rows) {
  PlaceDialog(context_, dialog, columns, rows);
  return run_dialog_(dialog) == QDialog::Accepted;
}

void SettingsCommands::ShowRefusal(const QString& text) {
  ShowWarning(context_.reporter, text.toStdString());
}

void SettingsCommands::DefDataDirClick() {
  Settings& settings = context_.workspace.settings;
  TDirSelectDialog& dialog = Created(dir_select_dialog_, DialogOwner(context_, &data_window_));
  // A directory that is gone leaves the dialog as it was last time.
  const QString current = ChosenDirectory(ShownText(settings.DataDir));
  if (QFileInfo(current).isDir()) dialog.SetDirectory(current);
  if (!PlacedAndAccepted(dialog, 15, 3)) return;

  const QString chosen = ChosenDirectory(dialog.DirectoryText());
  if (chosen.isEmpty()) {
    ShowMessage(context_.reporter, kMsgBadSetting);
    return;
  }
  const auto data_dir = SjisText(WithTrailingSeparator(chosen));
  if (!data_dir) {
    ShowRefusal(kNotShiftJisDirectory);
    return;
  }
  if (const char stop = UnstorableSettingCharacter(*data_dir, SettingText::kDataDir)) {
    ShowMessageWithReason(context_.reporter, kMsgBadSetting, {},
                          QString("ディレクトリ名に%1を含むため、設定ファイルに保存できません。")
                              .arg(SettingCharacterName(stop))
                              .toStdString());
    return;
  }
  if (!QFileInfo(chosen).isDir() && !CreateMissingDirectory(chosen)) return;
  // Kept in the letter case typed: file names here tell upper and lower case apart.
  settings.DataDir = *data_dir;
  settings.ChangedMask |= kChangedDataDir;
}

bool SettingsCommands::CreateMissingDirectory(const QString& directory) {
  const QString question = QStringLiteral("ﾃﾞｨﾚｸﾄﾘ %1 がありません。作成しますか？").arg(directory);
  if (context_.reporter.AskYesNoCancel(question.toStdString(), "確認") != Answer::kYes)
    return false;
  // Only the directory itself: its parent must exist.
  if (QDir().mkdir(directory)) return true;
  ShowRefusal(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ %1 を作成できませんでした。").arg(directory));
  return false;
}

void SettingsCommands::DefDataExtClick() {
  Settings& settings = context_.workspace.settings;
  TDataExtDialog& dialog = Created(data_ext_dialog_, DialogOwner(context_, &data_window_));
  dialog.Load(ShownText(settings.DataExt));
  if (!PlacedAndAccepted(dialog, 15, 4)) return;

  const auto typed = SjisText(dialog.NewExtText());
  if (!typed) {
    ShowRefusal(kNotShiftJisExtension);
    return;
  }
  const DataExtCheck check = CheckDataExt(*typed);
  switch (check.verdict) {
    case DataExtVerdict::kEmpty:
      return;  // an empty box keeps the extension
    case DataExtVerdict::kReserved:
      ShowMessage(context_.reporter, kMsgReservedExtension, sjis::ToUtf8Lossy(check.ext));
      return;
    case DataExtVerdict::kMalformed:
      ShowMessage(context_.reporter, kMsgBadSetting);
      return;
    case DataExtVerdict::kAccepted:
      settings.DataExt = check.ext;
      settings.ChangedMask |= kChangedDataExt;
      return;
  }
}

void SettingsCommands::DefAreaLengthClick() {
  Settings& settings = context_.workspace.settings;
  TItemLenDialog& dialog =
      Created(item_len_dialog_, context_.reporter, DialogOwner(context_, &data_window_));
  dialog.Load(settings.ItemLength);  // the length in effect, not a pending one
  if (!PlacedAndAccepted(dialog, 15, 5)) return;

  const auto length = ItemLengthOfText(dialog.LengthText());
  if (!length) {
    ShowMessage(context_.reporter, kMsgBadSetting);
    return;
  }
  context_.reporter.Show({0, kNextStartNotice, "注意", MessageIcon::kInformation});
  // The data window keeps its layout: the length takes effect at the next start.
  settings.NextItemLength = *length;
  settings.ChangedMask |= kChangedItemLength;
}

void SettingsCommands::DefINIFileClick() {
  Settings& settings = context_.workspace.settings;
  TIniEmbDialog& dialog = Created(ini_emb_dialog_, DialogOwner(context_, &data_window_));
  dialog.Load(ChecksOfSaveMask(settings.SaveMask));
  if (!PlacedAndAccepted(dialog, 15, 4)) return;
  settings.SaveMask = SaveMaskOfChecks(dialog.Checks());
  // The new mask is written at the end even when nothing else changed.
  settings.ChangedMask |= kChangedItemLength;
}

}  // namespace kartela
