#include "ui/drawing/area_disp_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <span>

#include "model/settings.h"
#include "render/legend.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

struct ButtonText {
  const char* name;
  const char* caption;
  std::int16_t value;
};

struct GroupText {
  const char* title;
  std::int16_t mask;
  std::span<const ButtonText> buttons;
  const char* note;  // nullptr: none
};

constexpr ButtonText kWriteButtons[] = {{"WriteSW1", "記入しない", 0},
                                        {"WriteSW2", "記入する", kNamesShown},
                                        {"WriteSW3", "飛び地にも記入する", kNamesAtEveryAnchor}};
constexpr ButtonText kBackButtons[] = {{"BackSW1", "白地の背景", 0},
                                       {"BackSW2", "背景を透過する", kNamesTransparent}};
constexpr ButtonText kPrefButtons[] = {{"PrefSW1", "省略しない", 0},
                                       {"PrefSW2", "省略する", kNamesAbbreviated}};
constexpr ButtonText kOrderButtons[] = {{"OrderSW1", "最初から", 0},
                                        {"OrderSW2", "最後から", kNamesBackwards}};
constexpr ButtonText kAreaButtons[] = {{"AreaSW1", "全区域", 0},
                                       {"AreaSW2", "データがある所のみ", kNamesOnlyWithData}};
constexpr ButtonText kApartButtons[] = {{"ApartSW1", "すべて記入する", 0},
                                        {"ApartSW2", "重なる区域名は省く", kNamesApart}};

const GroupText kGroups[] = {
    {"区域名の記入", kNamesAtEveryAnchor, kWriteButtons, nullptr},
    {"記入時の背景", kNamesTransparent, kBackButtons, nullptr},
    {"県･市･町･村", kNamesAbbreviated, kPrefButtons, nullptr},
    {"記入時の順番", kNamesBackwards, kOrderButtons, nullptr},
    {"記入する区域", kNamesOnlyWithData, kAreaButtons,
     "(ﾃﾞｰﾀｳｨﾝﾄﾞｳと地図ｳｨﾝﾄﾞｳが同地域の時に有効)"},
    {"区域名の重なり", kNamesApart, kApartButtons,
     "(大きい区域から記入し、透過時は濃い色の上を白抜き)"},
};

// Two groups a row.
constexpr int kGroupColumns = 2;

}  // namespace

TAreaDispDialog::TAreaDispDialog(Reporter& reporter, QWidget* parent)
    : FontSettingsDialog(reporter, "TAreaDispDialog", "区域名記入の設定", parent) {
  auto* grid = new QGridLayout;
  int index = 0;
  for (const GroupText& text : kGroups) {
    auto* box = new QGroupBox(text.title, this);
    auto* column = new QVBoxLayout(box);
    FlagGroup group{text.mask, {}};
    for (const ButtonText& button_text : text.buttons) {
      auto* button = new QRadioButton(button_text.caption, box);
      button->setObjectName(button_text.name);
      column->addWidget(button);
      group.buttons.push_back({button, button_text.value});
    }
    if (text.note != nullptr) column->addWidget(new QLabel(text.note, box));
    groups_.push_back(std::move(group));
    grid->addWidget(box, index / kGroupColumns, index % kGroupColumns);
    ++index;
  }
  auto* font_form = new QFormLayout;
  AddFontBoxes(*font_form);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(font_form);
  layout->addWidget(OkCancelButtons(*this));
}

// A group whose bits match none of its buttons (bits 0-1 equal to 2, which
// writes no names) shows its first button.
void TAreaDispDialog::Load(const Settings& settings) {
  const std::int16_t flags = settings.AreaNameFlags;
  for (const FlagGroup& group : groups_) {
    QRadioButton* checked = group.buttons.front().button;
    for (const FlagButton& entry : group.buttons) {
      if (entry.value == (flags & group.mask)) checked = entry.button;
    }
    checked->setChecked(true);
  }
  font().Load(settings.AreaFont);
}

std::int16_t TAreaDispDialog::CheckedFlags() const {
  std::int16_t flags = 0;
  for (const FlagGroup& group : groups_) {
    for (const FlagButton& entry : group.buttons) {
      if (entry.button->isChecked()) flags = static_cast<std::int16_t>(flags + entry.value);
    }
  }
  return flags;
}

void TAreaDispDialog::StoreInto(Settings& settings) const {
  settings.AreaNameFlags = CheckedFlags();
  font().StoreInto(settings.AreaFont);
}

}  // namespace kartela
