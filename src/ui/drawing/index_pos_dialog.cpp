#include "ui/drawing/index_pos_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/settings.h"
#include "render/legend.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

// LegendStyle: 1 ascending, 2 descending, 3 hidden, plus this for adjusted
// ranges.
constexpr std::int16_t kAscending = 1;
constexpr std::int16_t kDescending = 2;
constexpr std::int16_t kHidden = 3;
constexpr std::int16_t kAdjustedRanges = 4;

QRadioButton* StyleButton(QWidget& parent, QButtonGroup& group, const char* name,
                          const char* caption) {
  auto* button = new QRadioButton(caption, &parent);
  button->setObjectName(name);
  group.addButton(button);
  return button;
}

}  // namespace

TIndexPosDialog::TIndexPosDialog(Reporter& reporter, QWidget* parent)
    : FontSettingsDialog(reporter, "TIndexPosDialog", "インデックスの設定・フォント", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("インデックス位置調整：", this));
  layout->addWidget(new QLabel("右(下)に何ドット分動かすか指定してください。", this));
  layout->addWidget(new QLabel("マイナスで指定すると、左(上)に移動します。", this));
  auto* offset_form = new QFormLayout;
  offsets_ = std::make_unique<OffsetBoxes>(*this, *offset_form, "Ｘ方向移動量：", "Ｙ方向移動量：");
  layout->addLayout(offset_form);
  BuildStyleButtons(*layout);
  auto* font_form = new QFormLayout;
  AddFontBoxes(*font_form);
  layout->addLayout(font_form);
  layout->addWidget(OkCancelButtons(*this));
}

// Two rows under the label: the order (or none), then the range style.
void TIndexPosDialog::BuildStyleButtons(QVBoxLayout& layout) {
  layout.addWidget(new QLabel("インデックス表示：", this));
  auto* order_group = new QButtonGroup(this);
  ascending_ = StyleButton(*this, *order_group, "RadioButton1", "小さい順");
  descending_ = StyleButton(*this, *order_group, "RadioButton2", "大きい順");
  hidden_ = StyleButton(*this, *order_group, "RadioButton3", "非表示");
  auto* range_group = new QButtonGroup(this);
  plain_ = StyleButton(*this, *range_group, "RadioButton4", "1.0～2.0");
  adjusted_ = StyleButton(*this, *range_group, "RadioButton5", "1.0～1.9");
  auto* order_row = new QHBoxLayout;
  for (QRadioButton* button : {ascending_, descending_, hidden_})
    order_row->addWidget(button);
  auto* range_row = new QHBoxLayout;
  for (QRadioButton* button : {plain_, adjusted_})
    range_row->addWidget(button);
  range_row->addStretch();
  layout.addLayout(order_row);
  layout.addLayout(range_row);
}

// Any style that draws no legend (mod 4 neither 1 nor 2) shows as hidden.
void TIndexPosDialog::Load(const Settings& settings) {
  offsets_->Load(settings.LegendOffsetX, settings.LegendOffsetY);
  const std::int16_t style = settings.LegendStyle;
  QRadioButton* order = !LegendShown(style)       ? hidden_
                        : LegendDescending(style) ? descending_
                                                  : ascending_;
  order->setChecked(true);
  (LegendAdjusted(style) ? adjusted_ : plain_)->setChecked(true);
  font().Load(settings.IndexFont);
}

std::int16_t TIndexPosDialog::CheckedStyle() const {
  const std::int16_t order = ascending_->isChecked()    ? kAscending
                             : descending_->isChecked() ? kDescending
                                                        : kHidden;
  return static_cast<std::int16_t>(order + (adjusted_->isChecked() ? kAdjustedRanges : 0));
}

void TIndexPosDialog::StoreInto(Settings& settings) const {
  offsets_->StoreInto(settings.LegendOffsetX, settings.LegendOffsetY);
  settings.LegendStyle = CheckedStyle();
  font().StoreInto(settings.IndexFont);
}

}  // namespace kartela
