#include "ui/map/data_info_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "render/class_counts.h"
#include "ui/map/value_histogram.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

struct NamedCaption {
  const char* name;
  const char* caption;
};

// In the order of DataStatSlot.
constexpr std::array<NamedCaption, kDataStatCount> kStatistics = {{
    {"DataNum", "有効データ数"},
    {"Sum", "合計"},
    {"Max", "最大値"},
    {"Min", "最小値"},
    {"Center", "中央値"},
    {"Abe", "平均値"},
    {"Dis", "分散"},
    {"Dev", "標準偏差"},
    {"Invalid", "無効データ数"},
}};

// The ways to propose boundaries, by method id, in the order of the list.
constexpr std::array<NamedCaption, 4> kProposals = {{
    {"equal-count", "等個数（区域数が等しい）"},
    {"equal-interval", "等間隔"},
    {"jenks", "自然分類（Jenks）"},
    {"stddev", "平均±標準偏差"},
}};

constexpr const char* kRefusedBoundary =
    "区分値に Shift-JIS で表せない文字があります。数値を入力してください。";

// How many areas with invalid values the dialog names; the rest are counted.
constexpr int kNamedInvalidAreas = 10;

std::optional<std::string> SjisOf(const QLineEdit& box) {
  return sjis::FromUtf8(box.text().toStdString());
}

// The areas whose values did not convert: the first ten by name, then how
// many more. Empty when every value converted.
QString InvalidAreasText(const AreaList& areas, const std::vector<double>& numbers) {
  QStringList names;
  int more = 0;
  for (std::size_t i = 0; i < areas.AreaNames.size() && i < numbers.size(); ++i) {
    if (numbers[i] != kMissingValue) continue;
    if (names.size() == kNamedInvalidAreas) {
      ++more;
      continue;
    }
    const std::string& name = areas.AreaNames[i];
    names << (name.empty() ? QString("（区域 %1）").arg(i + 1) : ShownText(name));
  }
  if (names.isEmpty()) return {};
  QString text = "無効データの区域：" + names.join("、");
  if (more > 0) text += QString(" ほか %1 件").arg(more);
  return text;
}

// The message for `fault` among the boundary boxes' texts (UTF-8).
QString FaultMessage(const BoundaryFault& fault, const std::vector<QString>& texts) {
  const std::size_t i = fault.index;
  if (fault.kind == BoundaryFault::Kind::kNotIncreasing) {
    return QString(
               "区分値 %1「%2」が区分値 %3「%4」より大きくありません。"
               "区分値は小さい順に入力してください。")
        .arg(i + 1)
        .arg(texts[i].trimmed())
        .arg(i)
        .arg(texts[i - 1].trimmed());
  }
  const QString shown = texts[i].trimmed().isEmpty()
                            ? QString("が空欄です")
                            : QString("「%1」は数値ではありません").arg(texts[i].trimmed());
  return QString(
             "区分値 %1 %2。後の区分値が使われなくなるため、数値を入力するか、"
             "後の区分値も空欄にしてください。")
      .arg(i + 1)
      .arg(shown);
}

// A label that shows one number, right-aligned in a sunken box.
QLabel* ValueLabel(const QString& object_name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(object_name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 14);
  // The boundary column is taller than the statistics; their rows spread,
  // the boxes keep their height.
  label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TDataInfoDialog::TDataInfoDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName("TDataInfoDialog");
  setWindowTitle("データ情報＆区分指定");
  auto* grid = new QGridLayout(this);
  BuildStatistics(*grid);
  BuildDeciles(*grid);
  BuildBoundaries(*grid);
  BuildHistogram(*grid);
  BuildInvalidAreas(*grid);
  BuildButtons(*grid);
}

void TDataInfoDialog::BuildStatistics(QGridLayout& grid) {
  for (std::size_t i = 0; i < kStatistics.size(); ++i) {
    const int row = static_cast<int>(i);
    grid.addWidget(new QLabel(kStatistics[i].caption, this), row, 0);
    statistics_[i] = ValueLabel(kStatistics[i].name, this);
    grid.addWidget(statistics_[i], row, 1);
  }
}

void TDataInfoDialog::BuildDeciles(QGridLayout& grid) {
  for (std::size_t i = 0; i < deciles_.size(); ++i) {
    const int percent = 10 * static_cast<int>(i + 1);
    const int row = static_cast<int>(i);
    grid.addWidget(new QLabel(QString("%1％Tile:").arg(percent), this), row, 2);
    deciles_[i] = ValueLabel(QString("Tile%1").arg(percent), this);
    grid.addWidget(deciles_[i], row, 3);
  }
}

