// Data through the clipboard as text, and the search for an area by name.
#pragma once

#include "ui/app_context.h"

namespace kartela {

class TDataWindow;

class DataExchangeCommands {
 public:
  DataExchangeCommands(AppContext& context, TDataWindow& data_window);
  ~DataExchangeCommands();

  void CopyDataClick();
  void PasteDataClick();
  void FindAreaClick();

 private:
  AppContext& context_;
  TDataWindow& data_window_;
};

}  // namespace kartela
