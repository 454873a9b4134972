#include "ui/drawing/decor_font_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "model/settings.h"

namespace kartela {

TDecorFontDialog::TDecorFontDialog(Reporter& reporter, QWidget* parent)
    : FontSettingsDialog(reporter, "TDecorFontDialog", "修飾フォント", parent) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  AddFontBoxes(*form);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

void TDecorFontDialog::Load(const Settings& settings) {
  font().Load(settings.FancyFont);
}

void TDecorFontDialog::StoreInto(Settings& settings) const {
  font().StoreInto(settings.FancyFont);
}

}  // namespace kartela
