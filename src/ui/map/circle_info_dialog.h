// TCircleInfoDialog: the settings of the circle map. It shows the largest and
// smallest absolute value of the data and takes the radius of the reference
// circle, the reference value, the base value and the colours of the circles
// above and below the base value.
#pragma once

#include <QDialog>
#include <array>

#include "model/symbol_settings.h"
#include "render/circle_settings_check.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kartela {

class Reporter;

class TCircleInfoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TCircleInfoDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Shows `fields`; OK stores them into a copy of `settings`.
  void Load(const CircleFields& fields, const SymbolSettings& settings);
  // What the edit boxes and the colour buttons hold now (the statistics
  // are left empty); a box Shift-JIS cannot hold is empty.
  CircleFields Fields() const;
  // The settings as loaded, with the boxes stored when OK was taken.
  const SymbolSettings& Symbols() const { return symbols_; }

  // OK refuses, with message 13 and a line that names the box and says why,
  // settings the circle map cannot draw (a radius that is not a whole
  // number, a reference value of 0 or equal to the base value, a box
  // Shift-JIS cannot hold); the dialog stays open with
  // the box at fault selected and nothing is stored.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* BuildColourBox(const char* title, const char* prefix, QButtonGroup*& group);
  struct Refusal {
    QLineEdit* box = nullptr;  // nullptr when OK is taken
    QString reason;
  };
  // The box to select when OK must be refused, with why.
  Refusal Refused();

  Reporter& reporter_;
  SymbolSettings symbols_;
  QLabel* max_;
  QLabel* min_;
  QLineEdit* rad_;
  QLineEdit* dat_;
  QLineEdit* bas_;
  QButtonGroup* plus_ = nullptr;
  QButtonGroup* minus_ = nullptr;
  QCheckBox* nested_ = nullptr;
};

}  // namespace kartela
