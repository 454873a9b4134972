#include "ui/drawing/draw_pos_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {

TDrawPosDialog::TDrawPosDialog(Reporter& reporter, QWidget* parent)
    : CheckedDialog(reporter, parent) {
  setObjectName("TDrawPosDialog");
  setWindowTitle("描画位置の指定");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("地図を描く位置を指定してください。", this));
  auto* form = new QFormLayout;
  boxes_ = std::make_unique<OffsetBoxes>(*this, *form, "Ｘ座標", "Ｙ座標");
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

TDrawPosDialog::~TDrawPosDialog() = default;

void TDrawPosDialog::Load(std::int16_t pos_x, std::int16_t pos_y) {
  boxes_->Load(pos_x, pos_y);
  boxes_->FocusX();
}

void TDrawPosDialog::StoreInto(std::int16_t& pos_x, std::int16_t& pos_y) const {
  boxes_->StoreInto(pos_x, pos_y);
}

}  // namespace kartela
