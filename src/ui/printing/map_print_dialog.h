// TMapPrintDialog ("画像の印刷"): the margins, copies, magnification, line
// width and paper orientation of a map print (縦／横, and with "自動調整" the
// choice to take the orientation that gives the larger map), with buttons for
// the preview and the printer.
// It edits a copy of the print values and gives them back through Values().
// Print and preview refuse, naming the box, a number box that does not
// convert or lies outside what it takes.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "output/export_settings.h"
#include "ui/widgets/checked_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace kartela {

// The print magnification typed as a text: "自動調整" is -1 (fit to the
// page); any other text is read as the drawing magnifications are.
std::optional<double> PrintSizeOfText(const QString& text);
// The combo box's text for `magnification`: "自動調整" below 0, else one decimal.
QString MagnificationText(double magnification);

class TMapPrintDialog : public CheckedDialog {
  Q_OBJECT

 public:
  // The modal result of the preview button, beside Accepted and Rejected.
  static constexpr int kPreview = 2;

  explicit TMapPrintDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Shows `values`; the warning about the program's own fill patterns when
  // `pattern_warning`.
  void Load(const output::PrinterSettings& values, bool pattern_warning);
  // The values last accepted by the print or the preview button.
  const output::PrinterSettings& Values() const { return values_; }

  // What the printer button does (the platform's printer dialog).
  void SetPrinterSetup(std::function<void()> setup) { printer_setup_ = std::move(setup); }
  // Whether values leave a printable area on the current printer; the print
  // and preview buttons refuse values without one.
  void SetAreaCheck(std::function<bool(const output::PrinterSettings&)> check) {
    area_check_ = std::move(check);
  }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Reads the checked boxes into values_; false, with a message, when they
  // leave no printable area.
  bool Accept();
  // The orientation the buttons choose; the automatic choice only with
  // "自動調整".
  output::PageOrientation ChosenOrientation() const;

  output::PrinterSettings values_;
  std::array<QLineEdit*, 4> margins_{};  // left, right, top, bottom
  QLineEdit* copies_;
  QComboBox* print_size_;
  QLineEdit* line_width_;
  QRadioButton* portrait_;
  QRadioButton* landscape_;
  QCheckBox* auto_orientation_;
  QWidget* warning_panel_;
  std::function<void()> printer_setup_;
  std::function<bool(const output::PrinterSettings&)> area_check_;
};

}  // namespace kartela
