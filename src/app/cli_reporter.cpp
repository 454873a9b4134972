#include "app/cli_reporter.h"

#include <iostream>

namespace kartela {

void CliReporter::Show(const CatalogueMessage& message) {
  std::cerr << message.title << ": " << message.text << '\n';
}

bool CliReporter::AskOkCancel(std::string_view text, std::string_view title) {
  std::cerr << title << ": " << text << " (OK)\n";
  return true;
}

Answer CliReporter::AskYesNoCancel(std::string_view text, std::string_view title) {
  std::cerr << title << ": " << text << " (cancelled)\n";
  return Answer::kCancel;
}

void CliReporter::ShowNotice(std::string_view) {}

}  // namespace kartela
