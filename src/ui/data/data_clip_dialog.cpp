#include "ui/data/data_clip_dialog.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {
TDataClipDialog::TDataClipDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TDataClipDialog");
  setWindowTitle("クリップボードへの複写");
  title_on_ = new QCheckBox("タイトル付き", this);
  title_on_->setObjectName("TitleON");
  area_on_ = new QCheckBox("区域名付き", this);
  area_on_->setObjectName("AreaON");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_on_);
  layout->addWidget(area_on_);
  layout->addWidget(OkCancelButtons(*this));
  // The check boxes alone would leave too little room for the caption.
  KeepCaptionWhole(*this);
}

DataClipOptions TDataClipDialog::Options() const {
  return {title_on_->isChecked(), area_on_->isChecked()};
}

void TDataClipDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  title_on_->setChecked(true);
  area_on_->setChecked(false);
  title_on_->setFocus();
}

}  // namespace kartela
