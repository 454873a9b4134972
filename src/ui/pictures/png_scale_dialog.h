// TPngScaleDialog: the magnification of a saved PNG (1, 2 or 4 times the
// map's size on screen).
#pragma once

#include <QDialog>
#include <array>

class QRadioButton;

namespace kartela {

class TPngScaleDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::array<int, 3> kScales = {1, 2, 4};

  explicit TPngScaleDialog(QWidget* parent = nullptr);

  void SetScale(int scale);
  int Scale() const;

 private:
  std::array<QRadioButton*, kScales.size()> buttons_{};
};

}  // namespace kartela
