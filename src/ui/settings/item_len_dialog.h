// TItemLenDialog: how many bytes of each area name the data window shows.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "ui/widgets/checked_dialog.h"

class QLineEdit;

namespace kartela {

// ParseItemLength on the text of the length box, where full-width digits
// count as digits.
std::optional<std::int16_t> ItemLengthOfText(const QString& typed);

// OK refuses a length that is not a whole number from 2 to 36.
class TItemLenDialog : public CheckedDialog {
  Q_OBJECT

 public:
  explicit TItemLenDialog(Reporter& reporter, QWidget* parent = nullptr);

  void Load(int length);
  // The text of the length box.
  QString LengthText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* i_len_;
};

}  // namespace kartela
