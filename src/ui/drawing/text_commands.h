// The commands of the map's texts: title, legend (index) and area names,
// each with its position or style and its font, and the font of the text
// decorations.
#pragma once

#include <cstdint>

#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

namespace kartela {

class FontSettingsDialog;
struct LegendItems;
struct Settings;
class TDrawWindow;

class TextCommands {
 public:
  TextCommands(AppContext& context, TDrawWindow& draw_window);
  ~TextCommands();

  // Each shows its dialog with the current settings; only OK changes them,
  // sets the setting's ChangedMask bit and repaints the map with the new
  // font.
  void DefTitleClick();
  void DefIndexClick();
  void DefAreaNameClick();
  void DefDecorClick();
  // The legend's additions, its heading and the source line (proposed from
  // the data's notes while the map has none); a change is kept and the map
  // drawn again.
  void DefLegendOptionsClick();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The dialog's parent: the main window, or the map window without one.
  // Places the dialog `columns` character widths and `rows` text heights
  // from the main window's corner.
  void EditSettings(FontSettingsDialog& dialog, std::uint16_t changed_bit, int columns = 20,
                    int rows = 4);

  AppContext& context_;
  TDrawWindow& draw_window_;
  DialogRunner run_dialog_ = ExecModal;
};

// Stores what the legend items dialog says, with the change bit of each
// value that changed; true when one did.
bool StoreLegendItems(const LegendItems& items, Settings& settings);

}  // namespace kartela
