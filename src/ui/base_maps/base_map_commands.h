// The commands of the Base menu: which base map is the default one, and new
// base maps from the user's own boundary files.
#pragma once

#include <QPointer>
#include <filesystem>
#include <functional>

#include "geodata/basemap/importer.h"
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
  // A refused or cancelled import leaves the dialog open with its choices
  // and the reason. With a value field, the data file is written beside the
  // map and opened through the data opener; names the import changed are
  // listed when it is done.
  void MakeBaseMapClick();

  // How a data file made with a new base map is opened (the data window's
  // reading of a file); none: the file is only written.
  void SetDataOpener(std::function<void(const std::filesystem::path&)> opener);

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

  // Keeps a label in `status_bar` that names the base map new data take,
  // so that the user sees a choice take effect.
  void ShowBaseMapIn(QStatusBar& status_bar);

 private:
  void UpdateBaseMapStatus();

  // Makes the file `file_name` of the program directory the base map.
  void UseBaseMap(const std::filesystem::path& file_name);
  // Imports what the dialog describes and saves the map (and its data);
  // the reason it could not, empty when it did or the user cancelled.
  std::string MakeBaseMap(const basemap::ImportOptions& chosen, bool& cancelled);

  AppContext& context_;
  DialogRunner run_dialog_ = ExecModal;
  std::function<void(const std::filesystem::path&)> open_data_;
  QPointer<QLabel> base_map_status_;
};

}  // namespace kartela
