// TDataInfoDialog: the statistics and percentiles of the data, with the
// proposed class boundaries and the division method for the user to accept
// or edit before a paint map is drawn.
#pragma once

#include <QDialog>
#include <array>

#include "render/classification.h"
#include "ui/app_context.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kartela {

// Boundary boxes of the dialog: boundaries 1..7.
inline constexpr int kBoundaryBoxCount = 7;

class TDataInfoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDataInfoDialog(AppContext& context, QWidget* parent = nullptr);

  // Shows the statistics, percentiles, proposed boundaries and division
  // method of `tables`, and names the areas whose values are invalid (the
  // first ten, then how many more). Whenever the dialog then closes, by OK
  // or by Cancel, the boundary boxes go back into tables.ProposedBreaks and
  // the method into tables.DivisionMethod.
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
  QRadioButton* method1_ = nullptr;
  QRadioButton* method2_ = nullptr;
  // The areas whose values are invalid, named.
  QLabel* invalid_areas_ = nullptr;
};

}  // namespace kartela
