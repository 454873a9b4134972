#include "ui/settings_commands.h"

// Placeholder until the commands are built; the menu keeps them disabled.
namespace kartela {

SettingsCommands::SettingsCommands(AppContext& context, TDataWindow& data_window)
    : context_(context), data_window_(data_window) {}

SettingsCommands::~SettingsCommands() = default;

void SettingsCommands::DefDataDirClick() {}
void SettingsCommands::DefDataExtClick() {}
void SettingsCommands::DefAreaLengthClick() {}
void SettingsCommands::DefINIFileClick() {}

}  // namespace kartela
