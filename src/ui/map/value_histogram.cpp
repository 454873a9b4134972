#include "ui/map/value_histogram.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kartela {
namespace {

// Fewer values than this are drawn one by one.
constexpr std::size_t kStripLimit = 60;
constexpr int kMinBins = 10;
constexpr int kMaxBins = 48;
constexpr int kDotSize = 4;

const QColor kBarColor(128, 128, 128);
const QColor kBoundaryColor(192, 0, 0);

}  // namespace

ValueHistogram::ValueHistogram(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ValueHistogram::SetValues(std::vector<double> values) {
  sorted_ = std::move(values);
  std::sort(sorted_.begin(), sorted_.end());
  low_ = sorted_.empty() ? 0 : sorted_.front();
  high_ = sorted_.empty() ? 1 : sorted_.back();
  if (high_ <= low_) {
    const double margin = std::max(1.0, std::fabs(low_) * 0.5);
    low_ -= margin;
    high_ += margin;
  }
  update();
}

void ValueHistogram::SetBoundaries(std::vector<double> boundaries) {
  boundaries_ = std::move(boundaries);
  update();
}

QRect ValueHistogram::PlotRect() const {
  const int text_height = fontMetrics().height();
  return rect().adjusted(4, 4, -4, -4 - text_height);
}

int ValueHistogram::ColumnOf(double value) const {
  const QRect plot = PlotRect();
  const double share = std::clamp((value - low_) / (high_ - low_), 0.0, 1.0);
  return plot.left() + static_cast<int>(std::lround(share * (plot.width() - 1)));
}

QSize ValueHistogram::sizeHint() const {
  return {360, 72 + fontMetrics().height()};
}

QSize ValueHistogram::minimumSizeHint() const {
  return {120, 48 + fontMetrics().height()};
}

void ValueHistogram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect plot = PlotRect();
  painter.fillRect(plot, palette().base());
  painter.setPen(palette().mid().color());
  painter.drawRect(plot.adjusted(0, 0, -1, -1));
  if (sorted_.empty()) return;
  if (sorted_.size() < kStripLimit)
    DrawStrip(painter, plot);
  else
    DrawHistogram(painter, plot);
  DrawBoundaries(painter, plot);
  DrawRange(painter, plot);
}

void ValueHistogram::DrawHistogram(QPainter& painter, const QRect& plot) const {
  const int bins = std::clamp(static_cast<int>(std::lround(std::sqrt(sorted_.size()))), kMinBins,
                              std::min(kMaxBins, plot.width()));
  std::vector<int> counts(static_cast<std::size_t>(bins), 0);
  for (const double value : sorted_) {
    const int bin = static_cast<int>((value - low_) / (high_ - low_) * bins);
    ++counts[static_cast<std::size_t>(std::clamp(bin, 0, bins - 1))];
  }
  const int tallest = *std::max_element(counts.begin(), counts.end());
  for (int i = 0; i < bins; ++i) {
    const int left = plot.left() + plot.width() * i / bins;
    const int right = plot.left() + plot.width() * (i + 1) / bins;
    const int height = (plot.height() - 2) * counts[static_cast<std::size_t>(i)] / tallest;
    painter.fillRect(QRect(left + 1, plot.bottom() - height, std::max(1, right - left - 1), height),
                     kBarColor);
  }
}

// Each value a dot; values that fall on the same column stack upwards.
void ValueHistogram::DrawStrip(QPainter& painter, const QRect& plot) const {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBarColor);
  int previous_column = -1;
  int stacked = 0;
  for (const double value : sorted_) {
    const int column = ColumnOf(value);
    stacked = column - previous_column < kDotSize ? stacked + 1 : 0;
    if (stacked == 0) previous_column = column;
    const int top = plot.bottom() - (stacked + 1) * kDotSize;
    painter.drawEllipse(
        QRect(column - kDotSize / 2, std::max(plot.top(), top), kDotSize, kDotSize));
  }
}

void ValueHistogram::DrawBoundaries(QPainter& painter, const QRect& plot) const {
  for (const double boundary : boundaries_) {
    const bool beyond = boundary < low_ || boundary > high_;
    painter.setPen(QPen(kBoundaryColor, 1, beyond ? Qt::DashLine : Qt::SolidLine));
    const int column = ColumnOf(boundary);
    painter.drawLine(column, plot.top(), column, plot.bottom());
  }
}

void ValueHistogram::DrawRange(QPainter& painter, const QRect& plot) const {
  painter.setPen(palette().text().color());
  const QRect below(plot.left(), plot.bottom() + 1, plot.width(), fontMetrics().height());
  painter.drawText(below, Qt::AlignLeft, QString::number(sorted_.front(), 'g', 8));
  painter.drawText(below, Qt::AlignRight, QString::number(sorted_.back(), 'g', 8));
}

}  // namespace kartela
