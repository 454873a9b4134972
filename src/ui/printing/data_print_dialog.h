// TDataPrintDialog: the margins, columns, copies, font and line spacing of the
// data list, with the printer setup button. OK refuses, naming the box, a
// number box that does not convert or lies outside what it takes.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "output/data_list_print.h"
#include "render/workspace.h"
#include "ui/widgets/checked_dialog.h"

class QComboBox;
class QLineEdit;

namespace kartela {

class TDataPrintDialog : public CheckedDialog {
  Q_OBJECT

 public:
  // Offers the faces of `installed` (UTF-8) after the Windows Japanese faces.
  TDataPrintDialog(Reporter& reporter, std::span<const std::string> installed,
                   QWidget* parent = nullptr);

  // What the ﾌﾟﾘﾝﾀｰ button runs; the dialog stays open.
  void SetPrinterSetup(std::function<void()> setup) { printer_setup_ = std::move(setup); }

  void Load(const PrintSettings& print);
  // Margins, copies and columns by their leading integer; the spacing as a
  // real (by its leading number as well).
  void StoreInto(PrintSettings& print) const;
  // The face and size chosen for this print (the size by its leading integer).
  output::DataListFont ChosenFont() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* left_;
  QLineEdit* right_;
  QLineEdit* top_;
  QLineEdit* bottom_;
  QLineEdit* columns_;
  QLineEdit* copies_;
  QComboBox* font_type_;
  QComboBox* font_size_;
  QLineEdit* spacing_;
  std::function<void()> printer_setup_;
};

}  // namespace kartela
