#include "ui/drawing/drawing_commands.h"

#include <QDialog>

#include "model/messages.h"
#include "render/map_frame.h"
#include "ui/drawing/border_style_dialog.h"
#include "ui/drawing/draw_pos_dialog.h"
#include "ui/drawing/draw_size_dialog.h"
#include "ui/drawing/pattern_dialog.h"
#include "ui/drawing/sep_num_dialog.h"
#include "ui/map/draw_window.h"
#include "ui/widgets/place_dialog.h"

namespace kartela {

DrawingCommands::DrawingCommands(AppContext& context, TDrawWindow& draw_window)
    : context_(context),
      draw_window_(draw_window),
      draw_size_dialog_(new TDrawSizeDialog(context.reporter, DialogOwner(context, &draw_window_))),
      draw_pos_dialog_(new TDrawPosDialog(context.reporter, DialogOwner(context, &draw_window_))),
      sep_num_dialog_(new TSepNumDialog(context.reporter, DialogOwner(context, &draw_window_))),
      pattern_dialog_(new TPatternDialog(context.reporter, DialogOwner(context, &draw_window_))),
      border_style_dialog_(new TBorderStyleDialog(DialogOwner(context, &draw_window_))) {}

DrawingCommands::~DrawingCommands() = default;

void DrawingCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

bool DrawingCommands::Run(QDialog& dialog, int columns, int rows) {
  PlaceDialog(context_, dialog, columns, rows);
  return run_dialog_(dialog) == QDialog::Accepted;
}

void DrawingCommands::RepaintWithNewResources() {
  draw_window_.RecreateResources();
  draw_window_.Invalidate();
}

void DrawingCommands::DefDrawSizeClick() {
  if (draw_size_dialog_.isNull()) return;
  Workspace& workspace = context_.workspace;
  Settings& settings = workspace.settings;
  const bool map_drawn = workspace.view.Kind != MapKind::kNone;
  draw_size_dialog_->Load(
      settings.DrawResX, settings.DrawResY, map_drawn,
      map_drawn ? workspace.base_map.Resolution : workspace.area_list.HeaderResolution);
  if (!Run(*draw_size_dialog_, 20, 4)) return;
  draw_size_dialog_->StoreInto(settings.DrawResX, settings.DrawResY);
  settings.ChangedMask |= kChangedDrawSize;
  workspace.view.ScrollReset = true;
  draw_window_.Invalidate();
}

void DrawingCommands::DefDrawPositionClick() {
  Settings& settings = context_.workspace.settings;
  if (draw_pos_dialog_.isNull()) return;
  draw_pos_dialog_->Load(settings.DrawPosX, settings.DrawPosY);
  if (!Run(*draw_pos_dialog_, 20, 5)) return;
  draw_pos_dialog_->StoreInto(settings.DrawPosX, settings.DrawPosY);
  settings.ChangedMask |= kChangedDrawPosition;
  draw_window_.Invalidate();
}

void DrawingCommands::ZoomIn() {
  Zoom([](Workspace& workspace) { kartela::ZoomIn(workspace.settings); });
}

void DrawingCommands::ZoomOut() {
  Zoom([](Workspace& workspace) { kartela::ZoomOut(workspace.settings); });
}

void DrawingCommands::FitWholeMap() {
  const QSize view = draw_window_.viewport()->size();
  Zoom([view](Workspace& workspace) {
    ZoomToFit(workspace, gdi::Size{view.width(), view.height()});
  });
}

void DrawingCommands::Zoom(const std::function<void(Workspace&)>& zoom) {
  const Settings& settings = context_.workspace.settings;
  const double before_x = settings.DrawResX;
  const double before_y = settings.DrawResY;
  zoom(context_.workspace);
  draw_window_.MagnificationChanged(before_x, before_y);
}

// The new count takes effect at the next paint map command.
void DrawingCommands::DefSepNumberClick() {
  Settings& settings = context_.workspace.settings;
  if (sep_num_dialog_.isNull()) return;
  sep_num_dialog_->Load(settings.ClassCount);
  if (!Run(*sep_num_dialog_, 20, 5)) return;
  const std::optional<int> count = sep_num_dialog_->ClassCount();
  if (!count) {
    ShowMessage(context_.reporter, kMsgBadSetting);
    return;
  }
  settings.ClassCount = static_cast<std::int16_t>(*count);
  settings.ChangedMask |= kChangedDivision;
}

void DrawingCommands::DefPaintStyleClick() {
  Settings& settings = context_.workspace.settings;
  if (pattern_dialog_.isNull()) return;
  pattern_dialog_->Load(settings.PatternOrder, settings.UsePalette != 0, settings.ClassCount);
  pattern_dialog_->LoadScheme(settings.ColorScheme);
  if (!Run(*pattern_dialog_, 10, 3)) return;
  pattern_dialog_->StoreInto(settings.PatternOrder, settings.UsePalette);
  settings.ChangedMask |= kChangedPattern;
  // Only a scheme the user changes is written to the settings file.
  if (std::string scheme = pattern_dialog_->SchemeName(); scheme != settings.ColorScheme) {
    settings.ColorScheme = std::move(scheme);
    settings.ChangedMask |= kChangedColorScheme;
  }
  RepaintWithNewResources();
}

void DrawingCommands::LineWidthClick() {
  Settings& settings = context_.workspace.settings;
  if (border_style_dialog_.isNull()) return;
  border_style_dialog_->Load(settings.BorderStyle);
  if (!Run(*border_style_dialog_, 20, 4)) return;
  settings.BorderStyle = border_style_dialog_->BorderStyle();
  settings.ChangedMask |= kChangedLineWidth;
  RepaintWithNewResources();
}

}  // namespace kartela
