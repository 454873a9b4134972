// TSepNumDialog: how many classes the paint map proposes.
#pragma once

#include <optional>

#include "ui/widgets/checked_dialog.h"

class QLineEdit;

namespace kartela {

// OK refuses a count that is not a whole number from 2 to 8.
class TSepNumDialog : public CheckedDialog {
  Q_OBJECT

 public:
  explicit TSepNumDialog(Reporter& reporter, QWidget* parent = nullptr);

  void Load(int class_count);
  // The typed count when it is a whole number from 2 to 8.
  std::optional<int> ClassCount() const;

 private:
  QLineEdit* num_;
};

}  // namespace kartela
