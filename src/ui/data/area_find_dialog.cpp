#include "ui/data/area_find_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <optional>

#include "base/text_encoding.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr const char* kUnrepresentable =
    "区域名にシフト JIS で表せない文字があるため、検索できません。";
constexpr const char* kTooLong = "区域名は 21 バイト（全角 10 文字）までで指定してください。";

}  // namespace

TAreaFindDialog::TAreaFindDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {
  setObjectName("TAreaFindDialog");
  setWindowTitle("区域名検索");
  search_name_ = new QLineEdit(this);
  search_name_->setObjectName("SearchName");
  search_name_->setMaxLength(static_cast<int>(kMaxSearchBytes));
  auto* name_label = new QLabel("区域名：", this);
  name_label->setBuddy(search_name_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("原則：先頭一致で検索します。", this), 0, 0, 1, 2);
  layout->addWidget(new QLabel("\u3000\u3000「*区域名」という指定も可能です。", this), 1, 0, 1, 2);
  layout->addWidget(name_label, 2, 0);
  layout->addWidget(search_name_, 2, 1);
  layout->addWidget(OkCancelButtons(*this), 3, 0, 1, 2);
}

void TAreaFindDialog::SetSearchText(const std::string& text) {
  search_name_->setText(QString::fromStdString(sjis::ToUtf8Lossy(text)));
}

void TAreaFindDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  search_name_->setFocus();
  search_name_->selectAll();
}

void TAreaFindDialog::done(int result) {
  if (result == Accepted && !TakeSearchText()) {
    search_name_->setFocus();
    return;
  }
  QDialog::done(result);
}

bool TAreaFindDialog::TakeSearchText() {
  const std::optional<std::string> text = sjis::FromUtf8(search_name_->text().toStdString());
  const char* refusal = !text                            ? kUnrepresentable
                        : text->size() > kMaxSearchBytes ? kTooLong
                                                         : nullptr;
  if (refusal != nullptr) {
    ShowWarning(reporter_, refusal);
    return false;
  }
  search_text_ = *text;
  return true;
}

}  // namespace kartela
