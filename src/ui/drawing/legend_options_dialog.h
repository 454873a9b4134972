// TLegendOptionsDialog: what a paint map's legend adds to its value ranges:
// the row for areas without a value, the number of areas of each class,
// digits grouped by thousands, and "以上／未満" words instead of "～".
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QCheckBox;

namespace kartela {

class TLegendOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TLegendOptionsDialog(QWidget* parent = nullptr);

  // Checks the box of each kLegend... bit set in `options`.
  void Load(std::uint8_t options);
  // The bits of the checked boxes.
  std::uint8_t Options() const;

 private:
  std::array<QCheckBox*, 4> boxes_{};
};

}  // namespace kartela
