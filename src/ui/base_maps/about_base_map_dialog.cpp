#include "ui/base_maps/about_base_map_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "base/text_encoding.h"

namespace kartela {
namespace {

QLabel* InformationLabel(const char* text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The file name on a white ground, black whatever the colour scheme.
QLabel* BaseNameLabel(QWidget* parent) {
  auto* label = InformationLabel("", parent);
  label->setObjectName("BaseName");
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TAboutBaseMapDialog::TAboutBaseMapDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TAboutBaseMapDialog");
  setWindowTitle("基本地図について");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(InformationLabel("・基本地図とは、日常的によく使う地図のことです。", this));
  layout->addWidget(InformationLabel("・現在、基本地図は、", this));
  base_name_ = BaseNameLabel(this);
  layout->addWidget(base_name_);
  layout->addWidget(InformationLabel("に指定されています。", this));
  layout->addWidget(InformationLabel("・地図ファイルは、地図名.IDT です。", this));
  layout->addWidget(
      InformationLabel("・地図ファイルは KARTELA 本体と同じ場所になくてはいけません。", this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

void TAboutBaseMapDialog::SetBaseName(const std::string& base_map_file) {
  base_name_->setText(QString::fromStdString(sjis::ToUtf8Lossy(base_map_file)));
}

}  // namespace kartela
