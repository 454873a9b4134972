// TDrawPosDialog: the offset added to every map coordinate before the
// magnification.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/widgets/checked_dialog.h"

namespace kartela {

class OffsetBoxes;

class TDrawPosDialog : public CheckedDialog {
  Q_OBJECT

 public:
  explicit TDrawPosDialog(Reporter& reporter, QWidget* parent = nullptr);
  ~TDrawPosDialog() override;

  void Load(std::int16_t pos_x, std::int16_t pos_y);
  // Each position whose box converts to a 16-bit whole number (OK refuses
  // one that does not); a box that does not keeps its value.
  void StoreInto(std::int16_t& pos_x, std::int16_t& pos_y) const;

 private:
  std::unique_ptr<OffsetBoxes> boxes_;
};

}  // namespace kartela
