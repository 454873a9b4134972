#include "ui/drawing/brush_swatches.h"

#include <QMouseEvent>
#include <QPainter>
#include <string_view>

#include "gdi/qt/painter_device_context.h"
#include "render/drawing_resources.h"

namespace kartela {
namespace {

constexpr int kColumns = 8;
constexpr int kCellWidth = 40;
constexpr int kCellHeight = 40;
constexpr int kMargin = 4;  // around the swatch inside its cell
constexpr int kSwatchWidth = kCellWidth - 2 * kMargin;
constexpr int kSwatchHeight = 20;
constexpr int kSymbolHeight = 12;

// "ＭＳ ゴシック" in Shift-JIS: the symbols are letters, clearest in a gothic face.
constexpr std::string_view kGothicFace = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

LogFont SymbolFont() {
  LogFont font;
  font.Height = -kSymbolHeight;
  font.FaceName = std::string(kGothicFace);
  return font;
}

gdi::Rect ToRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

BrushSwatches::BrushSwatches(int first, int count, QWidget* parent)
    : QWidget(parent), first_(first), count_(count) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setCursor(Qt::PointingHandCursor);
}

QSize BrushSwatches::sizeHint() const {
  const int rows = (count_ + kColumns - 1) / kColumns;
  return {kColumns * kCellWidth, rows * kCellHeight};
}

QRect BrushSwatches::SwatchRect(int index) const {
  const int cell = index - first_;
  return {(cell % kColumns) * kCellWidth + kMargin, (cell / kColumns) * kCellHeight + kMargin,
          kSwatchWidth, kSwatchHeight};
}

void BrushSwatches::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (at.x() < 0 || at.y() < 0 || at.x() >= kColumns * kCellWidth) return;
  const int cell = (at.y() / kCellHeight) * kColumns + at.x() / kCellWidth;
  if (cell < count_) emit BrushClicked(first_ + cell);
}

void BrushSwatches::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  gdi::PainterDeviceContext dc(painter);
  // As on the map: the gaps between hatch lines stay unpainted.
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  dc.SelectPen(gdi::Pen{});
  dc.SelectFont(SymbolFont());
  dc.SetTextColor(gdi::kBlack);
  dc.SetTextAlign(gdi::kAlignCenter | gdi::kAlignTop);
  for (int index = first_; index < first_ + count_; ++index) {
    const QRect swatch = SwatchRect(index);
    dc.SelectBrush(BrushAt(index));
    dc.Rectangle(ToRect(swatch));
    const char symbol = SymbolOfBrush(index);
    dc.TextOut({swatch.center().x() + 1, swatch.bottom() + 1 + kMargin / 2},
               std::string_view(&symbol, 1));
  }
}

}  // namespace kartela
