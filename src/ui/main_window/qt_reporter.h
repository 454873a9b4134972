// The reporter of the desktop program: catalogue messages and questions as
// message boxes owned by the main window, notices in TDelayDialog.
#pragma once

#include <QPointer>

#include "model/reporter.h"

class QWidget;

namespace kartela {

class TDelayDialog;

class QtReporter : public Reporter {
 public:
  QtReporter() = default;
  ~QtReporter() override;
  QtReporter(const QtReporter&) = delete;
  QtReporter& operator=(const QtReporter&) = delete;

  // The window that owns every box; also creates the notice dialog.
  void SetOwner(QWidget* owner);

  void Show(const CatalogueMessage& message) override;
  bool AskOkCancel(std::string_view text, std::string_view title) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  void ShowNotice(std::string_view text) override;

 private:
  QPointer<QWidget> owner_;
  QPointer<TDelayDialog> delay_dialog_;
};

}  // namespace kartela
