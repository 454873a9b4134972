// The drawing-setting commands of the Conditions menu and the zoom buttons:
// magnification, position, class count, paint style and border lines.
#pragma once

#include "ui/app_context.h"

namespace kartela {

class TDrawWindow;

class DrawingCommands {
 public:
  DrawingCommands(AppContext& context, TDrawWindow& draw_window);
  ~DrawingCommands();

  void DefDrawSizeClick();
  void DefDrawPositionClick();
  void ZoomIn();
  void ZoomOut();
  void DefSepNumberClick();
  void DefPaintStyleClick();
  void LineWidthClick();

 private:
  AppContext& context_;
  TDrawWindow& draw_window_;
};

}  // namespace kartela