void TDataInfoDialog::BuildBoundaries(QGridLayout& grid) {
  auto* column = new QGridLayout;
  BuildProposal(*column);
  BuildBoundaryBoxes(*column);
  auto* methods = new QGroupBox("区分方法：", this);
  auto* method_column = new QVBoxLayout(methods);
  method1_ = new QRadioButton("以上(≦)～未満(＜)", methods);
  method1_->setObjectName("Method1");
  method2_ = new QRadioButton("ｵｰﾊﾞｰ(＜)～以下(≦)", methods);
  method2_->setObjectName("Method2");
  method_column->addWidget(method1_);
  method_column->addWidget(method2_);
  connect(method2_, &QRadioButton::toggled, this, &TDataInfoDialog::ShowClasses);
  column->addWidget(methods, column->rowCount(), 0, 1, 2);
  column->setRowStretch(column->rowCount(), 1);
  grid.addLayout(column, 0, 4, static_cast<int>(kDataStatCount), 1);
}

void TDataInfoDialog::BuildProposal(QGridLayout& column) {
  column.addWidget(new QLabel("区分値の提案：", this), 0, 0, 1, 2);
  proposal_ = new QComboBox(this);
  proposal_->setObjectName("BreakMethod");
  for (const NamedCaption& proposal : kProposals)
    proposal_->addItem(proposal.caption, QString(proposal.name));
  round_ = new QCheckBox("きりのよい数値", this);
  round_->setObjectName("RoundBreaks");
  column.addWidget(proposal_, 1, 0, 1, 2);
  column.addWidget(round_, 2, 0, 1, 2);
  connect(proposal_, &QComboBox::activated, this, &TDataInfoDialog::ProposeByChoice);
  connect(round_, &QCheckBox::clicked, this, &TDataInfoDialog::ProposeByChoice);
}

// Each count sits between the boxes of its class's two boundaries: box j
// takes half-rows 2j + 1 and 2j + 2, the count of class c half-rows 2c and
// 2c + 1.
void TDataInfoDialog::BuildBoundaryBoxes(QGridLayout& column) {
  const int top = column.rowCount();
  column.addWidget(new QLabel("区分値：", this), top, 0);
  auto* counts_caption = new QLabel("区域数", this);
  counts_caption->setToolTip("区分値の間の区分に入る区域の数");
  column.addWidget(counts_caption, top, 1);
  const int first = top + 1;
  for (std::size_t i = 0; i < boundaries_.size(); ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("Sep%1").arg(i + 1));
    box->setMaxLength(static_cast<int>(kClassTextBytes));
    box->setAlignment(Qt::AlignRight);
    connect(box, &QLineEdit::textChanged, this, &TDataInfoDialog::ShowClasses);
    boundaries_[i] = box;
    column.addWidget(box, first + 2 * static_cast<int>(i) + 1, 0, 2, 1);
  }
  for (std::size_t c = 0; c < counts_.size(); ++c) {
    auto* count = new QLabel(this);
    count->setObjectName(QString("Count%1").arg(c + 1));
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    count->setMinimumWidth(count->fontMetrics().horizontalAdvance("00000"));
    counts_[c] = count;
    column.addWidget(count, first + 2 * static_cast<int>(c), 1, 2, 1);
  }
}

void TDataInfoDialog::BuildHistogram(QGridLayout& grid) {
  histogram_ = new ValueHistogram(this);
  histogram_->setObjectName("Histogram");
  grid.addWidget(histogram_, static_cast<int>(kDataStatCount), 0, 1, 5);
}

void TDataInfoDialog::BuildInvalidAreas(QGridLayout& grid) {
  invalid_areas_ = new QLabel(this);
  invalid_areas_->setObjectName("InvalidAreas");
  invalid_areas_->setTextFormat(Qt::PlainText);
  invalid_areas_->setWordWrap(true);
  invalid_areas_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid.addWidget(invalid_areas_, static_cast<int>(kDataStatCount) + 1, 0, 1, 5);
}

void TDataInfoDialog::BuildButtons(QGridLayout& grid) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setText("描画");
  ok->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid.addWidget(buttons, static_cast<int>(kDataStatCount) + 2, 0, 1, 5);
}

void TDataInfoDialog::Load(ClassTables& tables) {
  tables_ = &tables;
  for (std::size_t i = 0; i < statistics_.size(); ++i)
    statistics_[i]->setText(ShownText(tables.DataStats[i]));
  for (std::size_t i = 0; i < deciles_.size(); ++i)
    deciles_[i]->setText(ShownText(tables.DecileTexts[i]));
  LoadValues(tables);
  const QString invalid = InvalidAreasText(context_.workspace.area_list, tables.NumericValues);
  invalid_areas_->setText(invalid);
  invalid_areas_->setVisible(!invalid.isEmpty());
  method2_->setChecked(tables.DivisionMethod == 2);
  method1_->setChecked(tables.DivisionMethod != 2);
  LoadBoundaries(tables);
}

