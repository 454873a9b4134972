// TDataPasteDialog: where pasted values go when the text has no title.
#pragma once

#include <QDialog>

class QPushButton;

namespace kartela {

class TDataPasteDialog : public QDialog {
  Q_OBJECT

 public:
  // The results of the dialog; Cancel is QDialog::Rejected.
  static constexpr int kTopArea = 1;    // from the first area
  static constexpr int kFocusArea = 2;  // from the area being edited

  explicit TDataPasteDialog(QWidget* parent = nullptr);

 protected:
  // Centred on the screen, the first button focused.
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const char* caption, int result);

  QPushButton* top_area_ = nullptr;
};

}  // namespace kartela
