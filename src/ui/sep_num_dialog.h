// TSepNumDialog: how many classes the paint map proposes.
#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

namespace kartela {

class TSepNumDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TSepNumDialog(QWidget* parent = nullptr);

  void Load(int class_count);
  // The typed count when it is a whole number from 2 to 8.
  std::optional<int> ClassCount() const;

 private:
  QLineEdit* num_;
};

}  // namespace kartela
