#include "ui/map/decoration_commands.h"

#include <QAction>

#include "ui/map/fill_color_dialog.h"
#include "ui/widgets/place_dialog.h"

namespace kartela {
namespace {

// The caption of the fill dialog and the fill setting of a filled shape.
struct FillChoice {
  const char* caption = nullptr;
  std::int16_t* fill = nullptr;
};

FillChoice FillChoiceOf(DecorationTools& tools, DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kCircle:
      return {"円", &tools.CircleFill};
    case DecorationMode::kSquare:
      return {"正方形", &tools.SquareFill};
    case DecorationMode::kTriangle:
      return {"正三角形", &tools.TriangleFill};
    case DecorationMode::kCross:
      return {"×印", &tools.CrossFill};
    default:
      return {};
  }
}

}  // namespace

DecorationCommands::DecorationCommands(AppContext& context,
                                       std::array<QAction*, kDecorationToolCount> tool_items,
                                       QWidget* dialog_parent)
    : context_(context), tool_items_(tool_items), dialog_parent_(dialog_parent) {
  for (QAction* item : tool_items_)
    item->setCheckable(true);
}

void DecorationCommands::SetDialogRunner(DialogRunner runner) {
  run_dialog_ = std::move(runner);
}

void DecorationCommands::ChooseTool(DecorationMode mode) {
  if (FillChoiceOf(context_.workspace.decoration_tools, mode).fill != nullptr &&
      !ChooseFill(mode)) {
    // Triggering a checkable item has toggled its mark: put the marks back.
    CheckToolItem(context_.workspace.decoration_tools.Mode);
    return;
  }
  SetDecorationMode(mode);
}

bool DecorationCommands::ChooseFill(DecorationMode mode) {
  const FillChoice choice = FillChoiceOf(context_.workspace.decoration_tools, mode);
  TFillColorDialog dialog(DialogOwner(context_, dialog_parent_));
  dialog.setWindowTitle(choice.caption);
  dialog.SetChoice(*choice.fill);
  PlaceDialog(context_, dialog, 28, 7);
  if (run_dialog_(dialog) != QDialog::Accepted) return false;
  *choice.fill = static_cast<std::int16_t>(dialog.Choice());
  return true;
}

void DecorationCommands::SetDecorationMode(DecorationMode mode) {
  context_.workspace.decoration_tools.Mode = mode;
  CheckToolItem(mode);
  emit ModeChanged();
}

void DecorationCommands::CheckToolItem(DecorationMode mode) {
  const auto checked = static_cast<std::size_t>(mode);
  for (std::size_t i = 0; i < tool_items_.size(); ++i)
    tool_items_[i]->setChecked(i + 1 == checked);
}

}  // namespace kartela
