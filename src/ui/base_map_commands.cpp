#include "ui/base_map_commands.h"

// Placeholder until the commands are built; the menu keeps them disabled.
namespace kartela {

BaseMapCommands::BaseMapCommands(AppContext& context) : context_(context) {}

BaseMapCommands::~BaseMapCommands() = default;

void BaseMapCommands::AboutBaseMapClick() {}
void BaseMapCommands::SelectBaseClick() {}

}  // namespace kartela
