// TItemLenDialog: how many bytes of each area name the data window shows.
#pragma once

#include <QString>

#include "ui/widgets/checked_dialog.h"

class QLineEdit;

namespace kartela {

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
