// TLegendOptionsDialog: what a map's legend adds to its value ranges (the
// row for areas without a value, the number of areas of each class, digits
// grouped by thousands, "以上／未満" words instead of "～"), the heading line
// above the legend, and the source line at the foot of the drawing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/widgets/checked_dialog.h"

class QCheckBox;
class QLineEdit;

namespace kartela {

// What the dialog edits; texts in Shift-JIS.
struct LegendItems {
  std::uint8_t options = 0;
  std::string heading;
  std::string source;
  bool source_right = false;
  bool operator==(const LegendItems&) const = default;
};

class TLegendOptionsDialog : public CheckedDialog {
  Q_OBJECT

 public:
  TLegendOptionsDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Checks the box of each kLegend... bit and shows the texts.
  void Load(const LegendItems& items);
  // What the boxes say; OK has checked that the texts convert.
  LegendItems Items() const;

 private:
  std::array<QCheckBox*, 4> boxes_{};
  QLineEdit* heading_ = nullptr;
  QLineEdit* source_ = nullptr;
  QCheckBox* source_right_ = nullptr;
};

}  // namespace kartela
