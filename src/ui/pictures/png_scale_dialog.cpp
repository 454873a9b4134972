#include "ui/pictures/png_scale_dialog.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {

TPngScaleDialog::TPngScaleDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TPngScaleDialog");
  setWindowTitle("PNG形式 保存");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("画像の倍率", this));
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    buttons_[i] = new QRadioButton(QStringLiteral("%1倍").arg(kScales[i]), this);
    buttons_[i]->setObjectName(QStringLiteral("Scale%1").arg(kScales[i]));
    layout->addWidget(buttons_[i]);
  }
  buttons_[0]->setChecked(true);
  layout->addWidget(OkCancelButtons(*this));
}

void TPngScaleDialog::SetScale(int scale) {
  for (std::size_t i = 0; i < kScales.size(); ++i)
    buttons_[i]->setChecked(kScales[i] == scale);
}

int TPngScaleDialog::Scale() const {
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    if (buttons_[i]->isChecked()) return kScales[i];
  }
  return kScales[0];
}

}  // namespace kartela
