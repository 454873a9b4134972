#include "ui/base_map_commands.h"

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "base/sjis.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/settings.h"
#include "ui/about_base_map_dialog.h"
#include "ui/idt_select_dialog.h"
#include "ui/place_dialog.h"
#include "ui/qt_text.h"

namespace kartela {
namespace {

constexpr int kDialogColumns = 20;
constexpr int kDialogRows = 4;

// Directories are listed by the chooser too, but only a file can be a map.
bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

BaseMapCommands::BaseMapCommands(AppContext& context) : context_(context) {}

BaseMapCommands::~BaseMapCommands() = default;

void BaseMapCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

void BaseMapCommands::AboutBaseMapClick() {
  TAboutBaseMapDialog dialog(DialogOwner(context_));
  dialog.SetBaseName(context_.workspace.settings.BaseMapFile);
  PlaceDialog(context_, dialog, kDialogColumns, kDialogRows);
  run_dialog_(dialog);
}

void BaseMapCommands::SelectBaseClick() {
  Settings& settings = context_.workspace.settings;
  TIdtSelectDialog dialog(context_.reporter, DialogOwner(context_));
  dialog.setWindowTitle("基本地図の選択");
  dialog.SetDirectory(context_.paths.ProgramDir);
  dialog.SetFileMask("*.idt");
  dialog.SetSelectedName(ShownText(settings.BaseMapFile));
  dialog.ClearComment();
  PlaceDialog(context_, dialog, kDialogColumns, kDialogRows);
  if (run_dialog_(dialog) != QDialog::Accepted) return;

  const QString name = dialog.SelectedName();
  if (name.isEmpty() || HasWildcard(name)) return;
  const std::filesystem::path file_name = std::filesystem::path(name.toStdString()).filename();
  // The settings keep the name in Shift-JIS: a name it cannot hold is
  // refused rather than stored changed.
  const std::optional<std::string> reference = sjis::FromUtf8(DisplayPath(file_name));
  if (!reference && IsFile(context_.paths.ProgramDir / file_name)) {
    ShowWarning(context_.reporter,
                "ファイル名「" + DisplayPath(file_name) +
                    "」には Shift-JIS で表せない文字があるため、基本地図にできません。");
    return;
  }
  // Kept as the file is called on disk, so that the next start finds it.
  const auto base_map =
      reference ? FindBaseMap(*reference, context_.paths.ProgramDir) : std::nullopt;
  if (!base_map) return;
  settings.BaseMapFile = base_map->reference;
  settings.ChangedMask |= kChangedBaseMap;
}

}  // namespace kartela
