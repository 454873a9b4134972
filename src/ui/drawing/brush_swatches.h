// A reference picture of the fill brushes: each brush as a swatch with its
// pattern symbol under it, drawn through the same device context as the map
// so that a swatch looks as the map will. A click on a cell picks its brush.
#pragma once

#include <QRect>
#include <QWidget>

namespace kartela {

class BrushSwatches : public QWidget {
  Q_OBJECT

 public:
  // Shows brushes `first` .. `first + count - 1`, eight to a row.
  BrushSwatches(int first, int count, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  // Where the swatch of brush `index` lies, in widget pixels.
  QRect SwatchRect(int index) const;

 signals:
  // The cell of brush `index` (swatch or symbol) was clicked.
  void BrushClicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int first_;
  int count_;
};

}  // namespace kartela
