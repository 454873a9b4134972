#include "ui/main_window/delay_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace kartela {
namespace {

constexpr int kNoticeMilliseconds = 1000;

QLabel* StarLabel(QWidget* parent) {
  auto* star = new QLabel(QStringLiteral("★"), parent);
  star->setAlignment(Qt::AlignCenter);
  star->setAutoFillBackground(true);
  QPalette palette = star->palette();
  palette.setColor(QPalette::Window, Qt::cyan);  // aqua
  star->setPalette(palette);
  star->setMinimumSize(32, 32);
  return star;
}

}  // namespace

TDelayDialog::TDelayDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Delay"));
  comment_ = new QLabel(this);
  comment_->setObjectName(QStringLiteral("Comment"));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(StarLabel(this));
  layout->addWidget(comment_, 1);
  setMinimumWidth(240);

  timer1_.setSingleShot(true);
  timer1_.setInterval(kNoticeMilliseconds);
  connect(&timer1_, &QTimer::timeout, this, &QDialog::accept);
}

void TDelayDialog::SetComment(const QString& text) {
  comment_->setText(text);
}

QString TDelayDialog::Comment() const {
  return comment_->text();
}

void TDelayDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen();
  timer1_.start();
}

void TDelayDialog::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

}  // namespace kartela
