// TBorderStyleDialog: how the normal border, the second border and the
// auxiliary lines are drawn.
#pragma once

#include <QDialog>
#include <cstdint>

class QButtonGroup;

namespace kartela {

class TBorderStyleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TBorderStyleDialog(QWidget* parent = nullptr);

  // Checks the buttons of the three fields of `border_style`.
  void Load(std::int16_t border_style);
  // The setting of the checked buttons: the sum of their field values.
  std::int16_t BorderStyle() const;

 private:
  QButtonGroup* normal_;
  QButtonGroup* second_;
  QButtonGroup* auxiliary_;
};

}  // namespace kartela
