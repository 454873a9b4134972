// The program's one current printer: the printer button of the print dialogs
// changes it, and every print command prints on it, so a choice made once
// holds until the program ends.
#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace kartela {

class CurrentPrinter {
 public:
  // The system's default printer; when the system has none, Qt's PDF file
  // printer without a file, which the printer dialog must name first.
  CurrentPrinter();
  ~CurrentPrinter();
  CurrentPrinter(const CurrentPrinter&) = delete;
  CurrentPrinter& operator=(const CurrentPrinter&) = delete;

  QPrinter& printer() { return *printer_; }

  // The platform's printer dialog: the system's CUPS printers and "Print to
  // File (PDF)", with the paper and orientation under its properties. The
  // printer changes only on OK.
  void Choose(QWidget* parent);

 private:
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace kartela
