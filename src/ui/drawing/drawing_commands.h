// The drawing-setting commands of the Conditions menu and the zoom buttons:
// magnification, position, class count, paint style and border lines.
#pragma once

#include <functional>

#include <QPointer>

#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QDialog;
class QWidget;

namespace kartela {

class TBorderStyleDialog;
class TDrawPosDialog;
class TDrawSizeDialog;
class TDrawWindow;
class TPatternDialog;
class TSepNumDialog;

class DrawingCommands {
 public:
  DrawingCommands(AppContext& context, TDrawWindow& draw_window);
  ~DrawingCommands();

  void DefDrawSizeClick();
  void DefDrawPositionClick();
  void ZoomIn();
  void ZoomOut();
  // 全体表示: the magnification at which the whole map fits the map window.
  void FitWholeMap();
  void DefSepNumberClick();
  void DefPaintStyleClick();
  void LineWidthClick();

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 private:
  // The parent of the dialogs: the main window, or the map window without one.
  // Places `dialog` and runs it; true when it ended with OK.
  bool Run(QDialog& dialog, int columns, int rows);
  // Changes the magnification by `zoom`, keeping the centre of the view.
  void Zoom(const std::function<void(Workspace&)>& zoom);
  // After patterns or pens changed: new drawing objects, and a repaint.
  void RepaintWithNewResources();

  AppContext& context_;
  TDrawWindow& draw_window_;
  // Created once and owned by their parent window.
  QPointer<TDrawSizeDialog> draw_size_dialog_;
  QPointer<TDrawPosDialog> draw_pos_dialog_;
  QPointer<TSepNumDialog> sep_num_dialog_;
  QPointer<TPatternDialog> pattern_dialog_;
  QPointer<TBorderStyleDialog> border_style_dialog_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
