// The commands of the Base menu: which base map is the default one.
#pragma once

#include "ui/app_context.h"
#include "ui/dialog_runner.h"

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

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  AppContext& context_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
