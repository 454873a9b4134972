// TIndexPosDialog: the legend (index) shift, its order and range style, and
// its font.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/widgets/text_boxes.h"

class QRadioButton;
class QVBoxLayout;

namespace kartela {

class TIndexPosDialog : public FontSettingsDialog {
  Q_OBJECT

 public:
  explicit TIndexPosDialog(Reporter& reporter, QWidget* parent = nullptr);

  // The legend offsets, style and font.
  void Load(const Settings& settings) override;
  void StoreInto(Settings& settings) const override;

 private:
  void BuildStyleButtons(QVBoxLayout& layout);
  // 1, 2 or 3 by the order button, plus 4 for adjusted ranges.
  std::int16_t CheckedStyle() const;

  std::unique_ptr<OffsetBoxes> offsets_;
  QRadioButton* ascending_ = nullptr;   // RadioButton1
  QRadioButton* descending_ = nullptr;  // RadioButton2
  QRadioButton* hidden_ = nullptr;      // RadioButton3
  QRadioButton* plain_ = nullptr;       // RadioButton4
  QRadioButton* adjusted_ = nullptr;    // RadioButton5
};

}  // namespace kartela
