// TDataCalcDialog (データ → データの計算...): the current data divided by
// another data set on the same base map (a data file of the data directory
// or beside the base maps, such as the map's own land areas, or a file the
// user chooses), times a factor, with a number of decimals: a rate or a
// density. It shows what the division leaves empty before anything changes,
// and proposes the title "人口 ÷ 面積", which the user may edit.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>
#include <vector>

#include "model/data_division.h"
#include "ui/widgets/app_context.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kartela {

class DivisionFields;

class TDataCalcDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDataCalcDialog(AppContext& context, QWidget* parent = nullptr);

  // Offers the divisors for the data now in the workspace: the data files on
  // its base map in `data_dir` (the data directory, where 参照 starts too)
  // and the program directory; `filter` names the data files in 参照.
  void Prepare(const QString& data_dir, const QString& filter);
  // Reads `path` and chooses it as the divisor; false, with the reason shown
  // in the dialog, when it cannot divide the current data.
  bool AddDivisorFile(const std::filesystem::path& path);
  // The quotient, titled as edited; nothing while no divisor is chosen, no
  // area has a quotient or the title has a character Shift-JIS cannot hold.
  std::optional<DataDivision> Result() const;

 private:
  struct Divisor {
    std::filesystem::path path;
    DataSet data;
  };

  void ChooseFile();
  void ProposeTitle();
  void ShowResult();
  std::optional<DataDivision> Divide() const;
  const Divisor* ChosenDivisor() const;
  // The divisor read from `path`, or the reason it cannot divide the data.
  std::optional<Divisor> ReadDivisor(const std::filesystem::path& path, QString& reason) const;

  AppContext& context_;
  QString data_dir_;
  QString filter_;
  std::vector<Divisor> divisors_;
  QLabel* dividend_;
  QComboBox* divisor_;
  DivisionFields* division_;
  QLineEdit* title_;
  QPlainTextEdit* report_;
  QDialogButtonBox* buttons_;
};

}  // namespace kartela
