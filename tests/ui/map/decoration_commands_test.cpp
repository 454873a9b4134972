#include "ui/map/decoration_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QRadioButton>
#include <functional>
#include <memory>
#include <vector>

#include "model/test_support.h"
#include "ui/map/fill_color_dialog.h"

namespace kartela {
namespace {

// The nine tool items, each triggering its tool as the menu does. The fill
// dialog answers at once: `edit_fill_` runs on it, then it ends with
// `fill_result_`.
class DecorationCommandsTest : public testing::Test {
 protected:
  DecorationCommandsTest() {
    std::array<QAction*, kDecorationToolCount> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
      items_.push_back(std::make_unique<QAction>());
      items[i] = items_.back().get();
    }
    commands_ = std::make_unique<DecorationCommands>(context_, items, nullptr);
    for (std::size_t i = 0; i < items.size(); ++i) {
      const auto mode = static_cast<DecorationMode>(i + 1);
      QObject::connect(items[i], &QAction::triggered,
                       [this, mode] { commands_->ChooseTool(mode); });
    }
    QObject::connect(commands_.get(), &DecorationCommands::ModeChanged,
                     [this] { ++mode_changes_; });
    commands_->SetDialogRunner([this](QDialog& dialog) {
      auto& fill = dynamic_cast<TFillColorDialog&>(dialog);
      fill_captions_.push_back(fill.windowTitle());
      if (edit_fill_) edit_fill_(fill);
      fill.done(fill_result_);
      return fill.result();
    });
  }

  void Trigger(DecorationMode mode) { items_[static_cast<std::size_t>(mode) - 1]->trigger(); }

  // The modes whose items carry a check mark.
  std::vector<DecorationMode> Checked() const {
    std::vector<DecorationMode> checked;
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i]->isChecked()) checked.push_back(static_cast<DecorationMode>(i + 1));
    }
    return checked;
  }

  DecorationMode Mode() const { return workspace_.decoration_tools.Mode; }

  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{}, reporter_, TextMetrics{}};
  std::vector<std::unique_ptr<QAction>> items_;
  std::unique_ptr<DecorationCommands> commands_;
  std::function<void(TFillColorDialog&)> edit_fill_;
  int fill_result_ = QDialog::Accepted;
  std::vector<QString> fill_captions_;
  int mode_changes_ = 0;
};

TEST_F(DecorationCommandsTest, OneToolAtATimeCarriesTheCheckMark) {
  const DecorationMode order[] = {
      DecorationMode::kCross,      DecorationMode::kTextCleared, DecorationMode::kLine,
      DecorationMode::kCircle,     DecorationMode::kDottedLine,  DecorationMode::kTriangle,
      DecorationMode::kRectangle,  DecorationMode::kSquare,      DecorationMode::kTextTransparent,
      DecorationMode::kTextCleared};
  for (const DecorationMode mode : order) {
    SCOPED_TRACE(static_cast<int>(mode));
    Trigger(mode);
    EXPECT_EQ(Mode(), mode);
    EXPECT_EQ(Checked(), std::vector<DecorationMode>{mode});
  }
  EXPECT_EQ(mode_changes_, 10);
  commands_->ChooseTool(DecorationMode::kNone);
  EXPECT_EQ(Mode(), DecorationMode::kNone);
  EXPECT_TRUE(Checked().empty());
  EXPECT_EQ(fill_captions_, (std::vector<QString>{"×印", "円", "正三角形", "正方形"}))
      << "only the filled shapes ask for their fill";
}

TEST_F(DecorationCommandsTest, FilledShapesTakeTheFillChosenAndCancelChangesNothing) {
  workspace_.decoration_tools.SquareFill = 9;
  edit_fill_ = [](TFillColorDialog& dialog) {
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("B0")->isChecked()) << "the shape's fill";
    dialog.findChild<QRadioButton*>("B2")->setChecked(true);  // yellow
  };
  Trigger(DecorationMode::kSquare);
  EXPECT_EQ(workspace_.decoration_tools.SquareFill, 1);
  EXPECT_EQ(Mode(), DecorationMode::kSquare);

  edit_fill_ = [](TFillColorDialog& dialog) {
    dialog.findChild<QRadioButton*>("B6")->setChecked(true);
  };
  fill_result_ = QDialog::Rejected;
  mode_changes_ = 0;
  Trigger(DecorationMode::kCircle);
  Trigger(DecorationMode::kSquare);
  EXPECT_EQ(workspace_.decoration_tools.CircleFill, kDefaultShapeFill);
  EXPECT_EQ(workspace_.decoration_tools.SquareFill, 1);
  EXPECT_EQ(Mode(), DecorationMode::kSquare) << "the tool in use stays";
  EXPECT_EQ(Checked(), std::vector<DecorationMode>{DecorationMode::kSquare});
  EXPECT_EQ(mode_changes_, 0);
}

}  // namespace
}  // namespace kartela
