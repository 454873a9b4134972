// The commands of the Base menu: which base map is the default one, and new
// base maps from the user's own boundary files.
#pragma once

#include <QPointer>
#include <filesystem>

#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QLabel;
class QStatusBar;

namespace kartela {

class BaseMapCommands {
 public:
  explicit BaseMapCommands(AppContext& context);
  ~BaseMapCommands();

  // Shows which file is the base map.
  void AboutBaseMapClick();
  // Lets the user choose the base map among the base maps of the program
  // directory. A chosen existing file becomes BaseMapFile and marks it
  // changed, even when it is the same map again; an empty or wildcard name,
  // or one that names no file, changes nothing and is not reported. The
  // data's own base map stays as it is.
  void SelectBaseClick();
  // Makes a base map from a boundary file the user chooses, saves it beside
  // the program's other base maps under its title and makes it the base map
  // as SelectBaseClick does. The import can be cancelled while it reads.
  void MakeBaseMapClick();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

  // Keeps a label in `status_bar` that names the base map new data take,
  // so that the user sees a choice take effect.
  void ShowBaseMapIn(QStatusBar& status_bar);

 private:
  void UpdateBaseMapStatus();

  // Makes the file `file_name` of the program directory the base map.
  void UseBaseMap(const std::filesystem::path& file_name);

  AppContext& context_;
  DialogRunner run_dialog_ = ExecModal;
  QPointer<QLabel> base_map_status_;
};

}  // namespace kartela
