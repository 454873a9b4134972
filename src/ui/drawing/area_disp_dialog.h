// TAreaDispDialog: how the area names are written (which areas, on what
// background, abbreviated or not, in which order) and their font.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/widgets/text_boxes.h"

class QRadioButton;

namespace kartela {

class TAreaDispDialog : public FontSettingsDialog {
  Q_OBJECT

 public:
  explicit TAreaDispDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Checks in each group the button of AreaNameFlags; AreaNameFlags comes
  // back rebuilt from 0 as the sum of the checked buttons' values. And the
  // area-name font.
  void Load(const Settings& settings) override;
  void StoreInto(Settings& settings) const override;

 private:
  struct FlagButton {
    QRadioButton* button;
    std::int16_t value;
  };
  // The buttons of one group; the group's value is the flags under `mask`.
  struct FlagGroup {
    std::int16_t mask;
    std::vector<FlagButton> buttons;
  };

  std::int16_t CheckedFlags() const;

  std::vector<FlagGroup> groups_;
};

}  // namespace kartela
