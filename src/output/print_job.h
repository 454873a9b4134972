// What a print job (the map or the data list) ends with.
#pragma once

#include <QString>
#include <string>

class QPrinter;

namespace kartela::output {

enum class PrintOutcome { kPrinted, kAborted, kRefused, kFailed };

struct PrintResult {
  PrintOutcome outcome = PrintOutcome::kPrinted;
  int pages = 0;          // pages drawn
  std::string message{};  // UTF-8: why it was refused or failed
};

// A failure after `pages` pages: `why`, with the printer or file it concerns
// on a second line.
PrintResult PrintFailure(int pages, const QString& why, const QPrinter& printer);

}  // namespace kartela::output
