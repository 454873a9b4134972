#include "ui/pictures/selx_mf_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/widgets/choice_buttons.h"

namespace kartela {

TSelxMFDialog::TSelxMFDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TSelxMFDialog");
  setWindowTitle("メタファイル形式");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("保存するメタファイルの形式は？", this));
  auto* emf = new QHBoxLayout;
  AddResultButton(*this, *emf, "SelEMFBtn", "ＥＭＦ", Accepted)->setDefault(true);
  emf->addWidget(new QLabel("拡張メタファイル形式", this));
  auto* wmf = new QHBoxLayout;
  AddResultButton(*this, *wmf, "SelWMFBtn", "ＷＭＦ", kResultYes);
  wmf->addWidget(new QLabel("標準メタファイル形式", this));
  auto* cancel = new QHBoxLayout;
  AddResultButton(*this, *cancel, "CancelBtn", "ｷｬﾝｾﾙ", Rejected);
  layout->addLayout(emf);
  layout->addLayout(wmf);
  layout->addLayout(cancel);
}

// Centred on the screen.
void TSelxMFDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace kartela