void TDataInfoDialog::LoadValues(const ClassTables& tables) {
  const std::size_t areas =
      std::min(static_cast<std::size_t>(context_.workspace.area_list.AreaCount()),
               tables.NumericValues.size());
  values_.assign(tables.NumericValues.begin(),
                 tables.NumericValues.begin() + static_cast<long>(areas));
  std::vector<double> valid;
  std::copy_if(values_.begin(), values_.end(), std::back_inserter(valid),
               [](double value) { return value != kMissingValue; });
  histogram_->SetValues(std::move(valid));
}

// The boundaries of `tables`, or those of the way to propose the settings
// hold.
void TDataInfoDialog::LoadBoundaries(const ClassTables& tables) {
  const BreakChoice choice = BreakChoiceOf(context_.workspace.settings);
  ShowChoice(choice);
  if (choice.IsDefault()) {
    for (std::size_t i = 0; i < boundaries_.size(); ++i)
      boundaries_[i]->setText(ShownText(tables.ProposedBreaks[i]));
  } else {
    ProposeByChoice();
  }
  ShowClasses();
}

BreakChoice TDataInfoDialog::Choice() const {
  return {&BreakMethodById(proposal_->currentData().toString().toStdString()), round_->isChecked()};
}

void TDataInfoDialog::ShowChoice(const BreakChoice& choice) {
  proposal_->setCurrentIndex(proposal_->findData(QString::fromUtf8(choice.method->id)));
  round_->setChecked(choice.round);
}

void TDataInfoDialog::ProposeByChoice() {
  if (tables_ == nullptr) return;
  const std::vector<std::string> texts =
      ProposeBoundaryTexts(values_, context_.workspace.settings.ClassCount, Choice(),
                           tables_->ValueWidth, tables_->DecimalDigits);
  for (std::size_t i = 0; i < boundaries_.size(); ++i)
    boundaries_[i]->setText(i < texts.size() ? ShownText(texts[i]) : QString());
}

// A box without a Shift-JIS form ends the classes, as one that does not
// convert does.
void TDataInfoDialog::ShowClasses() {
  BreakTexts texts;
  for (std::size_t i = 0; i < boundaries_.size(); ++i)
    texts[i] = SjisOf(*boundaries_[i]).value_or("");
  const PaintClasses classes = BuildClassThresholds(texts);
  const ClassCounts counts = CountAreasPerClass(values_, classes, method2_->isChecked() ? 2 : 1);
  for (std::size_t c = 0; c < counts_.size(); ++c) {
    const bool used = static_cast<int>(c) < classes.EffectiveClassCount;
    counts_[c]->setText(used ? QString::number(counts.per_class[c]) : QString());
  }
  histogram_->SetBoundaries(
      std::vector<double>(classes.ClassThresholds.begin() + 1,
                          classes.ClassThresholds.begin() + classes.EffectiveClassCount));
}

void TDataInfoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  boundaries_[0]->setFocus();
  boundaries_[0]->selectAll();
}

int TDataInfoDialog::UnencodableBox() const {
  for (std::size_t i = 0; i < boundaries_.size(); ++i) {
    if (!SjisOf(*boundaries_[i])) return static_cast<int>(i);
  }
  return -1;
}

bool TDataInfoDialog::RefuseBoundaries() {
  const int unencodable = UnencodableBox();
  if (unencodable >= 0) {
    RefuseBox(static_cast<std::size_t>(unencodable), kRefusedBoundary);
    return true;
  }
  std::vector<std::string> texts;
  std::vector<QString> shown;
  for (const QLineEdit* box : boundaries_) {
    texts.push_back(*SjisOf(*box));
    shown.push_back(box->text());
  }
  const std::optional<BoundaryFault> fault = FindBoundaryFault(texts);
  if (!fault) return false;
  RefuseBox(fault->index, FaultMessage(*fault, shown));
  return true;
}

void TDataInfoDialog::RefuseBox(std::size_t index, const QString& message) {
  ShowWarning(context_.reporter, message.toStdString());
  boundaries_[index]->setFocus();
  boundaries_[index]->selectAll();
}

void TDataInfoDialog::done(int result) {
  if (tables_ != nullptr) {
    if (result == Accepted && RefuseBoundaries()) return;
    StoreInto(*tables_);
    RememberBreakChoice(Choice(), context_.workspace.settings);
    tables_ = nullptr;
  }
  QDialog::done(result);
}

// A box that Shift-JIS cannot hold (possible only on Cancel) keeps the
// boundary it had.
void TDataInfoDialog::StoreInto(ClassTables& tables) const {
  for (std::size_t i = 0; i < boundaries_.size(); ++i) {
    if (const auto text = SjisOf(*boundaries_[i])) tables.ProposedBreaks[i] = SlotText(*text);
  }
  tables.DivisionMethod = method2_->isChecked() ? 2 : 1;
}

}  // namespace kartela
