// TItemLenDialog: how many bytes of each area name the data window shows.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace kartela {

class TItemLenDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TItemLenDialog(QWidget* parent = nullptr);

  void Load(int length);
  // The text of the length box.
  QString LengthText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* i_len_;
};

}  // namespace kartela
