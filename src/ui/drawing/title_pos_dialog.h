// TTitlePosDialog: where the title is drawn (its centre's offset from the
// middle of the map, and its top) and the title's font.
#pragma once

#include <memory>

#include "ui/widgets/text_boxes.h"

namespace kartela {

class TTitlePosDialog : public FontSettingsDialog {
  Q_OBJECT

 public:
  explicit TTitlePosDialog(Reporter& reporter, QWidget* parent = nullptr);

  // The title offsets and font.
  void Load(const Settings& settings) override;
  void StoreInto(Settings& settings) const override;

 private:
  std::unique_ptr<OffsetBoxes> offsets_;
};

}  // namespace kartela
