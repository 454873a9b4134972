// The settings commands: data directory, data-file extension, area-name
// length and what the settings file keeps.
#pragma once

#include "ui/app_context.h"

namespace kartela {

class TDataWindow;

class SettingsCommands {
 public:
  SettingsCommands(AppContext& context, TDataWindow& data_window);
  ~SettingsCommands();

  void DefDataDirClick();
  void DefDataExtClick();
  void DefAreaLengthClick();
  void DefINIFileClick();

 private:
  AppContext& context_;
  TDataWindow& data_window_;
};

}  // namespace kartela
