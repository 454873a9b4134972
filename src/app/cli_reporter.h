// Reports of the command-line tool: messages go to standard error, questions
// take their default answer, since nobody is there to answer.
#pragma once

#include "model/reporter.h"

namespace kartela {

class CliReporter : public Reporter {
 public:
  void Show(const CatalogueMessage& message) override;
  bool AskOkCancel(std::string_view text, std::string_view title) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  void ShowNotice(std::string_view text) override;
};

}  // namespace kartela
