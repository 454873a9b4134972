// TLineColChangeDialog: how boundary lines are treated when the map is saved
// or copied (the setting ColorChange, 1 to 4).
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QRadioButton;

namespace kartela {

class TLineColChangeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TLineColChangeDialog(QWidget* parent = nullptr);

  // Checks the button of `color_change` (1 when out of range).
  void SetChoice(std::int16_t color_change);
  // The choice of the checked button.
  std::int16_t Choice() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::array<QRadioButton*, 4> buttons_{};
  std::int16_t choice_ = 1;
  QWidget* ok_ = nullptr;
};

}  // namespace kartela
