#include "ui/drawing/text_commands.h"

#include "model/data_file.h"
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
  // The positions in effect: where the map shows the title and the legend.
  Settings shown = settings;
  draw_window_.Furniture().ApplyShifts(shown);
  dialog.Load(shown);
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

namespace {

LegendItems LegendItemsOf(const Workspace& workspace) {
  const Settings& settings = workspace.settings;
  // Without a source line of its own the map proposes one from the data's notes.
  const std::string source = settings.SourceText.empty()
                                 ? ProposedSourceText(workspace.data.DataNotes)
                                 : settings.SourceText;
  return LegendItems{settings.LegendOptions, settings.LegendHeading, source,
                     settings.SourceAtRight != 0};
}

}  // namespace

void TextCommands::DefLegendOptionsClick() {
  Workspace& workspace = context_.workspace;
  TLegendOptionsDialog dialog(context_.reporter, DialogOwner(context_, &draw_window_));
  const LegendItems shown = LegendItemsOf(workspace);
  dialog.Load(shown);
  PlaceDialog(context_, dialog, 20, 4);
  if (run_dialog_(dialog) != QDialog::Accepted) return;
  if (StoreLegendItems(dialog.Items(), workspace.settings)) draw_window_.Invalidate();
}

bool StoreLegendItems(const LegendItems& items, Settings& settings) {
  // Only a change is written to the settings file.
  bool changed = false;
  if (items.options != settings.LegendOptions) {
    settings.LegendOptions = items.options;
    settings.ChangedMask |= kChangedLegendOptions;
    changed = true;
  }
  if (items.heading != settings.LegendHeading) {
    settings.LegendHeading = items.heading;
    settings.ChangedMask |= kChangedLegendHeading;
    changed = true;
  }
  const std::uint8_t right = items.source_right ? 1 : 0;
  if (items.source != settings.SourceText || right != settings.SourceAtRight) {
    settings.SourceText = items.source;
    settings.SourceAtRight = right;
    settings.ChangedMask |= kChangedSource;
    changed = true;
  }
  return changed;
}

}  // namespace kartela
