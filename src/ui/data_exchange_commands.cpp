#include "ui/data_exchange_commands.h"

// Placeholder until the commands are built; the menu keeps them disabled.
namespace kartela {

DataExchangeCommands::DataExchangeCommands(AppContext& context, TDataWindow& data_window)
    : context_(context), data_window_(data_window) {}

DataExchangeCommands::~DataExchangeCommands() = default;

void DataExchangeCommands::CopyDataClick() {}
void DataExchangeCommands::PasteDataClick() {}
void DataExchangeCommands::FindAreaClick() {}

}  // namespace kartela
