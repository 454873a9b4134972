#include "ui/drawing/text_commands.h"

#include "model/settings.h"
#include "ui/drawing/area_disp_dialog.h"
#include "ui/drawing/decor_font_dialog.h"
#include "ui/drawing/index_pos_dialog.h"
#include "ui/drawing/legend_options_dialog.h"
#include "ui/drawing/title_pos_dialog.h"
#include "ui/map/draw_window.h"
#include "ui/widgets/place_dialog.h"

namespace kartela {

TextCommands::TextCommands(AppContext& context, TDrawWindow& draw_window)
    : context_(context), draw_window_(draw_window) {}

TextCommands::~TextCommands() = default;

void TextCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

// The dialog edits the settings only when it ends with OK; the drawing
// objects are then made again so that the map shows the new font.
void TextCommands::EditSettings(FontSettingsDialog& dialog, std::uint16_t changed_bit, int columns,
                                int rows) {
  Settings& settings = context_.workspace.settings;
  dialog.Load(settings);
  PlaceDialog(context_, dialog, columns, rows);
  if (run_dialog_(dialog) != QDialog::Accepted) return;
  dialog.StoreInto(settings);
  settings.ChangedMask |= changed_bit;
  draw_window_.RecreateResources();
  draw_window_.Invalidate();
}

void TextCommands::DefTitleClick() {
  TTitlePosDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  EditSettings(dialog, kChangedTitleFont);
}

void TextCommands::DefIndexClick() {
  TIndexPosDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  EditSettings(dialog, kChangedIndexFont);
}

void TextCommands::DefAreaNameClick() {
  TAreaDispDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  EditSettings(dialog, kChangedAreaFont);
}

// Every text decoration is drawn again in the new font.
void TextCommands::DefDecorClick() {
  TDecorFontDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  EditSettings(dialog, kChangedFancyFont, 18, 7);
}

void TextCommands::DefLegendOptionsClick() {
  Settings& settings = context_.workspace.settings;
  TLegendOptionsDialog dialog(DialogOwner(context_, &draw_window_));
  dialog.Load(settings.LegendOptions);
  PlaceDialog(context_, dialog, 20, 4);
  if (run_dialog_(dialog) != QDialog::Accepted) return;
  // Only a change is written to the settings file.
  if (dialog.Options() == settings.LegendOptions) return;
  settings.LegendOptions = dialog.Options();
  settings.ChangedMask |= kChangedLegendOptions;
  draw_window_.Invalidate();
}

}  // namespace kartela
