#include "ui/pictures/copy_sel_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/pictures/meta_help_dialog.h"
#include "ui/widgets/choice_buttons.h"

namespace kartela {

TCopySelDialog::TCopySelDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TCopySelDialog");
  setWindowTitle("コピー方法");
  // The two choices: buttons in one column, what each copies beside it.
  auto* choices = new QHBoxLayout;
  auto* buttons = new QVBoxLayout;
  auto* labels = new QVBoxLayout;
  QPushButton* picture = AddResultButton(*this, *buttons, "OKBtn", "画像", QDialog::Accepted);
  picture->setDefault(true);
  AddResultButton(*this, *buttons, "BitBtn1", "文字", kResultYes);
  labels->addWidget(new QLabel("地図画像のみコピー", this));
  labels->addWidget(new QLabel("タイトルとインデックスをコピー", this));
  choices->addLayout(buttons);
  choices->addLayout(labels);
  auto* form = new QVBoxLayout(this);
  form->addLayout(choices);
  auto* others = new QHBoxLayout;
  AddResultButton(*this, *others, "CancelBtn", "キャンセル", QDialog::Rejected);
  auto* help = new QPushButton("ヘルプ", this);
  help->setObjectName("HelpBtn");
  help->setAutoDefault(false);
  connect(help, &QPushButton::clicked, this, [this] { TMetaHelpDialog(this).exec(); });
  others->addWidget(help);
  form->addLayout(others);
  picture->setFocus();
}

}  // namespace kartela
