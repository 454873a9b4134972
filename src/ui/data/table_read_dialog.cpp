#include "ui/data/table_read_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

#include "geodata/gdal_plugin/gdal_services.h"
#include "ui/widgets/division_fields.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/problem_text.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

constexpr const char* kFileFilter = "統計表 (*.csv *.txt *.tsv *.xlsx *.ods);;すべてのファイル (*)";
constexpr int kPreviewRows = 15;
constexpr int kSampleCount = 5;
constexpr int kListedRows = 20;

QString EncodingText(TextEncoding encoding) {
  return encoding == TextEncoding::kCp932 ? "Shift-JIS（CP932）" : "UTF-8";
}

QString Cell(const table::Table& table, int row, int column) {
  const auto& cells = table.rows[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < cells.size()
             ? Utf8Text(cells[static_cast<std::size_t>(column)]).trimmed()
             : QString();
}

int ColumnCount(const table::Table& table, int rows) {
  std::size_t count = 0;
  for (int r = 0; r < rows; ++r)
    count = std::max(count, table.rows[static_cast<std::size_t>(r)].size());
  return static_cast<int>(count);
}

int FilledCells(const std::vector<std::string>& row) {
  return static_cast<int>(
      std::ranges::count_if(row, [](const std::string& c) { return !c.empty(); }));
}

// The heading row of a portal table: the first of the shown rows with the most
// filled cells (the lines about the table above it have one).
int GuessedHeaderRow(const table::Table& table, int shown_rows) {
  int best = 0;
  for (int r = 1; r < shown_rows; ++r) {
    if (FilledCells(table.rows[static_cast<std::size_t>(r)]) >
        FilledCells(table.rows[static_cast<std::size_t>(best)]))
      best = r;
  }
  return best + 1;
}

// Whether the first filled cell under the header reads as a number.
bool IsNumericColumn(const table::Table& table, int header_row, int column) {
  for (int r = header_row; r < static_cast<int>(table.rows.size()); ++r) {
    const QString cell = Cell(table, r, column);
    if (cell.isEmpty()) continue;
    const auto text = SjisText(cell);
    return text && CellToValue(*text).fit != CellValueFit::kNotANumber;
  }
  return false;
}

QString RowText(const TableRow& row) {
  return QString("%1 行目「%2」").arg(row.line).arg(ShownText(row.key));
}

QString ValueRowText(const TableRow& row) {
  return QString("%1 行目「%2」").arg(row.line).arg(ShownText(row.value));
}

// "title（n）：item、item、… ほか m 件" for a non-empty list.
template <typename Item, typename Describe>
void AppendList(QStringList& lines, const QString& title, const std::vector<Item>& items,
                Describe describe) {
  if (items.empty()) return;
  QStringList shown;
  for (std::size_t i = 0; i < items.size() && i < kListedRows; ++i)
    shown << describe(items[i]);
  QString line = QString("%1（%2）：%3").arg(title).arg(items.size()).arg(shown.join("、"));
  if (items.size() > kListedRows) line += QString(" ほか %1 件").arg(items.size() - kListedRows);
  lines << line;
}

QComboBox* NamedCombo(const char* name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setMinimumContentsLength(24);
  return combo;
}

}  // namespace

