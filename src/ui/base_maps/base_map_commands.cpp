#include "ui/base_maps/base_map_commands.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QStatusBar>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "geodata/gdal_plugin/gdal_services.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/settings.h"
#include "ui/base_maps/about_base_map_dialog.h"
#include "ui/base_maps/idt_select_dialog.h"
#include "ui/base_maps/make_base_map_dialog.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/problem_text.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

constexpr int kDialogColumns = 20;
constexpr int kDialogRows = 4;
constexpr int kProgressSteps = 100;

// The new map's file: its title, with the characters a file name cannot hold
// replaced, and ".IDT".
std::filesystem::path MapFileName(const basemap::ImportOptions& options) {
  std::string name = options.title.empty() ? options.source.path.stem().string() : options.title;
  std::replace(name.begin(), name.end(), '/', '_');
  return PathOf(Utf8Text(name + ".IDT"));
}

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

void BaseMapCommands::ShowBaseMapIn(QStatusBar& status_bar) {
  base_map_status_ = new QLabel(&status_bar);
  base_map_status_->setObjectName(QStringLiteral("BaseMapStatus"));
  base_map_status_->setTextFormat(Qt::PlainText);
  status_bar.addPermanentWidget(base_map_status_);
  UpdateBaseMapStatus();
}

void BaseMapCommands::UpdateBaseMapStatus() {
  if (base_map_status_.isNull()) return;
  base_map_status_->setText(
      QStringLiteral("基本地図：%1").arg(ShownText(context_.workspace.settings.BaseMapFile)));
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
  dialog.SetDirectories(context_.paths.BaseMapDirs());
  dialog.SetFileMask("*.idt");
  dialog.SetSelectedName(ShownText(settings.BaseMapFile));
  dialog.ClearComment();
  PlaceDialog(context_, dialog, kDialogColumns, kDialogRows);
  if (run_dialog_(dialog) != QDialog::Accepted) return;

  const QString name = dialog.SelectedName();
  if (name.isEmpty() || HasWildcard(name)) return;
  UseBaseMap(std::filesystem::path(name.toStdString()).filename());
}

void BaseMapCommands::UseBaseMap(const std::filesystem::path& file_name) {
  Settings& settings = context_.workspace.settings;
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
  UpdateBaseMapStatus();
}

void BaseMapCommands::SetDataOpener(std::function<void(const std::filesystem::path&)> opener) {
  open_data_ = std::move(opener);
}

void BaseMapCommands::MakeBaseMapClick() {
  TMakeBaseMapDialog dialog(DialogOwner(context_));
  while (run_dialog_(dialog) == QDialog::Accepted) {
    bool cancelled = false;
    const std::string reason = MakeBaseMap(dialog.Options(), cancelled);
    if (reason.empty() && !cancelled) return;
    dialog.ShowRefusal(cancelled ? "中止しました。" : Utf8Text(reason));
  }
}

std::string BaseMapCommands::MakeBaseMap(const basemap::ImportOptions& chosen, bool& cancelled) {
  basemap::ImportOptions options = chosen;
  const std::filesystem::path file_name = MapFileName(options);
  options.map_file_name = DisplayPath(file_name);
  const std::filesystem::path path = context_.paths.MadeBaseMapDir() / file_name;
  const std::filesystem::path data_path = std::filesystem::path(path).replace_extension(".DAT");
  cancelled = !ConfirmOverwrite(context_.reporter, path) ||
              (options.with_data && !ConfirmOverwrite(context_.reporter, data_path));
  if (cancelled) return {};

  QProgressDialog progress("基本地図を作成しています...", "キャンセル", 0, kProgressSteps,
                           DialogOwner(context_));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  options.source.progress = [&progress](long long done, long long total) {
    progress.setValue(total > 0 ? static_cast<int>(done * kProgressSteps / total) : 0);
    QCoreApplication::processEvents();
    return !progress.wasCanceled();
  };
  const auto imported = gdal::ImportBaseMap(options);
  progress.reset();
  if (!imported.ok()) {
    cancelled = imported.status().code() == StatusCode::kCancelled;
    return cancelled ? std::string() : ProblemText(imported.problems());
  }
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::vector<std::pair<std::filesystem::path, const std::string*>> files = {
      {path, &imported->map_bytes}};
  if (options.with_data) files.emplace_back(data_path, &imported->data_bytes);
  for (const auto& [file, bytes] : files) {
    if (const Status written = WriteFileAtomically(file, *bytes); !written.ok())
      return "「" + DisplayPath(file) + "」に書き込めません。" + FailureCause(written);
  }
  UseBaseMap(file_name);
  if (!imported->notes.empty()) {
    ShowWarning(context_.reporter, "基本地図「" + DisplayPath(file_name) + "」を作成しました。\n" +
                                       ProblemText(imported->notes));
  }
  if (options.with_data && open_data_) open_data_(data_path);
  return {};
}

}  // namespace kartela
