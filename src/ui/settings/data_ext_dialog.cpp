#include "ui/settings/data_ext_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr int kNewExtCharacters = 4;

}  // namespace

TDataExtDialog::TDataExtDialog(QWidget* parent)
    : QDialog(parent), cur_ext_(new QLabel(this)), new_ext_(new QLineEdit(this)) {
  setObjectName("TDataExtDialog");
  setWindowTitle("データファイル拡張子の指定");
  cur_ext_->setObjectName("CurExt");
  cur_ext_->setTextFormat(Qt::PlainText);
  new_ext_->setObjectName("NewExt");
  new_ext_->setMaxLength(kNewExtCharacters);
  auto* form = new QFormLayout;
  form->addRow("現在のデータファイル拡張子：", cur_ext_);
  form->addRow("新しい拡張子：", new_ext_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

void TDataExtDialog::Load(const QString& ext) {
  cur_ext_->setText(ext);
  new_ext_->setText(ext);
}

QString TDataExtDialog::NewExtText() const {
  return new_ext_->text();
}

void TDataExtDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  new_ext_->setFocus();
  new_ext_->selectAll();
}

}  // namespace kartela
