#include "ui/printing/data_print_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <optional>

#include "base/numbers.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

QLineEdit* NumberBox(QWidget* parent, const char* object_name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(object_name);
  box->setAlignment(Qt::AlignRight);
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  return box;
}

std::int32_t LeadingInt(const QLineEdit& box) {
  return ReadLeadingInt(box.text().toStdString());
}

void ShowInt(QLineEdit& box, std::int32_t value) {
  box.setText(QString::number(value));
}

// The most columns and the largest size in points a data list takes, and the
// narrowest and widest line spacing.
constexpr std::int32_t kMaxColumns = 99;
constexpr std::int32_t kMaxFontPoints = 999;
constexpr double kMinLineSpacing = 0.1;
constexpr double kMaxLineSpacing = 100;

// The spacing is read by its leading number, as it always was.
bool SpacingTaken(const QString& text) {
  const std::optional<double> spacing = FindLeadingReal(text.toStdString());
  return spacing && *spacing >= kMinLineSpacing && *spacing <= kMaxLineSpacing;
}

}  // namespace

TDataPrintDialog::TDataPrintDialog(Reporter& reporter, std::span<const std::string> installed,
                                   QWidget* parent)
    : CheckedDialog(reporter, parent),
      left_(NumberBox(this, "leftmg")),
      right_(NumberBox(this, "rightmg")),
      top_(NumberBox(this, "topmg")),
      bottom_(NumberBox(this, "bottommg")),
      columns_(NumberBox(this, "column")),
      copies_(NumberBox(this, "copies")),
      font_type_(new QComboBox(this)),
      font_size_(new QComboBox(this)),
      spacing_(NumberBox(this, "Linterval")) {
  setObjectName("TDataPrintDialog");
  setWindowTitle("データの印刷");
  font_type_->setObjectName("FontType");
  font_type_->addItems(FontFaceChoices(installed));
  font_size_->setObjectName("FontSize");
  font_size_->setEditable(true);
  font_size_->setInsertPolicy(QComboBox::NoInsert);
  font_size_->addItems(SizeChoices());

  auto* layout = new QVBoxLayout(this);
  auto* margins = new QGridLayout;
  margins->addWidget(new QLabel("余白：", this), 0, 0);
  const std::pair<const char*, QLineEdit*> margin_boxes[] = {
      {"左：", left_}, {"右：", right_}, {"上：", top_}, {"下：", bottom_}};
  int column = 1;
  for (const auto& [label, box] : margin_boxes) {
    margins->addWidget(new QLabel(label, this), 0, column++);
    margins->addWidget(box, 0, column++);
  }
  margins->addWidget(new QLabel("(mm)", this), 0, column);
  layout->addLayout(margins);
  auto* form = new QFormLayout;
  form->addRow("列数：", columns_);
  form->addRow("部数：", copies_);
  form->addRow("フォント：", font_type_);
  form->addRow("サイズ(ﾎﾟｲﾝﾄ)", font_size_);
  form->addRow("行間：", spacing_);
  layout->addLayout(form);
  CheckMarginBoxes(*this, std::array{left_, right_, top_, bottom_});
  CheckLeadingWholeNumber(*this, *columns_, "列数", 1, kMaxColumns);
  CheckLeadingWholeNumber(*this, *copies_, "部数", 1, kMaxCopies);
  CheckLeadingWholeNumber(*this, *font_size_->lineEdit(), "サイズ", 1, kMaxFontPoints);
  CheckNumberBox(*spacing_, "行間",
                 QString("%1～%2 の数値").arg(kMinLineSpacing).arg(kMaxLineSpacing), SpacingTaken);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("印 刷", QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  QPushButton* setup = buttons->addButton("ﾌﾟﾘﾝﾀｰ", QDialogButtonBox::ActionRole);
  setup->setObjectName("PrtSet");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(setup, &QPushButton::clicked, this, [this] {
    if (printer_setup_) printer_setup_();
  });
  layout->addWidget(buttons);
}

void TDataPrintDialog::Load(const PrintSettings& print) {
  ShowInt(*left_, print.MarginLeft);
  ShowInt(*right_, print.MarginRight);
  ShowInt(*top_, print.MarginTop);
  ShowInt(*bottom_, print.MarginBottom);
  ShowInt(*columns_, print.DataColumns);
  ShowInt(*copies_, print.Copies);
  // The last face of the stored name, else the first face.
  const QString face = ShownText(print.DataFontName);
  int index = 0;
  for (int i = 0; i < font_type_->count(); ++i) {
    if (font_type_->itemText(i) == face) index = i;
  }
  font_type_->setCurrentIndex(index);
  font_size_->setEditText(QString::number(print.DataFontSize));
  spacing_->setText(QString::fromStdString(FormatFixed(print.DataLineSpacing, 3, 1)));
}

void TDataPrintDialog::StoreInto(PrintSettings& print) const {
  print.Copies = LeadingInt(*copies_);
  print.DataColumns = LeadingInt(*columns_);
  print.DataLineSpacing = ReadLeadingReal(spacing_->text().toStdString());
  print.MarginLeft = LeadingInt(*left_);
  print.MarginRight = LeadingInt(*right_);
  print.MarginTop = LeadingInt(*top_);
  print.MarginBottom = LeadingInt(*bottom_);
}

output::DataListFont TDataPrintDialog::ChosenFont() const {
  // Every face offered has a Shift-JIS form.
  return {SjisText(font_type_->currentText()).value_or(std::string()),
          ReadLeadingInt(font_size_->currentText().toStdString())};
}

void TDataPrintDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  left_->setFocus();
}

}  // namespace kartela
