#include "ui/pictures/document_commands.h"

#include <system_error>

#include "model/messages.h"
#include "model/value_syntax.h"
#include "render/map_document_state.h"
#include "ui/data/data_window.h"
#include "ui/map/draw_window.h"
#include "ui/map/map_commands.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/undo_history.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

// The comment of the open dialog shows line 2 of a document, its title.
constexpr int kDocumentTitleLine = 2;

const QString kDocumentFilter = QStringLiteral("KTDﾌｧｲﾙ(*.ktd *.KTD);;全ファイル(*.*)");
const QString kDocumentExt = QStringLiteral(".ktd");

DocumentDialogs PlatformDialogs(AppContext& context) {
  return {OpenFileDialog(context, kDocumentTitleLine), SaveFileDialog(context)};
}

bool IsDocument(const std::filesystem::path& path) {
  return PathText(path.extension()).toLower() == kDocumentExt;
}

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

QString MapCaptionFor(const std::filesystem::path& document) {
  return QStringLiteral("%1 %2").arg(kMapWindowCaption, PathText(document.filename()));
}

DocumentCommands::DocumentCommands(AppContext& context, TDataWindow& data_window,
                                   TDrawWindow& draw_window, MapCommands& map_commands)
    : context_(context),
      data_window_(data_window),
      draw_window_(draw_window),
      map_commands_(map_commands),
      dialogs_(PlatformDialogs(context)) {}

std::optional<std::filesystem::path> DocumentCommands::ChooseFile(const DataDialogs::Dialog& dialog,
                                                                  const QString& title,
                                                                  const QString& filter,
                                                                  const QString& file_name) const {
  Settings& settings = context_.workspace.settings;
  const QString folder =
      StartFolder(settings, FolderKind::kDocument, InitialDirectory(settings.DataDir));
  const auto name = dialog({title, folder, filter, file_name});
  if (!name || name->isEmpty() || HasWildcard(*name)) return std::nullopt;
  RememberFolder(settings, FolderKind::kDocument, *name);
  return PathOf(*name);
}

void DocumentCommands::KTDSaveClick() {
  if (context_.workspace.view.Kind == MapKind::kNone) {
    ShowMessage(context_.reporter, kMsgNoDataMap);
    return;
  }
  data_window_.CommitEdits();
  auto path = ChooseFile(dialogs_.save_document, QStringLiteral("ＫＴＤ形式 保存"), kDocumentFilter,
                         kDocumentExt);
  if (!path) return;
  // A name typed after the preset extension (".ktdtokyo") is the name without it.
  QString name = PathText(path->filename());
  if (name.startsWith(kDocumentExt)) name.remove(0, kDocumentExt.size());
  if (name.isEmpty()) return;
  *path = path->parent_path() / PathOf(name);
  if (!path->has_extension()) *path += PathOf(kDocumentExt);
  if (!ConfirmOverwrite(context_.reporter, *path)) return;
  // A failure has been shown; nothing more to do.
  static_cast<void>(SaveDocument(*path));
}

bool DocumentCommands::SpeedSaveClick() {
  const Workspace& workspace = context_.workspace;
  if (ValueSyntax(workspace.data, workspace.area_list.AreaCount()).result ==
      ValueSyntaxResult::kNoData) {
    ShowMessage(context_.reporter, kMsgNoData);
    return false;
  }
  data_window_.CommitEdits();
  const QString data_ext = ShownText(workspace.settings.DataExt);
  const QString filter =
      QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ(*%1);;KTDﾌｧｲﾙ(*.ktd *.KTD);;全ファイル(*.*)").arg(data_ext);
  const auto chosen = ChooseFile(dialogs_.save_document, QStringLiteral("データ保存"), filter,
                                 PathText(workspace.data.DataFileName.filename()));
  if (!chosen) return false;
  // A name without an extension is a data file.
  std::filesystem::path path = *chosen;
  if (!path.has_extension()) path += PathOf(data_ext);
  if (!IsDocument(path)) {
    if (path != workspace.data.DataFileName && !ConfirmOverwrite(context_.reporter, path))
      return false;
    return data_window_.SaveDataFile(path).ok();
  }
  if (workspace.view.Kind == MapKind::kNone) {
    ShowMessage(context_.reporter, kMsgNoDataMap);
    return false;
  }
  if (path != workspace.view.MapFileName && !ConfirmOverwrite(context_.reporter, path))
    return false;
  return SaveDocument(path).ok();
}

Status DocumentCommands::SaveDocument(const std::filesystem::path& path) {
  Status saved;
  {
    const WaitCursor wait;
    saved = SaveMapDocument(path, context_.workspace);
  }
  if (!saved.ok()) {
    ShowSaveFailure(context_.reporter, saved);
    return saved;
  }
  context_.workspace.view.MapFileName = path;
  draw_window_.setWindowTitle(MapCaptionFor(path));
  context_.reporter.ShowNotice(kSavedNotice);
  return saved;
}

bool DocumentCommands::KTDLoadClick() {
  if (!data_window_.ConfirmDiscard()) return false;
  const auto path = ChooseFile(dialogs_.open_document, QStringLiteral("ＫＴＤ形式 読み込み"),
                               kDocumentFilter, {});
  return path && OpenDocument(*path);
}

bool DocumentCommands::SpeedOpenClick() {
  if (!data_window_.ConfirmDiscard()) return false;
  const QString ext = ShownText(context_.workspace.settings.DataExt);
  const QString filter =
      QStringLiteral("ﾃﾞｰﾀ (*%1)/KTD(*.KTD) (*%1 *.ktd *.KTD);;全ファイル(*.*)").arg(ext);
  const auto path =
      ChooseFile(dialogs_.open_document, QStringLiteral("ファイル読み込み"), filter, {});
  if (!path) return false;
  if (!Exists(*path)) {
    ShowMessage(context_.reporter, kMsgBadFileName);
    return false;
  }
  if (IsDocument(*path)) return OpenDocument(*path);
  return data_window_.OpenDataFile(*path);
}

bool DocumentCommands::OpenDocument(const std::filesystem::path& path) {
  Workspace& workspace = context_.workspace;
  std::optional<LoadedDocument> loaded;
  {
    const WaitCursor wait;
    loaded = ReadMapDocument(path, context_.paths.ProgramDir, context_.reporter);
  }
  if (!loaded) return false;
  const bool has_data = loaded->document.Kind != map_document::Kind::kWhiteMap;
  map_commands_.ClearMap(true);
  ApplyMapDocument(std::move(*loaded), workspace);
  ForgetHistory(context_.undo);  // a document is new data and a new map
  workspace.view.MapFileName = path;
  if (has_data) {
    data_window_.SetDataFileName({});
    data_window_.Refresh();
  }
  draw_window_.setWindowTitle(MapCaptionFor(path));
  draw_window_.RecreateResources();  // the document may bring a colour scheme
  draw_window_.Invalidate();
  draw_window_.Activate();
  return true;
}

}  // namespace kartela
