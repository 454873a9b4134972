// TDecInputDialog: the small bar, next to the point clicked on the map, in
// which the user types a decoration text. Input methods work in it as in any text box;
// it never holds more Shift-JIS bytes than a decoration record does.
#pragma once

#include <QDialog>
#include <QRect>
#include <string>

#include "model/window_metrics.h"

class QLineEdit;
class QPushButton;

namespace kartela {

class SjisValidator;

// Where the bar and its two boxes go over a speed-button panel at `panel`
// (screen pixels); the boxes relative to the bar.
struct InputBarLayout {
  QRect bar;
  QRect edit;
  QRect ok;
};
InputBarLayout LayOutInputBar(const QRect& panel, int char_w, int edit_height);

class TDecInputDialog : public QDialog {
  Q_OBJECT

 public:
  TDecInputDialog(const TextMetrics& metrics, QWidget* parent);

  // Lays the bar out over the panel at `panel` (screen pixels).
  void PlaceOver(const QRect& panel);
  // Lays the bar out as over `panel`, but puts it just below `point` (screen
  // pixels), where the text will stand, or above it near the screen's
  // bottom, so that the eye need not leave the map.
  void PlaceNear(const QRect& panel, QPoint point);
  // The typed text in Shift-JIS.
  std::string Text() const;
  QLineEdit& Edit() const { return *edit_; }

 signals:
  // A typed or committed text was refused: why, for the user.
  void InputRefused(const QString& message);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Refuse();

  int char_w_;
  QLineEdit* edit_;
  QPushButton* ok_;
  SjisValidator* validator_;
};

}  // namespace kartela