TTableReadDialog::TTableReadDialog(const AreaList& areas, QWidget* parent)
    : QDialog(parent),
      areas_(areas),
      file_(new QLineEdit(this)),
      encoding_(NamedCombo("Encoding", this)),
      sheet_(NamedCombo("Sheet", this)),
      header_row_(new QSpinBox(this)),
      preview_(new QTableWidget(this)),
      key_column_(NamedCombo("KeyColumn", this)),
      key_kind_(NamedCombo("KeyKind", this)),
      value_column_(NamedCombo("ValueColumn", this)),
      divisor_column_(NamedCombo("DivisorColumn", this)),
      division_(new DivisionFields(this)),
      samples_(new QLabel(this)),
      title_(new QLineEdit(this)),
      report_(new QPlainTextEdit(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName("TTableReadDialog");
  setWindowTitle("表から読み込み");
  file_->setObjectName("TableFile");
  file_->setReadOnly(true);
  encoding_->addItem("自動判定", static_cast<int>(TextEncoding::kAuto));
  encoding_->addItem(EncodingText(TextEncoding::kCp932), static_cast<int>(TextEncoding::kCp932));
  encoding_->addItem(EncodingText(TextEncoding::kUtf8), static_cast<int>(TextEncoding::kUtf8));
  header_row_->setObjectName("HeaderRow");
  header_row_->setRange(1, 1);
  preview_->setObjectName("Preview");
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setSelectionBehavior(QAbstractItemView::SelectRows);
  preview_->setMinimumHeight(180);
  key_kind_->addItem("区域名で", static_cast<int>(TableKeyKind::kName));
  key_kind_->addItem("区域番号で", static_cast<int>(TableKeyKind::kCode));
  samples_->setObjectName("Samples");
  title_->setObjectName("Title");
  report_->setObjectName("Report");
  report_->setReadOnly(true);
  report_->setMinimumHeight(120);
  division_->setEnabled(false);

  auto* browse = new QPushButton("参照...", this);
  auto* file_row = new QHBoxLayout;
  file_row->addWidget(file_);
  file_row->addWidget(browse);
  auto* key_row = new QHBoxLayout;
  key_row->addWidget(key_column_, 1);
  key_row->addWidget(key_kind_);
  auto* form = new QFormLayout(this);
  form->addRow("ファイル：", file_row);
  form->addRow("文字コード：", encoding_);
  form->addRow("シート：", sheet_);
  form->addRow("見出しの行：", header_row_);
  form->addRow(preview_);
  form->addRow("区域の列：", key_row);
  form->addRow("値の列：", value_column_);
  form->addRow("", samples_);
  form->addRow("割る列：", divisor_column_);
  form->addRow("", division_);
  form->addRow("表題：", title_);
  form->addRow(report_);
  form->addRow(buttons_);

  connect(browse, &QPushButton::clicked, this, &TTableReadDialog::ChooseFile);
  connect(encoding_, &QComboBox::currentIndexChanged, this, &TTableReadDialog::ReadTable);
  connect(sheet_, &QComboBox::textActivated, this, &TTableReadDialog::ReadTable);
  connect(header_row_, &QSpinBox::valueChanged, this, &TTableReadDialog::ShowColumns);
  connect(preview_, &QTableWidget::cellClicked, this,
          [this](int row, int) { header_row_->setValue(row + 1); });
  connect(key_column_, &QComboBox::currentIndexChanged, this, &TTableReadDialog::UpdateMatch);
  connect(key_kind_, &QComboBox::currentIndexChanged, this, &TTableReadDialog::UpdateMatch);
  connect(value_column_, &QComboBox::currentIndexChanged, this, [this] {
    ProposeTitle();
    UpdateMatch();
  });
  connect(divisor_column_, &QComboBox::currentIndexChanged, this, [this] {
    ProposeTitle();
    UpdateMatch();
  });
  connect(division_, &DivisionFields::Changed, this, &TTableReadDialog::UpdateMatch);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  ShowReport();
}

void TTableReadDialog::ChooseFile() {
  const QString chosen = ChooseExistingFile(this, "統計表を開く", file_->text(), kFileFilter);
  if (!chosen.isEmpty()) SetTable(PathOf(chosen));
}

void TTableReadDialog::SetTable(const std::filesystem::path& path) {
  path_ = path;
  file_->setText(PathText(path));
  sheet_->clear();
  table_.reset();
  ReadTable();
  if (!table_ || table_->rows.empty()) return;
  header_row_->setValue(
      GuessedHeaderRow(*table_, std::min(kPreviewRows, static_cast<int>(table_->rows.size()))));
}

void TTableReadDialog::ReadTable() {
  if (path_.empty()) return;
  const auto encoding = static_cast<TextEncoding>(encoding_->currentData().toInt());
  auto read = gdal::ReadTable({path_, sheet_->currentText().toStdString(), encoding});
  if (!read.ok()) {
    table_.reset();
    ShowFailure(Utf8Text(ProblemText(read.problems())));
    return;
  }
  table_ = std::move(*read);
  if (sheet_->count() == 0) {
    for (const std::string& sheet : table_->sheets)
      sheet_->addItem(Utf8Text(sheet));
  }
  sheet_->setEnabled(!table_->sheets.empty());
  const int shown = std::min(kPreviewRows, static_cast<int>(table_->rows.size()));
  const int columns = ColumnCount(*table_, shown);
  preview_->clear();
  preview_->setRowCount(shown);
  preview_->setColumnCount(columns);
  for (int r = 0; r < shown; ++r) {
    for (int c = 0; c < columns; ++c)
      preview_->setItem(r, c, new QTableWidgetItem(Cell(*table_, r, c)));
  }
  const QSignalBlocker block(header_row_);
  header_row_->setRange(1, std::max(1, static_cast<int>(table_->rows.size())));
  ShowColumns();
}

// The columns of the header row in each column choice; the divisor's
// first choice is to divide by nothing.
void TTableReadDialog::FillColumnChoices(int columns) {
  const int header = header_row_->value();
  divisor_column_->addItem("（割らない）", -1);
  for (int c = 0; c < columns; ++c) {
    const QString item = QString("%1：%2").arg(c + 1).arg(Cell(*table_, header - 1, c));
    key_column_->addItem(item, c);
    value_column_->addItem(item, c);
    divisor_column_->addItem(item, c);
  }
}

void TTableReadDialog::ShowColumns() {
  const QSignalBlocker block_key(key_column_);
  const QSignalBlocker block_value(value_column_);
  const QSignalBlocker block_divisor(divisor_column_);
  key_column_->clear();
  value_column_->clear();
  divisor_column_->clear();
  if (table_ && !table_->rows.empty()) {
    const int header = header_row_->value();
    preview_->selectRow(header - 1);
    const auto columns =
        static_cast<int>(table_->rows[static_cast<std::size_t>(header - 1)].size());
    FillColumnChoices(columns);
    int key = -1;
    for (int c = 0; c < columns && key < 0; ++c) {
      if (!IsNumericColumn(*table_, header, c)) key = c;
    }
    key = std::max(key, 0);
    int value = key + 1;
    while (value < columns && !IsNumericColumn(*table_, header, value))
      ++value;
    key_column_->setCurrentIndex(key);
    value_column_->setCurrentIndex(value < columns ? value : std::min(key + 1, columns - 1));
    key_kind_->setCurrentIndex(IsNumericColumn(*table_, header, key) ? 1 : 0);
    ProposeTitle();
  }
  UpdateMatch();
}

// The value column's heading, or "value ÷ divisor" when dividing.
void TTableReadDialog::ProposeTitle() {
  const int value = value_column_->currentData().toInt();
  if (!table_ || value_column_->count() == 0 || value < 0) return;
  const int header = header_row_->value() - 1;
  const QString heading = Cell(*table_, header, value);
  const int divisor = divisor_column_->currentData().toInt();
  division_->setEnabled(divisor >= 0);
  if (divisor < 0) {
    title_->setText(heading);
    return;
  }
  const QString divisor_heading = Cell(*table_, header, divisor);
  title_->setText(ShownText(DivisionTitle(sjis::FromUtf8Lossy(heading.toStdString()),
                                          sjis::FromUtf8Lossy(divisor_heading.toStdString()))));
}

// The quotients of the value column by the chosen divisor column.
void TTableReadDialog::Divide() {
  divided_.reset();
  const int divisor = divisor_column_->currentData().toInt();
  if (!reading_ || divisor < 0) return;
  table::ColumnChoice choice;
  choice.header_row = header_row_->value();
  choice.key_column = key_column_->currentData().toInt();
  choice.value_column = divisor;
  choice.kind = static_cast<TableKeyKind>(key_kind_->currentData().toInt());
  const auto divisors = table::MatchTableColumns(*table_, choice, areas_);
  if (!divisors.ok()) return;
  divided_ = DivideValues(reading_->match.values, divisors->match.values, areas_.AreaCount(),
                          division_->Value());
}

void TTableReadDialog::UpdateMatch() {
  reading_.reset();
  if (table_ && key_column_->count() > 0) {
    table::ColumnChoice choice;
    choice.header_row = header_row_->value();
    choice.key_column = key_column_->currentData().toInt();
    choice.value_column = value_column_->currentData().toInt();
    choice.kind = static_cast<TableKeyKind>(key_kind_->currentData().toInt());
    if (auto reading = table::MatchTableColumns(*table_, choice, areas_); reading.ok())
      reading_ = std::move(*reading);
  }
  Divide();
  QStringList samples;
  for (std::size_t i = 0; reading_ && i < reading_->rows.size() && samples.size() < kSampleCount;
       ++i) {
    // A number as it will be taken ("1" for "1.000000000000000").
    const std::string& value = reading_->rows[i].value;
    const CellValue taken = CellToValue(value);
    if (!value.empty())
      samples << ShownText(taken.fit == CellValueFit::kNotANumber ? value : taken.text);
  }
  samples_->setText(samples.isEmpty() ? QString() : "例：" + samples.join("、"));
  ShowReport();
}

void TTableReadDialog::ShowReport() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(Reading() != nullptr);
  if (!reading_) {
    report_->setPlainText(table_ ? "見出しの行と列を選んでください。"
                                 : "読み込む表のファイルを選んでください。");
    return;
  }
  const TableMatch& match = reading_->match;
  QStringList lines;
  if (table_->sheets.empty()) lines << "文字コード：" + EncodingText(table_->encoding);
  lines << QString("一致した区域：%1 / %2").arg(match.matched).arg(areas_.AreaCount());
  const auto area_name = [this](int area) { return ShownText(areas_.AreaNames[area - 1]); };
  for (const RowConflict& conflict : match.conflicts) {
    lines << QString("同じ区域「%1」に当たる行：%2と %3（このままでは読み込めません）")
                 .arg(area_name(conflict.area), RowText(conflict.first), RowText(conflict.second));
  }
  AppendList(lines, "区域に当たらない行", match.unmatched_rows, RowText);
  AppendList(lines, "複数の区域に当たる行", match.ambiguous_rows, RowText);
  AppendList(lines, "行のない区域", match.areas_without_row, area_name);
  AppendList(lines, "値でないため空にした値", match.emptied_values, ValueRowText);
  AppendList(lines, "桁を丸めた値", match.rounded_values, ValueRowText);
  AppendList(lines, "大きすぎて空にした値", match.too_long_values, ValueRowText);
  if (divided_) {
    const auto computed = areas_.AreaCount() - static_cast<int>(divided_->report.LeftEmpty());
    lines << QString("割り算で値の出た区域：%1 / %2").arg(computed).arg(areas_.AreaCount());
    const QString note = Utf8Text(DivisionNote(areas_, divided_->report)).trimmed();
    if (!note.isEmpty()) lines << note;
  }
  report_->setPlainText(lines.join("\n"));
}

void TTableReadDialog::ShowFailure(const QString& reason) {
  preview_->clear();
  preview_->setRowCount(0);
  {
    const QSignalBlocker block_key(key_column_);
    const QSignalBlocker block_value(value_column_);
    const QSignalBlocker block_divisor(divisor_column_);
    key_column_->clear();
    value_column_->clear();
    divisor_column_->clear();
  }
  reading_.reset();
  divided_.reset();
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
  report_->setPlainText("読み込めません：" + reason);
}

const table::TableReading* TTableReadDialog::Reading() const {
  const bool readable = reading_ && reading_->match.Accepted() && reading_->match.matched > 0;
  return readable ? &*reading_ : nullptr;
}

std::vector<std::string> TTableReadDialog::Values() const {
  if (Reading() == nullptr) return {};
  return divided_ ? divided_->values : reading_->match.values;
}

QString TTableReadDialog::Title() const {
  return title_->text();
}

}  // namespace kartela
