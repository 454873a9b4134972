#include "ui/map/dec_input_dialog.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

#include "model/decorations.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/sjis_validator.h"

namespace kartela {
namespace {

constexpr int kOkSide = 24;

}  // namespace

InputBarLayout LayOutInputBar(const QRect& panel, int char_w, int edit_height) {
  const int wp = panel.width();
  const int height = std::max(panel.height() - 4, kOkSide);
  int width = 30 * char_w;
  int edit_width = width - kOkSide - 3 * char_w;
  if (wp - 6 < width) {
    width = wp - 6;
    edit_width = width - 30;
  }
  InputBarLayout layout;
  layout.bar = QRect(panel.left() + wp - width - 2, panel.top() + (panel.height() - height) / 2,
                     width, height);
  layout.edit = QRect(char_w, (height - edit_height) / 2, std::max(edit_width, 1), edit_height);
  layout.ok = QRect(2 * char_w + edit_width, (height - kOkSide) / 2, kOkSide, kOkSide);
  return layout;
}

TDecInputDialog::TDecInputDialog(const TextMetrics& metrics, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), char_w_(metrics.CharW) {
  setObjectName("TDecInputDialog");
  setModal(true);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("Edit1");
  // Japanese is typed through the input method: its commit strings reach
  // the box like typed keys and are checked by the validator.
  edit_->setAttribute(Qt::WA_InputMethodEnabled);
  edit_->setInputMethodHints(Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText);
  // Short enough to show whole in the box; the tip says the rest.
  edit_->setPlaceholderText(QStringLiteral("修飾の文字（Enter）"));
  edit_->setToolTip(QStringLiteral("地図に書く文字。Enter で確定、Esc で取り消します。"));
  validator_ = new SjisValidator(kMaxDecorationTextBytes, false, edit_);
  edit_->setValidator(validator_);
  connect(edit_, &QLineEdit::inputRejected, this, &TDecInputDialog::Refuse);
  ok_ = new QPushButton(this);
  ok_->setObjectName("OKBtn");
  ok_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  ok_->setToolTip(QStringLiteral("OK"));
  ok_->setDefault(true);  // Enter; Escape cancels, as in every dialog
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void TDecInputDialog::PlaceOver(const QRect& panel) {
  const InputBarLayout layout = LayOutInputBar(panel, char_w_, edit_->sizeHint().height());
  setFixedSize(layout.bar.size());
  move(layout.bar.topLeft());
  edit_->setGeometry(layout.edit);
  ok_->setGeometry(layout.ok);
}

void TDecInputDialog::PlaceNear(const QRect& panel, QPoint point) {
  PlaceOver(panel);
  // Below the text mark drawn at the point (26 pixels down).
  constexpr int kBelowMark = 30;
  QRect bar(point + QPoint(0, kBelowMark), size());
  const QScreen* screen = QGuiApplication::screenAt(point);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    if (bar.bottom() > screen->availableGeometry().bottom())
      bar.moveBottom(point.y() - kBelowMark / 3);
    bar = FittedOn(bar, *screen);
  }
  move(bar.topLeft());
}

std::string TDecInputDialog::Text() const {
  return SjisText(edit_->text()).value_or(std::string());
}

void TDecInputDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit_->setFocus();
}

void TDecInputDialog::Refuse() {
  const QString message = validator_->RefusalMessage();
  emit InputRefused(message);
  if (edit_->isVisible())
    QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), message, edit_);
}

}  // namespace kartela
