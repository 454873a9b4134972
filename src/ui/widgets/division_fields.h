// The factor (1, 100 %, 1,000 ‰, 10,000, 100,000) and the number of decimals
// of a division, as the calculation and the table dialogs offer them.
#pragma once

#include <QWidget>

#include "model/data_division.h"

class QComboBox;
class QSpinBox;

namespace kartela {

class DivisionFields : public QWidget {
  Q_OBJECT

 public:
  explicit DivisionFields(QWidget* parent = nullptr);

  Division Value() const;

 signals:
  void Changed();

 private:
  QComboBox* factor_;
  QSpinBox* decimals_;
};

}  // namespace kartela
