#include "ui/main_window/qt_reporter.h"

#include <QMessageBox>

#include "ui/main_window/delay_dialog.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kStop:
      return QMessageBox::Critical;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kWarning:
      break;
  }
  return QMessageBox::Warning;
}

}  // namespace

// A notice dialog without an owner is this reporter's to delete.
QtReporter::~QtReporter() {
  if (delay_dialog_ != nullptr && delay_dialog_->parent() == nullptr) delete delay_dialog_;
}

void QtReporter::SetOwner(QWidget* owner) {
  owner_ = owner;
  delete delay_dialog_;
  delay_dialog_ = new TDelayDialog(owner);
}

void QtReporter::Show(const CatalogueMessage& message) {
  QMessageBox box(IconOf(message.icon), Utf8Text(message.title), Utf8Text(message.text),
                  QMessageBox::Ok, owner_);
  box.exec();
}

bool QtReporter::AskOkCancel(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::Question, Utf8Text(title), Utf8Text(text),
                  QMessageBox::Ok | QMessageBox::Cancel, owner_);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

Answer QtReporter::AskYesNoCancel(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::Question, Utf8Text(title), Utf8Text(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner_);
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

void QtReporter::ShowNotice(std::string_view text) {
  if (delay_dialog_ == nullptr) SetOwner(owner_);
  delay_dialog_->setWindowTitle(Utf8Text(kNoticeCaption));
  delay_dialog_->SetComment(Utf8Text(text));
  delay_dialog_->exec();
}

}  // namespace kartela
