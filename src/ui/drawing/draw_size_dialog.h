// TDrawSizeDialog: the horizontal and vertical drawing magnification, with
// the size of the map they apply to for reference.
#pragma once

#include <QString>
#include <optional>

#include "model/area_list.h"
#include "ui/widgets/checked_dialog.h"

class QLabel;
class QLineEdit;

namespace kartela {

// A typed magnification: a real that a 48-bit real can hold, stored at its
// precision; nothing when the text does not convert. No range is imposed.
std::optional<double> MagnificationOfText(const QString& text);
// The range line of a magnification box: "-1.7E+38～1.7E+38 の数値".
QString MagnificationRange();

class TDrawSizeDialog : public CheckedDialog {
  Q_OBJECT

 public:
  explicit TDrawSizeDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Shows the magnifications and, for reference, `resolution`: the size of
  // the map drawn when `map_drawn`, else of the data's base map.
  void Load(double res_x, double res_y, bool map_drawn, MapSize resolution);
  // Each magnification whose box converts (OK refuses one that does not); a
  // box that does not keeps its value.
  void StoreInto(double& res_x, double& res_y) const;

 private:
  QLabel* last_map_;
  QLabel* last_res_;
  QLineEdit* x_res_;
  QLineEdit* y_res_;
};

}  // namespace kartela
