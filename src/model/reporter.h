// How operations of the model report to the user. The desktop program shows
// message boxes, the command-line tool writes to standard error and tests
// record what was reported.
#pragma once

#include <string_view>

#include "model/messages.h"

namespace kartela {

enum class Answer { kYes, kNo, kCancel };

class Reporter {
 public:
  virtual ~Reporter() = default;

  // A catalogue message with the OK button only.
  virtual void Show(const CatalogueMessage& message) = 0;
  // A question with OK and Cancel and the question icon; true for OK.
  virtual bool AskOkCancel(std::string_view text, std::string_view title) = 0;
  // A question with Yes, No and Cancel.
  virtual Answer AskYesNoCancel(std::string_view text, std::string_view title) = 0;
  // The self-closing notice.
  virtual void ShowNotice(std::string_view text) = 0;
};

}  // namespace kartela
