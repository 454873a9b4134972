#include "ui/map/circle_info_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdint>
#include <limits>
#include <utility>

#include "ui/widgets/checked_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

// The nine circle colours in the order of their indices.
constexpr std::array<const char*, kCircleColourCount> kColourCaptions = {
    "白", "黄", "ｼｱﾝ", "緑", "ﾏｾﾞﾝﾀ", "赤", "青", "黒", "灰"};
constexpr int kColourColumns = 3;

constexpr const char* kRadiusLabel = "基準円の半径";
constexpr const char* kReferenceLabel = "基準円のデータ値";
constexpr const char* kBaseLabel = "基底値";

QLineEdit* NumberBox(QWidget& parent, const char* name) {
  auto* box = new QLineEdit(&parent);
  box->setObjectName(name);
  box->setAlignment(Qt::AlignRight);
  return box;
}

QLabel* StatisticLabel(QWidget& parent, const char* name) {
  auto* label = new QLabel(&parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

void CheckColour(QButtonGroup& group, int index) {
  if (QAbstractButton* button = group.button(index)) button->setChecked(true);
}

std::int16_t CheckedColour(const QButtonGroup& group) {
  return static_cast<std::int16_t>(group.checkedId());
}

}  // namespace

TCircleInfoDialog::TCircleInfoDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      reporter_(reporter),
      max_(StatisticLabel(*this, "Max")),
      min_(StatisticLabel(*this, "Min")),
      rad_(NumberBox(*this, "Rad")),
      dat_(NumberBox(*this, "Dat")),
      bas_(NumberBox(*this, "Bas")) {
  setObjectName("TCircleInfoDialog");
  setWindowTitle("円面積グラフ");
  auto* layout = new QVBoxLayout(this);
  auto* data = new QGroupBox("データ（絶対値）", this);
  auto* statistics = new QFormLayout(data);
  statistics->addRow("最大値：", max_);
  statistics->addRow("最小値：", min_);
  layout->addWidget(data);

  auto* form = new QFormLayout;
  form->addRow(QString(kRadiusLabel) + "：", rad_);
  form->addRow(QString(kReferenceLabel) + "：", dat_);
  form->addRow(QString(kBaseLabel) + "：", bas_);
  layout->addLayout(form);

  auto* colours = new QHBoxLayout;
  colours->addWidget(BuildColourBox("基底値より大きい値の色", "PB", plus_));
  colours->addWidget(BuildColourBox("基底値より小さい値の色", "MB", minus_));
  layout->addLayout(colours);
  nested_ = new QCheckBox("入れ子の凡例（基準値とその半分・10分の1の円）", this);
  nested_->setObjectName("NestedLegend");
  layout->addWidget(nested_);
  layout->addWidget(OkCancelButtons(*this));
}

// Buttons <prefix>1..<prefix>9 for the colour indices 0..8.
QGroupBox* TCircleInfoDialog::BuildColourBox(const char* title, const char* prefix,
                                             QButtonGroup*& group) {
  auto* box = new QGroupBox(title, this);
  auto* grid = new QGridLayout(box);
  group = new QButtonGroup(box);
  for (int index = 0; index < kCircleColourCount; ++index) {
    auto* radio = new QRadioButton(kColourCaptions[static_cast<std::size_t>(index)], box);
    radio->setObjectName(QString("%1%2").arg(prefix).arg(index + 1));
    group->addButton(radio, index);
    grid->addWidget(radio, index / kColourColumns, index % kColourColumns);
  }
  return box;
}

void TCircleInfoDialog::Load(const CircleFields& fields, const SymbolSettings& settings) {
  symbols_ = settings;
  max_->setText(ShownText(fields.MaxText));
  min_->setText(ShownText(fields.MinText));
  rad_->setText(ShownText(fields.Radius));
  dat_->setText(ShownText(fields.RefValue));
  bas_->setText(ShownText(fields.BaseValue));
  CheckColour(*plus_, fields.PlusColour);
  CheckColour(*minus_, fields.MinusColour);
  nested_->setChecked(fields.NestedLegend);
}

CircleFields TCircleInfoDialog::Fields() const {
  CircleFields fields;
  fields.Radius = SjisText(rad_->text()).value_or("");
  fields.RefValue = SjisText(dat_->text()).value_or("");
  fields.BaseValue = SjisText(bas_->text()).value_or("");
  fields.PlusColour = CheckedColour(*plus_);
  fields.MinusColour = CheckedColour(*minus_);
  fields.NestedLegend = nested_->isChecked();
  return fields;
}

void TCircleInfoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  rad_->setFocus();
  rad_->selectAll();
}

TCircleInfoDialog::Refusal TCircleInfoDialog::Refused() {
  const std::pair<QLineEdit*, const char*> boxes[] = {
      {rad_, kRadiusLabel}, {dat_, kReferenceLabel}, {bas_, kBaseLabel}};
  for (const auto& [box, label] : boxes) {
    if (!SjisText(box->text())) {
      return {box, QString("「%1」に Shift-JIS で表せない文字があります。").arg(label)};
    }
  }
  // Letters alone would store radius 0 and draw no circle at all.
  if (!OffsetOfText(rad_->text())) {
    return {rad_, NumberBoxReason(kRadiusLabel,
                                  WholeNumberRange(std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()))};
  }
  SymbolSettings stored = symbols_;
  if (ApplyCircleFields(Fields(), stored) != 0) {
    return {dat_, NumberBoxReason(kReferenceLabel, ReferenceValueRange())};
  }
  symbols_ = stored;
  return {};
}

void TCircleInfoDialog::done(int result) {
  if (result == Accepted) {
    if (const Refusal refusal = Refused(); refusal.box != nullptr) {
      RefuseBox(reporter_, *refusal.box, refusal.reason);
      return;
    }
  }
  QDialog::done(result);
}

}  // namespace kartela
