#include "ui/data/data_paste_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kartela {

TDataPasteDialog::TDataPasteDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TDataPasteDialog");
  setWindowTitle("データの貼り付け");
  auto* row = new QHBoxLayout;
  top_area_ = AddButton("TopArea", "先頭区域から", kTopArea);
  top_area_->setDefault(true);
  row->addWidget(top_area_);
  row->addWidget(AddButton("FocusArea", "入力中の区域から", kFocusArea));
  row->addWidget(AddButton("Cancel", "キャンセル", Rejected));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("貼り付ける場所を指定してください。", this));
  layout->addLayout(row);
}

QPushButton* TDataPasteDialog::AddButton(const char* name, const char* caption, int result) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(true);
  connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
  return button;
}

void TDataPasteDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  top_area_->setFocus();
}

}  // namespace kartela
