#include "ui/drawing/border_style_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "render/drawing_resources.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

// A button's id in its group is what it adds to the setting.
struct BorderButton {
  const char* name;
  const char* caption;
  int value;
};

// The unit of each field: the value its first non-zero choice adds.
constexpr int kNormalUnit = 1;
constexpr int kSecondUnit = 4;
constexpr int kAuxiliaryUnit = 16;

QButtonGroup* AddGroup(QDialog& dialog, QVBoxLayout& layout, const char* title,
                       std::initializer_list<BorderButton> buttons) {
  auto* box = new QGroupBox(title, &dialog);
  auto* row = new QHBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (const BorderButton& button : buttons) {
    auto* radio = new QRadioButton(button.caption, box);
    radio->setObjectName(button.name);
    group->addButton(radio, button.value);
    row->addWidget(radio);
  }
  layout.addWidget(box);
  return group;
}

void CheckValue(QButtonGroup& group, int value) {
  if (QAbstractButton* button = group.button(value)) button->setChecked(true);
}

int CheckedValue(const QButtonGroup& group) {
  return std::max(0, group.checkedId());
}

}  // namespace

TBorderStyleDialog::TBorderStyleDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TBorderStyleDialog");
  setWindowTitle("境界線の設定");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("境界線の種類を設定します。", this));
  normal_ = AddGroup(*this, *layout, "通常の境界線：",
                     {{"RadioButton1", "細線", 0},
                      {"RadioButton2", "太線", kNormalUnit},
                      {"RadioButton3", "点線", 2 * kNormalUnit}});
  second_ = AddGroup(*this, *layout, "第２境界線：",
                     {{"RadioButton4", "なし", 0},
                      {"RadioButton5", "太線", kSecondUnit},
                      {"RadioButton6", "点線", 2 * kSecondUnit}});
  auxiliary_ = AddGroup(*this, *layout, "補助線：",
                        {{"RadioButton7", "なし", 0},
                         {"RadioButton8", "細線", kAuxiliaryUnit},
                         {"RadioButton9", "太線", 2 * kAuxiliaryUnit},
                         {"RadioButtonA", "点線", 3 * kAuxiliaryUnit}});
  layout->addWidget(new QLabel("注） 第２境界線・補助線は、対応したIDTﾌｧｲﾙを必要とします。", this));
  layout->addWidget(OkCancelButtons(*this));
}

void TBorderStyleDialog::Load(std::int16_t border_style) {
  CheckValue(*normal_, static_cast<int>(NormalBorderOf(border_style)) * kNormalUnit);
  CheckValue(*second_, static_cast<int>(SecondBorderOf(border_style)) * kSecondUnit);
  CheckValue(*auxiliary_, static_cast<int>(AuxiliaryLineOf(border_style)) * kAuxiliaryUnit);
  if (QAbstractButton* checked = normal_->checkedButton()) checked->setFocus();
}

std::int16_t TBorderStyleDialog::BorderStyle() const {
  return static_cast<std::int16_t>(CheckedValue(*normal_) + CheckedValue(*second_) +
                                   CheckedValue(*auxiliary_));
}

}  // namespace kartela
