#include "ui/text_commands.h"

// Placeholder until the commands are built; the menu keeps them disabled.
namespace kartela {

TextCommands::TextCommands(AppContext& context, TDrawWindow& draw_window)
    : context_(context), draw_window_(draw_window) {}

TextCommands::~TextCommands() = default;

void TextCommands::DefTitleClick() {}
void TextCommands::DefIndexClick() {}
void TextCommands::DefAreaNameClick() {}

}  // namespace kartela
