#include "ui/drawing/title_pos_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "model/settings.h"

namespace kartela {

TTitlePosDialog::TTitlePosDialog(Reporter& reporter, QWidget* parent)
    : FontSettingsDialog(reporter, "TTitlePosDialog", "タイトルの位置・フォント", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("タイトルを描く位置を指定してください。", this));
  layout->addWidget(new QLabel("（Ｘ座標は中央位置からの偏位を指定）", this));
  auto* form = new QFormLayout;
  offsets_ = std::make_unique<OffsetBoxes>(*this, *form, "Ｘ座標：", "Ｙ座標：");
  AddFontBoxes(*form);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

void TTitlePosDialog::Load(const Settings& settings) {
  offsets_->Load(settings.TitleOffsetX, settings.TitleOffsetY);
  font().Load(settings.TitleFont);
}

void TTitlePosDialog::StoreInto(Settings& settings) const {
  offsets_->StoreInto(settings.TitleOffsetX, settings.TitleOffsetY);
  font().StoreInto(settings.TitleFont);
}

}  // namespace kartela
