// TPreviewDialog ("印刷イメージ"): the picture of the printed page, closed by
// a click or any key; and where it goes over the main window.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QSize>

namespace kartela {

// The preview window's frame on the main window's client area `client`:
// as wide as the client when the page (`page` pixels) is not taller than
// the area left inside the window's frame `frame` and caption `caption`,
// otherwise as tall; at most 1024 wide, then at most 768 tall; centred
// across, at the top.
QRect PreviewFrame(QSize client, QSize page, int frame, int caption);

class TPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TPreviewDialog(const QImage& page, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kartela
