#include "ui/printing/abort_form.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kartela {

TAbortForm::TAbortForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TAbortForm");
  setWindowTitle(QStringLiteral("印刷中"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* button = new QPushButton(QStringLiteral("印刷中止"), this);
  button->setObjectName("AbortBtn");
  layout->addWidget(button);
  connect(button, &QPushButton::clicked, this, &TAbortForm::Abort);
}

void TAbortForm::Start() {
  show();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr)
    move(screen->availableGeometry().center() - rect().center());
  QApplication::processEvents();
}

bool TAbortForm::Aborted() {
  QApplication::processEvents();
  return aborted_;
}

void TAbortForm::Abort() {
  aborted_ = true;
  hide();
}

// Activating the form clears the flag: every job starts unaborted.
void TAbortForm::showEvent(QShowEvent* event) {
  aborted_ = false;
  QDialog::showEvent(event);
}

}  // namespace kartela
