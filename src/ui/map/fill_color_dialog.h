// TFillColorDialog: the fill of a shape decoration, one of nine colours or
// none. The caller sets the caption and the choice, and reads the choice
// back after OK.
#pragma once

#include <QDialog>

class QButtonGroup;

namespace kartela {

// The choices in the order of the buttons: white, yellow, cyan, green,
// magenta, red, blue, black, grey, transparent.
inline constexpr int kFillChoiceCount = 10;

class TFillColorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFillColorDialog(QWidget* parent = nullptr);

  // The choice whose button is checked when the dialog is shown; none is for
  // a choice outside 0..9.
  void SetChoice(int choice);
  // The choice of the button checked when the dialog last closed, by OK or
  // Cancel, or the one set since.
  int Choice() const { return choice_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QButtonGroup* buttons_;
  int choice_ = 0;
};

}  // namespace kartela
