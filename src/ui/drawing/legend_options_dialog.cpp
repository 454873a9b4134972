#include "ui/drawing/legend_options_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/settings.h"
#include "model/settings_file.h"
#include "ui/widgets/qt_text.h"
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

constexpr const char* kHeadingLabel = "凡例見出し：";
constexpr const char* kSourceLabel = "出典：";

// A line the settings file and the drawing hold as typed: Shift-JIS, within
// its length, without ";", a line break or blanks at its ends.
bool StorableLine(const QString& text) {
  const auto sjis = SjisText(text);
  return sjis && sjis->size() <= kMaxFurnitureTextBytes &&
         UnstorableSettingCharacter(*sjis, SettingText::kDataDir) == 0;
}

QLineEdit* TextBox(QWidget* parent, const char* object_name, const char* placeholder) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(object_name);
  box->setPlaceholderText(placeholder);
  return box;
}

}  // namespace

TLegendOptionsDialog::TLegendOptionsDialog(Reporter& reporter, QWidget* parent)
    : CheckedDialog(reporter, parent) {
  setObjectName("TLegendOptionsDialog");
  setWindowTitle("凡例の表示項目");
  auto* layout = new QVBoxLayout(this);
  for (std::size_t i = 0; i < kOptionBoxes.size(); ++i) {
    boxes_[i] = new QCheckBox(kOptionBoxes[i].label, this);
    boxes_[i]->setObjectName(kOptionBoxes[i].object_name);
    layout->addWidget(boxes_[i]);
  }
  auto* form = new QFormLayout;
  heading_ = TextBox(this, "LegendHeading", "例：単位：人");
  source_ = TextBox(this, "SourceText", "例：出典：総務省「国勢調査」");
  form->addRow(kHeadingLabel, heading_);
  form->addRow(kSourceLabel, source_);
  layout->addLayout(form);
  source_right_ = new QCheckBox("出典を右下に書く", this);
  source_right_->setObjectName("SourceRight");
  layout->addWidget(source_right_);
  const QString range =
      QString("%1 バイトまでの文字（「;」と改行を除く）").arg(kMaxFurnitureTextBytes);
  CheckNumberBox(*heading_, kHeadingLabel, range, StorableLine);
  CheckNumberBox(*source_, kSourceLabel, range, StorableLine);
  layout->addWidget(OkCancelButtons(*this));
}

void TLegendOptionsDialog::Load(const LegendItems& items) {
  for (std::size_t i = 0; i < kOptionBoxes.size(); ++i)
    boxes_[i]->setChecked((items.options & kOptionBoxes[i].bit) != 0);
  heading_->setText(ShownText(items.heading));
  source_->setText(ShownText(items.source));
  source_right_->setChecked(items.source_right);
}

LegendItems TLegendOptionsDialog::Items() const {
  LegendItems items;
  for (std::size_t i = 0; i < kOptionBoxes.size(); ++i) {
    if (boxes_[i]->isChecked()) items.options |= kOptionBoxes[i].bit;
  }
  items.heading = SjisText(heading_->text()).value_or(std::string());
  items.source = SjisText(source_->text()).value_or(std::string());
  items.source_right = source_right_->isChecked();
  return items;
}

}  // namespace kartela
