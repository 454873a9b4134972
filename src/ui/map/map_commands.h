// The map commands of the Draw menu: the paint map, the circle map, the
// three white maps, redraw and clear.
#pragma once

#include <QPointer>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "render/circle_settings_check.h"
#include "render/workspace.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QWidget;

namespace kartela {

class TDataInfoDialog;
class TDataWindow;
class TDrawWindow;

class MapCommands {
 public:
  MapCommands(AppContext& context, TDataWindow& data_window, TDrawWindow& draw_window);

  void MePaintMapClick();
  // The circle map: checks the values, asks for the settings and draws.
  void MeCircleMapClick();
  void WhiteBaseMapClick();
  void WhiteDataMapClick();
  void WhiteSelMapClick();
  void RedrawMapClick();
  void ClearMapClick();

  // Empties the map window, keeping the background picture when asked, and
  // puts the decoration tool away.
  void ClearMap(bool keep_background);
  // Reads the base map `reference` (Shift-JIS) unless it is the one loaded.
  bool EnsureBaseMap(const std::string& reference);
  // Makes `kind` the map shown, without decorations, and shows it.
  void ShowNewMap(MapKind kind);
  // Shows the map just started, fitted to the window when it is the first
  // map since a start without a stored placement.
  void ShowStartedMap();
  // Whether the decorations may go with the map now shown: asks when there
  // are any.
  bool MayClearDecorations();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);
  // Called when a clear has put the decoration tool away, so that the menu
  // and the cursor follow.
  void SetToolResetHandler(std::function<void()> handler);

 private:
  // The parent of the dialogs: the main window, or the map window without one.
  // Checks and classifies the data for the paint map; false with a message
  // when they cannot be drawn.
  bool PrepareStatistics();
  // The data information dialog; true when it ended with OK.
  bool ConfirmBoundaries();
  // The circle map settings dialog over the values just scanned; true when
  // it ended with OK, having stored the settings.
  bool EditCircleSettings(const SymbolDataStats& stats);
  // Reads the base map at `path` whatever is loaded; message 3 on failure.
  bool ReadBaseMapAt(const std::filesystem::path& path, const std::string& reference);
  // The file chosen in the base-map chooser (among the program's base maps
  // and the user's own), unless it was cancelled or the name is empty or a
  // wildcard.
  std::optional<std::filesystem::path> ChosenBaseMap();

  AppContext& context_;
  TDataWindow& data_window_;
  TDrawWindow& draw_window_;
  // Owned by its parent window.
  QPointer<TDataInfoDialog> info_dialog_;
  DialogRunner run_dialog_ = ExecModal;
  std::function<void()> tool_reset_;
};

}  // namespace kartela
