// The commands of the map's texts: title, legend (index) and area names,
// each with its position and font.
#pragma once

#include "ui/app_context.h"

namespace kartela {

class TDrawWindow;

class TextCommands {
 public:
  TextCommands(AppContext& context, TDrawWindow& draw_window);
  ~TextCommands();

  void DefTitleClick();
  void DefIndexClick();
  void DefAreaNameClick();

 private:
  AppContext& context_;
  TDrawWindow& draw_window_;
};

}  // namespace kartela
