#include "ui/pictures/picture_graph_commands.h"

#include <variant>

#include "base/text_encoding.h"
#include "model/messages.h"
#include "model/value_syntax.h"
#include "render/background_picture.h"
#include "render/metafile_picture.h"
#include "render/picture_graph.h"
#include "ui/data/data_commands.h"
#include "ui/data/data_window.h"
#include "ui/map/draw_window.h"
#include "ui/map/map_commands.h"
#include "ui/pictures/glyph_info_dialog.h"
#include "ui/pictures/picture_open_dialog.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

QString MetafileFilter(std::uint8_t emf_mode) {
  return (emf_mode & 1) != 0 ? QStringLiteral("ﾒﾀﾌｧｲﾙ (*.emf *.wmf);;全ファイル (*)")
                             : QStringLiteral("WMFﾌｧｲﾙ (*.wmf);;全ファイル (*)");
}

}  // namespace

PictureGraphCommands::PictureGraphCommands(AppContext& context, TDataWindow& data_window,
                                           TDrawWindow& draw_window, MapCommands& map_commands)
    : context_(context),
      data_window_(data_window),
      draw_window_(draw_window),
      map_commands_(map_commands),
      dialog_(new TGlyphInfoDialog(context.reporter, context.paths.ProgramDir,
                                   DialogOwner(context, &draw_window))) {}

void PictureGraphCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

void PictureGraphCommands::MeGlyphMapClick() {
  if (!ChoosePictureGraph()) return;
  if (!map_commands_.EnsureBaseMap(context_.workspace.area_list.CurrentBaseMapFile)) return;
  StartWithChosenPicture();
}

bool PictureGraphCommands::ChoosePictureGraph() {
  if (dialog_.isNull()) return false;
  Workspace& workspace = context_.workspace;
  TGlyphInfoDialog& dialog = *dialog_;
  PlaceDialog(context_, dialog, 22, 5);
  ValueSyntaxResult result = ValueSyntaxResult::kOk;
  {
    const WaitCursor wait;
    data_window_.CommitEdits();
    result = ComputeDataStatistics(workspace.data, workspace.area_list.AreaCount(),
                                   workspace.settings.ClassCount, workspace.class_tables);
  }
  if (const int message = PictureDataMessage(result, workspace.class_tables)) {
    ShowDataMessage(context_.reporter, message, workspace.data, workspace.area_list);
    return false;
  }
  if (!map_commands_.MayClearDecorations()) return false;
  dialog.SetFields(InitialPictureFields(workspace.symbols, workspace.class_tables));
  dialog.SetSelectedPicture(Utf8Text(sjis::ToUtf8Lossy(workspace.view.GlyphPictureFile)));
  if (run_dialog_(dialog) != QDialog::Accepted) return false;
  // OK has refused what this refuses; the check stays for a dialog ended otherwise.
  const int message = ApplyPictureFields(dialog.Fields(), workspace.symbols);
  ShowMessage(context_.reporter, message);
  return message == 0;
}

void PictureGraphCommands::StartWithChosenPicture() {
  MapView& view = context_.workspace.view;
  const std::filesystem::path path = PathOf(dialog_->SelectedPicture());
  const std::optional<std::string> name = sjis::FromUtf8(PathText(path.filename()).toStdString());
  std::error_code error;
  if (path.empty() || !name || !std::filesystem::is_regular_file(path, error)) {
    view.GlyphPictureFile.clear();
    ShowMessage(context_.reporter, kMsgNoPicture);
    return;
  }
  auto read = MetafilePicture::Read(path);
  if (!read.ok()) {
    ShowMessageWithReason(context_.reporter, kMsgFileReadFailed, DisplayPath(path),
                          PictureRefusalText(read.status()));
    return;
  }
  StartPictureGraph(context_.workspace, *name, std::move(read).value());
  map_commands_.ShowStartedMap();
}

void PictureGraphCommands::WMetaLoadClick() {
  Settings& settings = context_.workspace.settings;
  TPictureOpenDialog dialog(DialogOwner(context_, &draw_window_));
  dialog.setWindowTitle(QStringLiteral("メタファイル読み込み"));
  const QString folder =
      StartFolder(settings, FolderKind::kPicture, InitialDirectory(settings.DataDir));
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.setNameFilter(MetafileFilter(settings.EmfMode));
  if (run_dialog_(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  RememberFolder(settings, FolderKind::kPicture, dialog.selectedFiles().front());
  LoadBackground(PathOf(dialog.selectedFiles().front()));
}

void PictureGraphCommands::LoadBackground(const std::filesystem::path& path) {
  Status loaded;
  {
    const WaitCursor wait;
    loaded = LoadBackgroundPicture(path, context_.workspace);
  }
  if (!loaded.ok()) {
    ShowMessageWithReason(context_.reporter, kMsgFileReadFailed, DisplayPath(path),
                          loaded.detail());
    return;
  }
  draw_window_.Invalidate();
}

}  // namespace kartela
