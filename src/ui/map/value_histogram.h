// A small picture of the data values for the data information dialog: a
// histogram, or a strip plot when there are few values, with the class
// boundaries drawn across it as the user edits them.
#pragma once

#include <QWidget>
#include <vector>

namespace kartela {

class ValueHistogram : public QWidget {
  Q_OBJECT

 public:
  explicit ValueHistogram(QWidget* parent = nullptr);

  // The valid values, in any order.
  void SetValues(std::vector<double> values);
  // The boundaries in force, drawn as lines; one beyond the values is drawn
  // dashed at the edge it lies past.
  void SetBoundaries(std::vector<double> boundaries);

  // The column where `value` is drawn, clamped to the plot.
  int ColumnOf(double value) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect PlotRect() const;
  void DrawHistogram(QPainter& painter, const QRect& plot) const;
  void DrawStrip(QPainter& painter, const QRect& plot) const;
  void DrawBoundaries(QPainter& painter, const QRect& plot) const;
  void DrawRange(QPainter& painter, const QRect& plot) const;

  std::vector<double> sorted_;
  std::vector<double> boundaries_;
  double low_ = 0;  // the values' range, widened when it is a single value
  double high_ = 1;
};

}  // namespace kartela
