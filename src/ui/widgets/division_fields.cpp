#include "ui/widgets/division_fields.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace kartela {
namespace {

constexpr int kDefaultDecimals = 1;
constexpr int kMaxDecimals = 10;

}  // namespace

DivisionFields::DivisionFields(QWidget* parent)
    : QWidget(parent), factor_(new QComboBox(this)), decimals_(new QSpinBox(this)) {
  factor_->setObjectName("Factor");
  const std::pair<const char*, double> factors[] = {
      {"1", 1}, {"100（%）", 100}, {"1,000（‰）", 1000}, {"10,000", 1e4}, {"100,000", 1e5}};
  for (const auto& [text, factor] : factors)
    factor_->addItem(text, factor);
  decimals_->setObjectName("Decimals");
  decimals_->setRange(0, kMaxDecimals);
  decimals_->setValue(kDefaultDecimals);
  auto* factor_label = new QLabel("掛ける数(&K)：", this);
  factor_label->setBuddy(factor_);
  auto* decimals_label = new QLabel("小数の桁数(&D)：", this);
  decimals_label->setBuddy(decimals_);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(factor_label);
  row->addWidget(factor_);
  row->addSpacing(12);
  row->addWidget(decimals_label);
  row->addWidget(decimals_);
  row->addStretch();
  connect(factor_, &QComboBox::currentIndexChanged, this, &DivisionFields::Changed);
  connect(decimals_, &QSpinBox::valueChanged, this, &DivisionFields::Changed);
}

Division DivisionFields::Value() const {
  return {.factor = factor_->currentData().toDouble(), .decimals = decimals_->value()};
}

}  // namespace kartela
