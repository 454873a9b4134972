#include "ui/drawing/legend_options_dialog.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "model/settings.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

struct OptionBox {
  std::uint8_t bit;
  const char* object_name;
  const char* label;
};

constexpr std::array<OptionBox, 4> kOptionBoxes = {{
    {kLegendMissingRow, "MissingRow", "データのない区域の行「データなし」(該当があるとき)"},
    {kLegendCounts, "ClassCounts", "区分ごとの区域数「（12）」"},
    {kLegendThousands, "Thousands", "3桁ごとの区切り「1,234,567」"},
    {kLegendBoundWords, "BoundWords", "「10以上 20未満」の形で表す（「10 ～ 20」の代わり）"},
}};

}  // namespace

TLegendOptionsDialog::TLegendOptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TLegendOptionsDialog");
  setWindowTitle("凡例の表示項目");
  auto* layout = new QVBoxLayout(this);
  for (std::size_t i = 0; i < kOptionBoxes.size(); ++i) {
    boxes_[i] = new QCheckBox(kOptionBoxes[i].label, this);
    boxes_[i]->setObjectName(kOptionBoxes[i].object_name);
    layout->addWidget(boxes_[i]);
  }
  layout->addWidget(OkCancelButtons(*this));
}

void TLegendOptionsDialog::Load(std::uint8_t options) {
  for (std::size_t i = 0; i < kOptionBoxes.size(); ++i)
    boxes_[i]->setChecked((options & kOptionBoxes[i].bit) != 0);
}

std::uint8_t TLegendOptionsDialog::Options() const {
  std::uint8_t options = 0;
  for (std::size_t i = 0; i < kOptionBoxes.size(); ++i) {
    if (boxes_[i]->isChecked()) options |= kOptionBoxes[i].bit;
  }
  return options;
}

}  // namespace kartela
