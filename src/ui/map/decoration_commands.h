// The tools of the decoration menu: which mark the left mouse button places
// on the map window, with the fill of the four filled shapes. One tool at a
// time is in use, and its menu item alone carries the check mark.
#pragma once

#include <QObject>
#include <array>

#include "model/decorations.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/dialog_runner.h"

class QAction;
class QWidget;

namespace kartela {

// The tools that place marks: modes 1..9.
inline constexpr std::size_t kDecorationToolCount = 11;

class DecorationCommands : public QObject {
  Q_OBJECT

 public:
  // `tool_items` are the menu items of modes 1..9, in that order; the fill
  // dialog is owned by `dialog_parent` when there is no main window.
  DecorationCommands(AppContext& context, std::array<QAction*, kDecorationToolCount> tool_items,
                     QWidget* dialog_parent);

  // The command of a tool's menu item, or of the release item for
  // DecorationMode::kNone. The filled shapes first ask for their fill; Cancel
  // changes nothing, the tool in use included.
  void ChooseTool(DecorationMode mode);
  // Makes `mode` the tool in use: its item alone is checked (none for
  // kNone), and ModeChanged follows.
  void SetDecorationMode(DecorationMode mode);

  // Replaces how the commands run their modal dialogs.
  void SetDialogRunner(DialogRunner runner);

 signals:
  // The tool in use has changed (the workspace holds it): the map window's
  // cursor follows.
  void ModeChanged();

 private:
  // The fill dialog for the filled shape of `mode`; true when it ended with
  // OK, having stored the chosen fill.
  bool ChooseFill(DecorationMode mode);
  // Checks the item of `mode` and unchecks the others.
  void CheckToolItem(DecorationMode mode);

  AppContext& context_;
  std::array<QAction*, kDecorationToolCount> tool_items_;
  QWidget* dialog_parent_;
  DialogRunner run_dialog_ = ExecModal;
};

}  // namespace kartela
