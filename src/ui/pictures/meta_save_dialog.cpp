#include "ui/pictures/meta_save_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/pictures/meta_help_dialog.h"
#include "ui/widgets/choice_buttons.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {

TMetaSaveDialog::TMetaSaveDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TMetaSaveDialog");
  setWindowTitle("メタファイル保存オプション");
  auto* layout = new QGridLayout(this);
  auto* all = new QHBoxLayout;
  auto* picture = new QHBoxLayout;
  auto* others = new QHBoxLayout;
  AddResultButton(*this, *all, "OKBtn", "全　部", kResultAll)->setDefault(true);
  all->addWidget(new QLabel("通常の保存", this));
  AddResultButton(*this, *picture, "BitBtn1", "画像のみ", kResultYes);
  picture->addWidget(new QLabel("文字を除いた保存", this));
  AddResultButton(*this, *others, "CancelBtn", "キャンセル", Rejected);
  QPushButton* help = AddResultButton(*this, *others, "HelpBtn", "ヘルプ", Rejected);
  disconnect(help, nullptr, this, nullptr);
  connect(help, &QPushButton::clicked, this, [this] { TMetaHelpDialog(this).exec(); });
  layout->addLayout(all, 0, 0);
  layout->addLayout(picture, 1, 0);
  layout->addLayout(others, 2, 0);
  KeepCaptionWhole(*this);
}

}  // namespace kartela
