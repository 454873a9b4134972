// What every window, dialog and command of the desktop program shares: the
// model, the program's paths, the reporter and the text metrics.
#pragma once

#include "model/reporter.h"
#include "model/startup.h"
#include "model/window_metrics.h"
#include "render/workspace.h"

class QWidget;

namespace kartela {

class UndoHistory;

struct AppContext {
  Workspace& workspace;
  ProgramPaths paths;
  Reporter& reporter;
  TextMetrics metrics;             // FontH, CharW and RowH of the main window's font
  QWidget* main_window = nullptr;  // owner of every dialog, and the anchor of PlaceDialog
  // True while the main window's resize timer runs: the children skip
  // painting until the layout is done.
  bool layout_pending = false;
  // Set on a first start (no stored placement): the first map drawn is
  // shown whole.
  bool fit_first_map = false;
  // Where changes are recorded for undo; none where no main window keeps a
  // history (a window run on its own, as in tests).
  UndoHistory* undo = nullptr;
};

// The owner of a command's dialogs: the main window, or `fallback` where
// there is none (a child window run on its own, as in tests).
inline QWidget* DialogOwner(const AppContext& context, QWidget* fallback = nullptr) {
  return context.main_window != nullptr ? context.main_window : fallback;
}

}  // namespace kartela
