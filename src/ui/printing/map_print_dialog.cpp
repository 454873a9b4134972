#include "ui/printing/map_print_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "base/numbers.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "ui/drawing/draw_size_dialog.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr const char* kAutoFit = "自動調整";
constexpr std::string_view kNoPrintableArea = "余白が大きすぎて、印刷できる範囲がありません。";

// The margin boxes' fields, in the order of the boxes.
constexpr std::array<std::int32_t output::PrintMargins::*, 4> kMarginFields = {
    &output::PrintMargins::left, &output::PrintMargins::right, &output::PrintMargins::top,
    &output::PrintMargins::bottom};

// The widest line the 16-bit width holds, either side of 0.
constexpr double kMaxLineWidth = INT16_MAX;

std::int32_t LeadingInt(const QLineEdit& box) {
  return ReadLeadingInt(box.text().toStdString());
}

// The typed line width to the nearest whole pixel; nothing when it does not
// convert.
std::optional<std::int16_t> LineWidthOfText(const QString& text) {
  bool ok = false;
  const double width = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(width) || std::abs(width) > kMaxLineWidth) return std::nullopt;
  return static_cast<std::int16_t>(std::nearbyint(width));
}

QLineEdit* NumberBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setMaximumWidth(60);
  return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QWidget* WarningPanel(QWidget* parent) {
  auto* panel = new QLabel(QStringLiteral("塗り分け模様に、KARTELA 独自\nのものが含まれています。\n"
                                          "正しく印刷できない可能性が\nあります。"),
                           parent);
  panel->setObjectName("WarningPanel");
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->hide();
  return panel;
}

}  // namespace

std::optional<double> PrintSizeOfText(const QString& text) {
  if (text == QString::fromUtf8(kAutoFit)) return -1.0;
  return MagnificationOfText(text);
}

QString MagnificationText(double magnification) {
  if (magnification < 0) return QString::fromUtf8(kAutoFit);
  return QString::number(magnification, 'f', 1);
}

TMapPrintDialog::TMapPrintDialog(Reporter& reporter, QWidget* parent)
    : CheckedDialog(reporter, parent) {
  setObjectName("TMapPrintDialog");
  setWindowTitle(QStringLiteral("画像の印刷"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("余白："), this), 0, 0);
  const std::array<const char*, 4> names = {"leftmg", "rightmg", "topmg", "bottommg"};
  const std::array<const char*, 4> labels = {"左：", "右：", "上：", "下："};
  for (std::size_t i = 0; i < margins_.size(); ++i) {
    const int row = static_cast<int>(i / 2);
    const int column = 1 + static_cast<int>(i % 2) * 2;
    grid->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), row, column);
    margins_[i] = NumberBox(this, names[i]);
    grid->addWidget(margins_[i], row, column + 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("(mm)"), this), 1, 5);
  grid->addWidget(new QLabel(QStringLiteral("部数："), this), 2, 0);
  copies_ = NumberBox(this, "copies");
  grid->addWidget(copies_, 2, 2);
  grid->addWidget(new QLabel(QStringLiteral("倍率："), this), 3, 0);
  print_size_ = new QComboBox(this);
  print_size_->setObjectName("PrintSize");
  print_size_->setEditable(true);
  print_size_->addItem(QString::fromUtf8(kAutoFit));
  for (int i = 1; i <= 4; ++i)
    print_size_->addItems({QStringLiteral("%1.0").arg(i), QStringLiteral("%1.5").arg(i)});
  grid->addWidget(print_size_, 3, 2, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("境界線の幅(ﾋﾟｸｾﾙ)："), this), 4, 0, 1, 2);
  line_width_ = NumberBox(this, "LineWd");
  grid->addWidget(line_width_, 4, 2);
  grid->addWidget(new QLabel(QStringLiteral("用紙の向き："), this), 5, 0, 1, 2);
  portrait_ = new QRadioButton(QStringLiteral("縦(&V)"), this);
  portrait_->setObjectName("Portrait");
  landscape_ = new QRadioButton(QStringLiteral("横(&H)"), this);
  landscape_->setObjectName("Landscape");
  auto* orientation = new QButtonGroup(this);
  orientation->addButton(portrait_);
  orientation->addButton(landscape_);
  grid->addWidget(portrait_, 5, 2);
  grid->addWidget(landscape_, 5, 3, 1, 2);
  auto_orientation_ = new QCheckBox(QStringLiteral("用紙の向きを自動で選ぶ(&A)"), this);
  auto_orientation_->setObjectName("AutoOrientation");
  grid->addWidget(auto_orientation_, 6, 0, 1, 5);
  // The automatic choice compares fitted maps: it needs "自動調整".
  const auto follow_size = [this] {
    const bool fit = print_size_->currentText() == QString::fromUtf8(kAutoFit);
    auto_orientation_->setEnabled(fit);
    const bool manual = !fit || !auto_orientation_->isChecked();
    portrait_->setEnabled(manual);
    landscape_->setEnabled(manual);
  };
  connect(print_size_, &QComboBox::currentTextChanged, this, follow_size);
  connect(auto_orientation_, &QCheckBox::toggled, this, follow_size);
  CheckMarginBoxes(*this, margins_);
  CheckLeadingWholeNumber(*this, *copies_, "部数", 1, kMaxCopies);
  CheckNumberBox(*print_size_->lineEdit(), "倍率",
                 QString("「%1」か %2").arg(kAutoFit, MagnificationRange()),
                 [](const QString& text) { return PrintSizeOfText(text).has_value(); });
  CheckNumberBox(*line_width_, "境界線の幅",
                 QString("%1～%2 の数値").arg(-kMaxLineWidth).arg(kMaxLineWidth),
                 [](const QString& text) { return LineWidthOfText(text).has_value(); });

  auto* ok = Button(this, "OKBtn", QStringLiteral("印 刷"));
  ok->setDefault(true);
  auto* cancel = Button(this, "CancelBtn", QStringLiteral("キャンセル"));
  auto* preview = Button(this, "BitBtn1", QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"));
  auto* printer = Button(this, "PrtSet", QStringLiteral("ﾌﾟﾘﾝﾀｰ"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(preview, &QPushButton::clicked, this, [this] { done(kPreview); });
  connect(printer, &QPushButton::clicked, this, [this] {
    if (printer_setup_) printer_setup_();
  });
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ok, cancel, preview, printer})
    buttons->addWidget(button);
  buttons->addStretch();

  auto* top = new QHBoxLayout;
  top->addLayout(grid);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // the panel enlarges the dialog
  layout->addLayout(top);
  warning_panel_ = WarningPanel(this);
  layout->addWidget(warning_panel_);
}

