#include "ui/pictures/meta_help_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kartela {

TMetaHelpDialog::TMetaHelpDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TMetaHelpDialog");
  setWindowTitle("メタファイル");
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(
      "一部のソフトでは、メタファイルに文字が\n"
      "含まれているとトラブルに見舞われます。\n"
      "このため、文字を除いた絵の部分のみを保\n"
      "存できるようにもなっています。\n"
      "（注意）いったん保存したものから文字を除\n"
      "く機能はありません。",
      this);
  text->setTextFormat(Qt::PlainText);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace kartela
