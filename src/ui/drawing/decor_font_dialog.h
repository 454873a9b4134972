// TDecorFontDialog: the font of the text decorations.
#pragma once

#include "ui/widgets/text_boxes.h"

namespace kartela {

class TDecorFontDialog : public FontSettingsDialog {
  Q_OBJECT

 public:
  explicit TDecorFontDialog(Reporter& reporter, QWidget* parent = nullptr);

  void Load(const Settings& settings) override;
  void StoreInto(Settings& settings) const override;
};

}  // namespace kartela
