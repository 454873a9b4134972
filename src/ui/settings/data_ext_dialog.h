// TDataExtDialog: the default extension of data files.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace kartela {

class TDataExtDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDataExtDialog(QWidget* parent = nullptr);

  // Shows `ext` as the current extension and as the text of the new one.
  void Load(const QString& ext);
  // The text of the box for the new extension.
  QString NewExtText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* cur_ext_;
  QLineEdit* new_ext_;
};

}  // namespace kartela
