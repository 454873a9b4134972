#include "ui/settings/item_len_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/settings_rules.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {

std::optional<std::int16_t> ItemLengthOfText(const QString& typed) {
  // Full-width digits, as a Japanese input method types them, count as digits.
  return ParseItemLength(typed.normalized(QString::NormalizationForm_KC).toStdString());
}

TItemLenDialog::TItemLenDialog(Reporter& reporter, QWidget* parent)
    : CheckedDialog(reporter, parent), i_len_(new QLineEdit(this)) {
  setObjectName("TItemLenDialog");
  setWindowTitle("区域名表示");
  i_len_->setObjectName("ILen");
  i_len_->setAlignment(Qt::AlignRight);
  auto* form = new QFormLayout;
  form->addRow("表示長（2～36）：", i_len_);
  CheckNumberBox(*i_len_, "表示長", WholeNumberRange(kMinItemLength, kMaxItemLength),
                 [](const QString& text) { return ItemLengthOfText(text).has_value(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("データウィンドウで区域名を表示する長さ", this));
  layout->addWidget(new QLabel("を指定します。", this));
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

void TItemLenDialog::Load(int length) {
  i_len_->setText(QString::number(length));
}

QString TItemLenDialog::LengthText() const {
  return i_len_->text();
}

void TItemLenDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  i_len_->setFocus();
  i_len_->selectAll();
}

}  // namespace kartela
