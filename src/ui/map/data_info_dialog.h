// TDataInfoDialog: the statistics and percentiles of the data, with the
// proposed class boundaries and the division method for the user to accept
// or edit before a paint map is drawn.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "render/break_proposal.h"
#include "render/classification.h"
#include "ui/widgets/app_context.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kartela {

class ValueHistogram;

// Boundary boxes of the dialog: boundaries 1..7.
inline constexpr int kBoundaryBoxCount = 7;

class TDataInfoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDataInfoDialog(AppContext& context, QWidget* parent = nullptr);

  // Shows the statistics, percentiles, proposed boundaries and division
  // method of `tables`, and names the areas whose values are invalid (the
  // first ten, then how many more). The boundaries are those of `tables`
  // unless the settings hold another way to propose them. Whenever the
  // dialog then closes, by OK or by Cancel, the boundary boxes go back into
  // tables.ProposedBreaks, the method into tables.DivisionMethod, and a
  // changed way to propose into the settings.
  void Load(ClassTables& tables);

  // OK refuses, with a message that names it, a boundary that Shift-JIS
  // cannot hold, one that does not convert while a later one does, or one
  // not above the boundary before it; the dialog stays open with that box
  // selected.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildStatistics(QGridLayout& grid);
  void BuildDeciles(QGridLayout& grid);
  void BuildBoundaries(QGridLayout& grid);
  void BuildProposal(QGridLayout& column);
  void BuildBoundaryBoxes(QGridLayout& column);
  void BuildHistogram(QGridLayout& grid);
  void LoadValues(const ClassTables& tables);
  void LoadBoundaries(const ClassTables& tables);
  BreakChoice Choice() const;
  void ShowChoice(const BreakChoice& choice);
  // Fills the boxes with the boundaries the chosen way proposes.
  void ProposeByChoice();
  // The counts per class and the histogram's lines from the boxes.
  void ShowClasses();
  void BuildInvalidAreas(QGridLayout& grid);
  void BuildButtons(QGridLayout& grid);
  // The first box whose text has no Shift-JIS form, or -1.
  int UnencodableBox() const;
  // Whether OK must be refused; shows why and selects the box at fault.
  bool RefuseBoundaries();
  void RefuseBox(std::size_t index, const QString& message);
  void StoreInto(ClassTables& tables) const;

  AppContext& context_;
  ClassTables* tables_ = nullptr;
  std::array<QLabel*, kDataStatCount> statistics_{};
  std::array<QLabel*, kDecileCount> deciles_{};
  std::array<QLineEdit*, kBoundaryBoxCount> boundaries_{};
  std::array<QLabel*, kMaxClassCount> counts_{};
  QComboBox* proposal_ = nullptr;
  QCheckBox* round_ = nullptr;
  ValueHistogram* histogram_ = nullptr;
  // The values of the areas, in area order.
  std::vector<double> values_;
  QRadioButton* method1_ = nullptr;
  QRadioButton* method2_ = nullptr;
  // The areas whose values are invalid, named.
  QLabel* invalid_areas_ = nullptr;
};

}  // namespace kartela
