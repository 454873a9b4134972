#include "ui/widgets/checked_dialog.h"

#include <QLineEdit>
#include <utility>

#include "model/messages.h"

namespace kartela {

namespace {

// "Ｘ座標：" and "横方向.." name their boxes as "Ｘ座標" and "横方向".
QString BoxName(QString label) {
  while (label.endsWith(u'：') || label.endsWith(u'.') || label.endsWith(u':'))
    label.chop(1);
  return label;
}

}  // namespace

CheckedDialog::CheckedDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {}

void CheckedDialog::CheckNumberBox(QLineEdit& box, const QString& label, const QString& range,
                                   NumberTextCheck converts) {
  number_boxes_.push_back({&box, BoxName(label), range, std::move(converts)});
}

void CheckedDialog::done(int result) {
  if (result == Accepted && !AcceptNumberBoxes()) return;
  QDialog::done(result);
}

bool CheckedDialog::AcceptNumberBoxes() const {
  for (const CheckedBox& number : number_boxes_) {
    if (number.converts(number.box->text())) continue;
    RefuseBox(reporter_, *number.box, NumberBoxReason(number.name, number.range));
    return false;
  }
  return true;
}

void RefuseBox(Reporter& reporter, QLineEdit& box, const QString& reason) {
  ShowMessageWithReason(reporter, kMsgBadSetting, {}, reason.toStdString());
  box.setFocus();
  box.selectAll();
}

QString NumberBoxReason(const QString& name, const QString& range) {
  return QString("「%1」には %2を入力してください。").arg(name, range);
}

QString WholeNumberRange(long long low, long long high) {
  return QString("%1～%2 の整数").arg(low).arg(high);
}

}  // namespace kartela
