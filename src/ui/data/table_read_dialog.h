// TTableReadDialog: data from a statistics table (CSV, tab-separated text,
// Excel or Calc workbook). The user chooses the file, its sheet, the row
// that holds the column headings (the first rows are shown), the column
// that names or numbers the areas and how it matches, and the value column
// (with a few of its values), and optionally a column to divide it by with a
// factor (SID74 ÷ BIR74 × 1,000). The dialog shows the match report before
// anything is read, and allows OK only for a table that can be read.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

#include "geodata/table/table_source.h"
#include "model/data_division.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace kartela {

class DivisionFields;

class TTableReadDialog : public QDialog {
  Q_OBJECT

 public:
  // `areas` is the data's area list, which the dialog matches against.
  explicit TTableReadDialog(const AreaList& areas, QWidget* parent = nullptr);

  // Reads `path` and shows its first sheet.
  void SetTable(const std::filesystem::path& path);
  // The matched values when OK is allowed; nothing otherwise.
  const table::TableReading* Reading() const;
  // The values to take, area n at [n - 1]: the value column's, or their
  // quotients when a column to divide by is chosen. Empty without Reading().
  std::vector<std::string> Values() const;
  // The title as edited.
  QString Title() const;
  const std::filesystem::path& TablePath() const { return path_; }
  // Matches the rows again, to the areas as they are now (the base map may
  // have changed since the dialog was last shown).
  void UpdateMatch();

 private:
  void ChooseFile();
  void ReadTable();
  void ShowColumns();
  void ShowReport();
  void ShowFailure(const QString& reason);
  void FillColumnChoices(int columns);
  void ProposeTitle();
  void Divide();

  const AreaList& areas_;
  std::filesystem::path path_;
  std::optional<table::Table> table_;
  std::optional<table::TableReading> reading_;
  std::optional<DividedValues> divided_;
  QLineEdit* file_;
  QComboBox* encoding_;
  QComboBox* sheet_;
  QSpinBox* header_row_;
  QTableWidget* preview_;
  QComboBox* key_column_;
  QComboBox* key_kind_;
  QComboBox* value_column_;
  QComboBox* divisor_column_;
  DivisionFields* division_;
  QLabel* samples_;
  QLineEdit* title_;
  QPlainTextEdit* report_;
  QDialogButtonBox* buttons_;
};

}  // namespace kartela
