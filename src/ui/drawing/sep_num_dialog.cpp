#include "ui/drawing/sep_num_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "render/classification.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {

TSepNumDialog::TSepNumDialog(Reporter& reporter, QWidget* parent)
    : CheckedDialog(reporter, parent), num_(new QLineEdit(this)) {
  setObjectName("TSepNumDialog");
  setWindowTitle("塗り分け区分数の設定");
  num_->setObjectName("Num");
  num_->setAlignment(Qt::AlignRight);
  num_->setInputMethodHints(Qt::ImhDigitsOnly);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("・何段階に塗り分けるか、区分数を指定してください。", this));
  layout->addWidget(new QLabel("・区分数の範囲は２～８です。", this));
  auto* form = new QFormLayout;
  form->addRow("区分数：", num_);
  CheckNumberBox(*num_, "区分数", WholeNumberRange(kMinClassCount, kMaxClassCount),
                 [this](const QString&) { return ClassCount().has_value(); });
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

void TSepNumDialog::Load(int class_count) {
  num_->setText(QString::number(class_count));
  num_->setFocus();
  num_->selectAll();
}

std::optional<int> TSepNumDialog::ClassCount() const {
  // Blanks around the number are not shown to the user, so they do not count.
  return ParseClassCount(num_->text().trimmed().toStdString());
}

}  // namespace kartela
