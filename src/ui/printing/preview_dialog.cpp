#include "ui/printing/preview_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>
#include <cmath>

namespace kartela {
namespace {

// A label that passes clicks on to the window, which closes.
class PageImage : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->ignore(); }
};

}  // namespace

QRect PreviewFrame(QSize client, QSize page, int frame, int caption) {
  const int available_width = client.width() - 2 * frame;
  const int available_height = client.height() - caption - 2 * frame;
  const double page_ratio = static_cast<double>(page.height()) / std::max(1, page.width());
  const double area_ratio = static_cast<double>(available_height) / std::max(1, available_width);
  int m = client.width();
  int n = client.height();
  if (page_ratio <= area_ratio) {
    n = static_cast<int>(std::nearbyint(available_width * page_ratio)) + caption + 2 * frame;
  } else {
    m = static_cast<int>(std::nearbyint(available_height / page_ratio)) + 2 * frame;
  }
  if (m > 1024) {
    n = n * 1024 / m;
    m = 1024;
  }
  if (n > 768) {
    m = m * 768 / n;
    n = 768;
  }
  return QRect((client.width() - m) / 2, 0, m, n);
}

TPreviewDialog::TPreviewDialog(const QImage& page, QWidget* parent) : QDialog(parent) {
  setObjectName("TPreviewDialog");
  setWindowTitle(QStringLiteral("印刷イメージ"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* image = new PageImage(this);
  image->setObjectName("Image");
  image->setPixmap(QPixmap::fromImage(page));
  layout->addWidget(image);
}

void TPreviewDialog::keyPressEvent(QKeyEvent* /*event*/) {
  accept();
}

void TPreviewDialog::mousePressEvent(QMouseEvent* /*event*/) {
  accept();
}

}  // namespace kartela
