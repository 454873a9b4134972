#include "ui/widgets/sjis_validator.h"

#include "model/value_syntax.h"
#include "ui/widgets/qt_text.h"

namespace kartela {

QString FirstUnrepresentable(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, width);
    if (!SjisText(character)) return character;
    i += width - 1;
  }
  return {};
}

SjisValidator::SjisValidator(std::size_t max_bytes, bool numbers, QObject* parent)
    : QValidator(parent), max_bytes_(max_bytes), numbers_(numbers) {}

QValidator::State SjisValidator::validate(QString& input, int& /*position*/) const {
  const auto bytes = SjisText(input);
  refused_ = bytes ? QString() : FirstUnrepresentable(input);
  if (!bytes) return Invalid;
  const std::size_t size = numbers_ ? NormalizeTypedNumber(*bytes).size() : bytes->size();
  return size > max_bytes_ ? Invalid : Acceptable;
}

QString SjisValidator::RefusalMessage() const {
  if (!refused_.isEmpty()) {
    return QStringLiteral("「%1」はシフト JIS で表せない文字なので入力できません。").arg(refused_);
  }
  return QStringLiteral("この欄に入力できるのは %1 バイト（全角 %2 文字）までです。")
      .arg(max_bytes_)
      .arg(max_bytes_ / 2);
}

}  // namespace kartela
