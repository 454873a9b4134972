// A dialog that checks its number boxes when OK is pressed, so that a typed
// number it cannot take is named while the user can still correct it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QLineEdit;

namespace kartela {

class Reporter;

// Whether a box's text converts to a number the box takes.
using NumberTextCheck = std::function<bool(const QString& text)>;

class CheckedDialog : public QDialog {
  Q_OBJECT

 public:
  // On OK, refuses the first box whose text does not convert: message 13
  // with a second line naming the box and its range, the focus on the box
  // with its text selected, and the dialog left open.
  void done(int result) override;

  // Checks `box` on OK: the message names it by `label`, the text beside it
  // (without a trailing colon or dots), and says `range`, what it takes, in
  // words ("2～8 の整数").
  void CheckNumberBox(QLineEdit& box, const QString& label, const QString& range,
                      NumberTextCheck converts);

 protected:
  CheckedDialog(Reporter& reporter, QWidget* parent);
  Reporter& reporter() const { return reporter_; }
  // False, after the refusal, when a box does not convert; for a dialog
  // that ends with another result than OK which takes the boxes too.
  bool AcceptNumberBoxes() const;

 private:
  struct CheckedBox {
    QLineEdit* box;
    QString name;
    QString range;
    NumberTextCheck converts;
  };

  Reporter& reporter_;
  std::vector<CheckedBox> number_boxes_;
};

// Refuses what `box` holds: message 13 with `reason` as its second line,
// then the focus on the box with its text selected.
void RefuseBox(Reporter& reporter, QLineEdit& box, const QString& reason);

// The line that names box `name` and what it takes, `range`:
// "「区分数」には 2～8 の整数を入力してください。".
QString NumberBoxReason(const QString& name, const QString& range);

// The range line of a whole-number box: "-32768～32767 の整数".
QString WholeNumberRange(long long low, long long high);

}  // namespace kartela
