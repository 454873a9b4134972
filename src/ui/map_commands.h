// The map commands of the Draw menu: the paint map, the three white maps,
// redraw and clear.
#pragma once

#include <QPointer>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "render/workspace.h"
#include "ui/app_context.h"
#include "ui/dialog_runner.h"

class QWidget;

namespace kartela {

class TDataInfoDialog;
class TDataWindow;
class TDrawWindow;

class MapCommands {
 public:
  MapCommands(AppContext& context, TDataWindow& data_window, TDrawWindow& draw_window);

  void MePaintMapClick();
  void WhiteBaseMapClick();
  void WhiteDataMapClick();
  void WhiteSelMapClick();
  void RedrawMapClick();
  void ClearMapClick();

  // Empties the map window, keeping the background picture when asked.
  void ClearMap(bool keep_background);
  // Reads the base map `reference` (Shift-JIS) unless it is the one loaded.
  bool EnsureBaseMap(const std::string& reference);
  void ShowNewMap(MapKind kind);

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The parent of the dialogs: the main window, or the map window without one.
  // Checks and classifies the data for the paint map; false with a message
  // when they cannot be drawn.
  bool PrepareStatistics();
  // The data information dialog; true when it ended with OK.
  bool ConfirmBoundaries();
  // Reads the base map at `path` whatever is loaded; message 3 on failure.
  bool ReadBaseMapAt(const std::filesystem::path& path, const std::string& reference);
  // The name chosen in the base-map chooser, unless it was cancelled or the
  // name is empty or a wildcard.
  std::optional<QString> ChosenBaseMapName();

  AppContext& context_;
  TDataWindow& data_window_;
  TDrawWindow& draw_window_;
  // Owned by its parent window.
  QPointer<TDataInfoDialog> info_dialog_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
