#include "ui/map/fill_color_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

struct ChoiceButton {
  const char* name;
  const char* caption;
};

// In the order of the choices.
constexpr ChoiceButton kChoices[kFillChoiceCount] = {
    {"B1", "白"}, {"B2", "黄"}, {"B3", "ｼｱﾝ"}, {"B4", "緑"}, {"B5", "ﾏｾﾞﾝﾀ"},
    {"B6", "赤"}, {"B7", "青"}, {"B8", "黒"},  {"B9", "灰"}, {"B0", "透過"},
};
constexpr int kButtonRows = 2;
constexpr int kButtonColumns = kFillChoiceCount / kButtonRows;

}  // namespace

TFillColorDialog::TFillColorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFillColorDialog");
  setWindowTitle("色の設定");
  auto* layout = new QVBoxLayout(this);
  auto* box = new QGroupBox("塗り潰し色：", this);
  auto* grid = new QGridLayout(box);
  buttons_ = new QButtonGroup(box);
  for (int choice = 0; choice < kFillChoiceCount; ++choice) {
    auto* radio = new QRadioButton(kChoices[choice].caption, box);
    radio->setObjectName(kChoices[choice].name);
    buttons_->addButton(radio, choice);
    grid->addWidget(radio, choice / kButtonColumns, choice % kButtonColumns);
  }
  layout->addWidget(box);
  layout->addWidget(OkCancelButtons(*this));
}

void TFillColorDialog::SetChoice(int choice) {
  choice_ = choice;
}

void TFillColorDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QAbstractButton* button = buttons_->button(choice_)) {
    button->setChecked(true);
    button->setFocus();
    return;
  }
  // Unchecking needs a non-exclusive group for a moment.
  buttons_->setExclusive(false);
  for (QAbstractButton* button : buttons_->buttons())
    button->setChecked(false);
  buttons_->setExclusive(true);
}

void TFillColorDialog::done(int result) {
  if (buttons_->checkedId() >= 0) choice_ = buttons_->checkedId();
  QDialog::done(result);
}

}  // namespace kartela
