// TAbortForm: the small window shown while a job prints, with the one button
// "印刷中止". A print loop shows it, lets pending events run between pages
// and stops when Aborted() turns true.
#pragma once

#include <QDialog>

namespace kartela {

class TAbortForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAbortForm(QWidget* parent = nullptr);

  // Shows the form modelessly, centred on the screen, with the flag cleared.
  void Start();
  // Runs the events pending since the last call (a click on the button
  // among them), then tells whether the button has been pressed.
  bool Aborted();
  // Sets the flag and closes the form, as the button does.
  void Abort();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool aborted_ = false;
};

}  // namespace kartela