void TMapPrintDialog::Load(const output::PrinterSettings& values, bool pattern_warning) {
  values_ = values;
  for (std::size_t i = 0; i < margins_.size(); ++i)
    margins_[i]->setText(QString::number(values.margins.*kMarginFields[i]));
  copies_->setText(QString::number(values.copies));
  line_width_->setText(QString::number(values.line_width));
  auto_orientation_->setChecked(values.orientation == output::PageOrientation::kAuto);
  (values.orientation == output::PageOrientation::kLandscape ? landscape_ : portrait_)
      ->setChecked(true);
  print_size_->setCurrentText(MagnificationText(values.magnification));
  emit print_size_->currentTextChanged(print_size_->currentText());
  warning_panel_->setVisible(pattern_warning);
}

void TMapPrintDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  margins_[0]->setFocus();
}

bool TMapPrintDialog::Accept() {
  output::PrinterSettings values = values_;
  values.magnification = PrintSizeOfText(print_size_->currentText()).value_or(values.magnification);
  values.copies = LeadingInt(*copies_);
  for (std::size_t i = 0; i < margins_.size(); ++i)
    values.margins.*kMarginFields[i] = LeadingInt(*margins_[i]);
  values.line_width = LineWidthOfText(line_width_->text()).value_or(values.line_width);
  values.orientation = ChosenOrientation();
  if (area_check_ && !area_check_(values)) {
    ShowWarning(reporter(), kNoPrintableArea);
    margins_[0]->setFocus();
    return false;
  }
  values_ = values;
  return true;
}

output::PageOrientation TMapPrintDialog::ChosenOrientation() const {
  if (auto_orientation_->isEnabled() && auto_orientation_->isChecked())
    return output::PageOrientation::kAuto;
  return landscape_->isChecked() ? output::PageOrientation::kLandscape
                                 : output::PageOrientation::kPortrait;
}

// The preview takes the boxes as printing does.
void TMapPrintDialog::done(int result) {
  if (result != QDialog::Rejected && !(AcceptNumberBoxes() && Accept())) return;
  QDialog::done(result);
}

}  // namespace kartela
