// TDelayDialog: the notice that closes itself about one second after it
// appears, so that "保存しました。" needs no click.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace kartela {

class TDelayDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDelayDialog(QWidget* parent = nullptr);

  // The notice text.
  void SetComment(const QString& text);
  QString Comment() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CentreOnScreen();

  QLabel* comment_ = nullptr;
  QTimer timer1_;
};

}  // namespace kartela
