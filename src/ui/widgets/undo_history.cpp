#include "ui/widgets/undo_history.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QRegularExpression>
#include <QUndoCommand>
#include <string>
#include <utility>

namespace kartela {
namespace {

constexpr QKeyCombination kUndoKey(Qt::ControlModifier, Qt::Key_Z);

// The base maps a history is tied to: the data's, the default one and the
// one drawn.
struct BaseMapNames {
  std::string data;
  std::string preset;
  std::string drawn;
};

BaseMapNames BaseMapNamesOf(const Workspace& workspace) {
  return {workspace.area_list.CurrentBaseMapFile, workspace.settings.BaseMapFile,
          workspace.base_map.LoadedMapFile};
}

// Whether the steps kept may no longer fit the workspace. The first base map
// drawn replaces none, so the steps before it, which drew nothing, stay.
bool BaseMapReplaced(const BaseMapNames& before, const BaseMapNames& after) {
  return before.data != after.data || before.preset != after.preset ||
         (!before.drawn.empty() && before.drawn != after.drawn);
}

QString ActionText(const char* verb, const QString& step, const char* access_key) {
  const QString name = step.isEmpty() ? QString() : QStringLiteral("（%1）").arg(step);
  return QString::fromUtf8(verb) + name + QStringLiteral(" (&") + QLatin1String(access_key) +
         QLatin1Char(')');
}

// A menu item of the history, disabled until there is a step for it.
QAction* MakeStepAction(QObject* parent, const char* verb, const char* access_key,
                        const QList<QKeySequence>& keys) {
  auto* action = new QAction(ActionText(verb, {}, access_key), parent);
  action->setShortcuts(keys);
  action->setEnabled(false);
  return action;
}

}  // namespace

// One step: the parts an action changed, before and after it. Pushed after
// the action ran, so its first redo has nothing to do.
class UndoHistory::Step : public QUndoCommand {
 public:
  Step(UndoHistory& history, const QString& name, WorkspaceState before, WorkspaceState after)
      : QUndoCommand(name),
        history_(history),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void undo() override { history_.Restore(after_, before_); }
  void redo() override {
    if (done_) history_.Restore(before_, after_);
    done_ = true;
  }

 private:
  UndoHistory& history_;
  WorkspaceState before_;
  WorkspaceState after_;
  bool done_ = false;
};

UndoHistory::UndoHistory(Workspace& workspace, QObject* parent)
    : QObject(parent), workspace_(workspace) {
  stack_.setUndoLimit(kStepLimit);
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::SetPendingEditsHandler(std::function<void()> handler) {
  pending_edits_ = std::move(handler);
}

void UndoHistory::SetRestoredHandler(std::function<void(WorkspaceParts)> handler) {
  restored_ = std::move(handler);
}

void UndoHistory::Record(const QString& name, WorkspaceParts parts,
                         const std::function<void()>& action) {
  Record([&name](const WorkspaceState&, const WorkspaceState&) { return name; }, parts, action);
}

void UndoHistory::Record(const StepNamer& namer, WorkspaceParts parts,
                         const std::function<void()>& action) {
  if (depth_ > 0) {
    action();
    return;
  }
  if (parts != 0) CommitPendingEdits();
  const BaseMapNames base_maps = BaseMapNamesOf(workspace_);
  WorkspaceState before = CaptureState(workspace_, parts);
  ++depth_;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  action();
  if (BaseMapReplaced(base_maps, BaseMapNamesOf(workspace_))) {
    Clear();
    return;
  }
  WorkspaceState after = CaptureState(workspace_, parts);
  const WorkspaceParts changed = ChangedParts(before, after);
  if (changed == 0) return;
  const QString name = namer(before, after);
  stack_.push(new Step(*this, name, std::move(before), std::move(after)));
  emit StepRecorded(changed);
}

void UndoHistory::Clear() {
  stack_.clear();
}

void UndoHistory::Undo() {
  CommitPendingEdits();
  stack_.undo();
}

void UndoHistory::Redo() {
  CommitPendingEdits();
  stack_.redo();
}

void UndoHistory::NotePendingEdits() {
  edits_pending_ = true;
  UpdateUndoAction();
}

void UndoHistory::RunKey(const QKeyEvent& key) {
  key.keyCombination() == kUndoKey ? Undo() : Redo();
}

void UndoHistory::CommitPendingEdits() {
  if (!pending_edits_ || committing_) return;
  committing_ = true;
  pending_edits_();
  committing_ = false;
  edits_pending_ = false;
  UpdateUndoAction();
}

void UndoHistory::UpdateUndoAction() {
  if (undo_action_ != nullptr) undo_action_->setEnabled(edits_pending_ || stack_.canUndo());
}

void UndoHistory::Restore(const WorkspaceState& from, const WorkspaceState& to) {
  ApplyStateChange(workspace_, from, to);
  if (restored_) restored_(ChangedParts(from, to));
}

QAction* UndoHistory::MakeUndoAction(QObject* parent) {
  QAction* action =
      MakeStepAction(parent, "元に戻す", "U", {QKeySequence(QStringLiteral("Ctrl+Z"))});
  action->setObjectName(QStringLiteral("EditUndo"));
  undo_action_ = action;
  connect(action, &QAction::triggered, this, &UndoHistory::Undo);
  connect(&stack_, &QUndoStack::canUndoChanged, this, &UndoHistory::UpdateUndoAction);
  connect(&stack_, &QUndoStack::undoTextChanged, action,
          [action](const QString& step) { action->setText(ActionText("元に戻す", step, "U")); });
  return action;
}

QAction* UndoHistory::MakeRedoAction(QObject* parent) {
  QAction* action = MakeStepAction(
      parent, "やり直し", "R",
      {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  action->setObjectName(QStringLiteral("EditRedo"));
  connect(action, &QAction::triggered, this, &UndoHistory::Redo);
  connect(&stack_, &QUndoStack::canRedoChanged, action, &QAction::setEnabled);
  connect(&stack_, &QUndoStack::redoTextChanged, action,
          [action](const QString& step) { action->setText(ActionText("やり直し", step, "R")); });
  return action;
}

void RecordChange(UndoHistory* history, const QString& name, WorkspaceParts parts,
                  const std::function<void()>& action) {
  history != nullptr ? history->Record(name, parts, action) : action();
}

void RecordChange(UndoHistory* history, const UndoHistory::StepNamer& namer, WorkspaceParts parts,
                  const std::function<void()>& action) {
  history != nullptr ? history->Record(namer, parts, action) : action();
}

void ForgetHistory(UndoHistory* history) {
  if (history != nullptr) history->Clear();
}

bool IsHistoryKey(const QKeyEvent& key) {
  const QKeyCombination combination = key.keyCombination();
  return combination == kUndoKey ||
         combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
         combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

QString StepNameOfCaption(const char* caption) {
  QString name = QString::fromUtf8(caption);
  static const QRegularExpression kAccessKey(QStringLiteral("\\s*\\(&.\\)$"));
  name.remove(kAccessKey);
  while (name.endsWith(QLatin1Char('.')))
    name.chop(1);
  return name.trimmed();
}

}  // namespace kartela
