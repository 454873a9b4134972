// The commands of the Base menu: which base map is the default one.
#pragma once

#include "ui/app_context.h"

namespace kartela {

class BaseMapCommands {
 public:
  explicit BaseMapCommands(AppContext& context);
  ~BaseMapCommands();

  void AboutBaseMapClick();
  void SelectBaseClick();

 private:
  AppContext& context_;
};

}  // namespace kartela
