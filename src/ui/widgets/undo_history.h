// The history of undoable changes: a QUndoStack whose steps each keep the
// parts of the workspace one action changed, before and after
// (render/workspace_state.h). Whatever changes the workspace records itself
// here by naming the parts it may touch; the history needs no code per
// action. Opening other data or another base map starts a new history, since
// the steps cannot bring back what those replace.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

#include "render/workspace_state.h"

class QAction;
class QKeyEvent;

namespace kartela {

// The menu that holds the history's two items.
inline constexpr char kEditMenuCaption[] = "編集(&E)";

class UndoHistory : public QObject {
  Q_OBJECT

 public:
  // Steps kept; the oldest go beyond.
  static constexpr int kStepLimit = 100;

  explicit UndoHistory(Workspace& workspace, QObject* parent = nullptr);
  ~UndoHistory() override;

  // Names a step after what it changed: `before` and `after` hold the parts
  // the action was recorded with.
  using StepNamer =
      std::function<QString(const WorkspaceState& before, const WorkspaceState& after)>;

  // Runs `action` and, when it changed any of `parts`, keeps the change as
  // the step `name`. Pending typing is taken first, as a step of its own. A
  // record inside another runs as part of the outer one. With no parts the
  // action runs unrecorded, and a change of base map or data file still
  // clears the history.
  void Record(const QString& name, WorkspaceParts parts, const std::function<void()>& action);
  void Record(const StepNamer& namer, WorkspaceParts parts, const std::function<void()>& action);
  // Forgets every step.
  void Clear();
  void Undo();
  void Redo();
  // Undo or redo as `key` (IsHistoryKey) asks, for a key that no shortcut
  // took (the window is not the active one).
  void RunKey(const QKeyEvent& key);

  // What takes the typing not yet in the workspace into it, before a step
  // and before undo or redo.
  void SetPendingEditsHandler(std::function<void()> handler);
  // Something was typed and not yet taken: undo is available for it.
  void NotePendingEdits();
  // What shows the parts an undo or redo changed.
  void SetRestoredHandler(std::function<void(WorkspaceParts)> handler);

  // The menu items 元に戻す and やり直し with their keys, named after the step
  // they take back or make again, disabled when there is none.
  QAction* MakeUndoAction(QObject* parent);
  QAction* MakeRedoAction(QObject* parent);

  const QUndoStack& Stack() const { return stack_; }

 signals:
  // A step was kept that changed `parts`.
  void StepRecorded(WorkspaceParts parts);

 private:
  class Step;
  void CommitPendingEdits();
  void UpdateUndoAction();
  // Moves the workspace from `from` to `to` and shows the result.
  void Restore(const WorkspaceState& from, const WorkspaceState& to);

  Workspace& workspace_;
  QUndoStack stack_;
  std::function<void()> pending_edits_;
  std::function<void(WorkspaceParts)> restored_;
  int depth_ = 0;
  bool committing_ = false;
  bool edits_pending_ = false;
  QAction* undo_action_ = nullptr;
};

// UndoHistory::Record on `history`, or `action` alone where there is none.
void RecordChange(UndoHistory* history, const QString& name, WorkspaceParts parts,
                  const std::function<void()>& action);
void RecordChange(UndoHistory* history, const UndoHistory::StepNamer& namer, WorkspaceParts parts,
                  const std::function<void()>& action);
// Clears `history` when there is one.
void ForgetHistory(UndoHistory* history);

// Whether `key` is one of the keys of undo and redo, which the text boxes of
// the data window leave to the history.
bool IsHistoryKey(const QKeyEvent& key);

// The caption of a menu item as a step's name: without its access key and
// the dots of a dialog, "表から読み込み... (&B)" as "表から読み込み".
QString StepNameOfCaption(const char* caption);

}  // namespace kartela
