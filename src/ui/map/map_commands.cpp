#include "ui/map/map_commands.h"

#include <QDialog>
#include <algorithm>
#include <system_error>

#include "base/text_encoding.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/value_syntax.h"
#include "render/circle_map.h"
#include "render/classification.h"
#include "render/legend.h"
#include "render/map_frame.h"
#include "ui/base_maps/idt_select_dialog.h"
#include "ui/data/data_window.h"
#include "ui/map/circle_info_dialog.h"
#include "ui/map/data_info_dialog.h"
#include "ui/map/draw_window.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/wait_cursor.h"

namespace kartela {
namespace {

bool ShowsData(MapKind kind) {
  return kind == MapKind::kPaintMap || kind == MapKind::kCircleGraph ||
         kind == MapKind::kPictureGraph;
}

// Why a redraw of `kind` cannot show the values: none is valid, or a paint
// map has fewer than the two it needs.
ValueSyntaxResult RedrawRefusal(MapKind kind, int invalid, int areas) {
  if (invalid >= areas) return ValueSyntaxResult::kNoData;
  if (kind == MapKind::kPaintMap && invalid > areas - 2) return ValueSyntaxResult::kTooFewData;
  return ValueSyntaxResult::kOk;
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

MapCommands::MapCommands(AppContext& context, TDataWindow& data_window, TDrawWindow& draw_window)
    : context_(context),
      data_window_(data_window),
      draw_window_(draw_window),
      info_dialog_(new TDataInfoDialog(context, DialogOwner(context, &draw_window_))) {}

void MapCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

void MapCommands::SetToolResetHandler(std::function<void()> handler) {
  tool_reset_ = std::move(handler);
}

bool MapCommands::MayClearDecorations() {
  return ConfirmClearDecorations(context_.reporter, context_.workspace.decorations);
}

void MapCommands::MePaintMapClick() {
  if (!PrepareStatistics() || !MayClearDecorations() || !ConfirmBoundaries()) return;
  Workspace& workspace = context_.workspace;
  ClassTables& tables = workspace.class_tables;
  std::copy_n(tables.ProposedBreaks.begin(), kBoundaryBoxCount, tables.ClassBreaks.begin());
  NormaliseClassBreaks(tables);
  if (!EnsureBaseMap(workspace.area_list.CurrentBaseMapFile)) return;
  ShowNewMap(MapKind::kPaintMap);
}

bool MapCommands::PrepareStatistics() {
  Workspace& workspace = context_.workspace;
  ValueSyntaxResult result = ValueSyntaxResult::kOk;
  {
    const WaitCursor wait;
    data_window_.CommitEdits();
    result = ComputeDataStatistics(workspace.data, workspace.area_list.AreaCount(),
                                   workspace.settings.ClassCount, workspace.class_tables);
  }
  if (result == ValueSyntaxResult::kOk) return true;
  ShowDataMessage(context_.reporter, MessageNumberFor(result), workspace.data, workspace.area_list);
  return false;
}

bool MapCommands::ConfirmBoundaries() {
  if (info_dialog_.isNull()) return false;
  TDataInfoDialog& dialog = *info_dialog_;
  dialog.Load(context_.workspace.class_tables);
  PlaceDialog(context_, dialog, 22, 5);
  return run_dialog_(dialog) == QDialog::Accepted;
}

void MapCommands::MeCircleMapClick() {
  Workspace& workspace = context_.workspace;
  SymbolDataStats stats;
  {
    const WaitCursor wait;
    data_window_.CommitEdits();
    stats = ScanSymbolData(workspace.data, workspace.area_list.AreaCount(),
                           workspace.class_tables.NumericValues);
  }
  if (const int message = CircleDataMessage(stats); message != 0) {
    ShowMessage(context_.reporter, message);
    return;
  }
  if (!MayClearDecorations() || !EditCircleSettings(stats)) return;
  if (!EnsureBaseMap(workspace.area_list.CurrentBaseMapFile)) return;
  StartCircleMap(workspace);
  ShowStartedMap();
}

bool MapCommands::EditCircleSettings(const SymbolDataStats& stats) {
  SymbolSettings& symbols = context_.workspace.symbols;
  TCircleInfoDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  dialog.Load(InitialCircleFields(symbols, stats), symbols);
  PlaceDialog(context_, dialog, 22, 5);
  if (run_dialog_(dialog) != QDialog::Accepted) return false;
  symbols = dialog.Symbols();
  return true;
}

void MapCommands::WhiteBaseMapClick() {
  if (MayClearDecorations() && EnsureBaseMap(context_.workspace.settings.BaseMapFile))
    ShowNewMap(MapKind::kWhiteMap);
}

void MapCommands::WhiteDataMapClick() {
  if (MayClearDecorations() && EnsureBaseMap(context_.workspace.area_list.CurrentBaseMapFile))
    ShowNewMap(MapKind::kWhiteMap);
}

void MapCommands::WhiteSelMapClick() {
  const std::optional<std::filesystem::path> chosen = ChosenBaseMap();
  if (!chosen) return;
  const std::filesystem::path& path = *chosen;
  if (!FileExists(path) || !MayClearDecorations()) return;
  // The map is remembered by its full path, which Shift-JIS must hold.
  const std::optional<std::string> reference = sjis::FromUtf8(DisplayPath(path));
  if (!reference) {
    context_.workspace.base_map.LoadedMapFile.clear();
    ShowMessage(context_.reporter, kMsgIdtReadFailed, DisplayPath(path));
    return;
  }
  if (ReadBaseMapAt(path, *reference)) ShowNewMap(MapKind::kWhiteMap);
}

std::optional<std::filesystem::path> MapCommands::ChosenBaseMap() {
  TIdtSelectDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  dialog.setWindowTitle("白地図：地図選択");
  dialog.SetSelectedName(
      QString::fromStdString(sjis::ToUtf8Lossy(context_.workspace.settings.BaseMapFile)));
  dialog.SetDirectories(context_.paths.BaseMapDirs());
  dialog.SetFileMask("*.idt");
  dialog.ClearComment();
  PlaceDialog(context_, dialog, 30, 4);
  if (run_dialog_(dialog) != QDialog::Accepted) return std::nullopt;
  const QString name = dialog.SelectedName();
  if (name.isEmpty() || HasWildcard(name)) return std::nullopt;
  return dialog.SelectedPath();
}

void MapCommands::RedrawMapClick() {
  Workspace& workspace = context_.workspace;
  const MapKind kind = workspace.view.Kind;
  if (kind == MapKind::kNone && workspace.view.Background == BackgroundMode::kNone) return;
  if (ShowsData(kind)) {
    data_window_.CommitEdits();
    const int areas = workspace.area_list.AreaCount();
    const int invalid = ConvertDataValues(workspace.data, areas, workspace.class_tables);
    const ValueSyntaxResult refusal = RedrawRefusal(kind, invalid, areas);
    if (refusal != ValueSyntaxResult::kOk) {
      ShowMessage(context_.reporter, MessageNumberFor(refusal));
      return;
    }
  }
  draw_window_.Invalidate();
}

void MapCommands::ClearMapClick() {
  ClearMap(false);
}

void MapCommands::ClearMap(bool keep_background) {
  MapView& view = context_.workspace.view;
  view.Kind = MapKind::kNone;
  view.ScrollReset = true;
  view.MapFileName.clear();
  ClearDecorations(context_.workspace.decorations);
  context_.workspace.decoration_tools.Mode = DecorationMode::kNone;
  if (tool_reset_) tool_reset_();
  if (!keep_background) {
    view.Background = BackgroundMode::kNone;
    view.BackgroundSize = {};
    view.Picture.reset();
  }
  draw_window_.setWindowTitle(kMapWindowCaption);
  draw_window_.Activate();
  draw_window_.Invalidate();
}

bool MapCommands::EnsureBaseMap(const std::string& reference) {
  // An empty reference names no map, even while nothing is loaded.
  if (reference.empty()) {
    ShowMessage(context_.reporter, kMsgNoBaseMap);
    return false;
  }
  if (context_.workspace.base_map.LoadedMapFile == reference) return true;
  ClearMap(true);
  const std::optional<BaseMapLocation> found = FindBaseMap(reference, context_.paths.ProgramDir);
  return ReadBaseMapAt(found ? found->path : std::filesystem::path(), reference);
}

bool MapCommands::ReadBaseMapAt(const std::filesystem::path& path, const std::string& reference) {
  BaseMap& map = context_.workspace.base_map;
  Status read{StatusCode::kNotFound, std::string(kBaseMapNotFoundReason)};
  if (!path.empty()) {
    const WaitCursor wait;
    read = ReadBaseMap(path, map);
  }
  if (!read.ok()) {
    map.LoadedMapFile.clear();
    ShowMessageWithReason(context_.reporter, kMsgIdtReadFailed, sjis::ToUtf8Lossy(reference),
                          read.detail());
    return false;
  }
  map.LoadedMapFile = reference;
  return true;
}

void MapCommands::ShowNewMap(MapKind kind) {
  Workspace& workspace = context_.workspace;
  workspace.view.Kind = kind;
  workspace.view.ScrollReset = true;
  ClearDecorations(workspace.decorations);
  ShowStartedMap();
}

void MapCommands::ShowStartedMap() {
  if (context_.fit_first_map) {
    Workspace& workspace = context_.workspace;
    context_.fit_first_map = false;
    const QSize view = draw_window_.viewport()->size();
    ZoomToFit(workspace, gdi::Size{view.width(), view.height()});
    // Kept as the starting magnification, so the next start shows it too.
    workspace.settings.ChangedMask |= kChangedDrawSize;
  }
  // The map just made takes the keyboard from the data window's edit boxes.
  draw_window_.Activate();
  draw_window_.Invalidate();
}

}  // namespace kartela
