#include "ui/pictures/line_col_change_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr std::array<const char*, 4> kChoiceTexts = {
    "境界線が黒以外の時、変換の問い合わせをする",
    "境界線が白の時のみ、問い合わせをする",
    "常に、ウィンドウの文字色のまま保存(ｺﾋﾟｰ)する",
    "常に黒に変換して保存(ｺﾋﾟｰ)する",
};

}  // namespace

TLineColChangeDialog::TLineColChangeDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TLineColChangeDialog");
  setWindowTitle("保存・コピー時の境界線の色");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("＊メタファイルの保存・コピー時の境界線の取り扱い", this));
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new QRadioButton(kChoiceTexts[i], this);
    buttons_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    layout->addWidget(buttons_[i]);
  }
  QDialogButtonBox* buttons = OkCancelButtons(*this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
}

void TLineColChangeDialog::SetChoice(std::int16_t color_change) {
  choice_ = color_change >= 1 && color_change <= 4 ? color_change : 1;
  buttons_[static_cast<std::size_t>(choice_ - 1)]->setChecked(true);
}

std::int16_t TLineColChangeDialog::Choice() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->isChecked()) return static_cast<std::int16_t>(i + 1);
  }
  return choice_;
}

void TLineColChangeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  buttons_[static_cast<std::size_t>(choice_ - 1)]->setChecked(true);
  if (ok_ != nullptr) ok_->setFocus();
}

}  // namespace kartela
