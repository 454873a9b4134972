// Keeps a text box within a Shift-JIS byte limit and refuses characters
// Shift-JIS cannot hold, so that what the box shows is what the model stores.
#pragma once

#include <QString>
#include <QValidator>
#include <cstddef>

namespace kartela {

// The first character of `text` that Shift-JIS cannot hold; empty when all can.
QString FirstUnrepresentable(const QString& text);

// Preedit text of an input method is not validated; its commit string is,
// so a commit that would not fit is refused whole (QLineEdit::inputRejected).
class SjisValidator : public QValidator {
 public:
  // With `numbers`, a text counts in the form a typed number is committed in.
  SjisValidator(std::size_t max_bytes, bool numbers, QObject* parent);

  State validate(QString& input, int& position) const override;

  std::size_t max_bytes() const { return max_bytes_; }
  // The character that made the last check fail; empty when it was the length.
  const QString& refused() const { return refused_; }
  // Why the last refused input was refused, for the user.
  QString RefusalMessage() const;

 private:
  std::size_t max_bytes_;
  bool numbers_;
  mutable QString refused_;
};

}  // namespace kartela
