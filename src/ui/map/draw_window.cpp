#include "ui/map/draw_window.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/real48.h"
#include "gdi/qt/painter_device_context.h"
#include "model/messages.h"
#include "render/decoration_painter.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/picture_graph.h"
#include "ui/map/dec_input_dialog.h"
#include "ui/map/map_cursors.h"

namespace kartela {
namespace {

QColor ToQColor(gdi::Color color) {
  return QColor(color.r, color.g, color.b);
}

// The scroll position along one axis that keeps the point at the centre of
// a view `view` pixels long there when the magnification goes from `before`
// to `after`.
int CentredPosition(int position, int view, double before, double after) {
  if (!(before > 0)) return position;
  const double centre = (position + view / 2.0) * (after / before);
  return static_cast<int>(std::lround(std::clamp(centre - view / 2.0, -1e9, 1e9)));
}

// Decoration records hold 16-bit coordinates.
std::int16_t RecordCoordinate(int value) {
  return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

gdi::Point ToGdi(QPoint p) {
  return gdi::Point{p.x(), p.y()};
}

// The height of the speed-button panel, where the input bar goes when the
// window has no panel to lay it over.
constexpr int kPanelHeight = 37;
// The text mark: a bar along the top and one down the left of the text.
constexpr QRect kMarkTop(-2, -2, 11, 2);
constexpr QRect kMarkLeft(-2, 0, 2, 26);
// Room around a band for the pen and rounding.
constexpr int kBandMargin = 2;

}  // namespace

QString PositionText(QPoint canvas, DecorationMode mode) {
  if (mode == DecorationMode::kNone) return QStringLiteral("\u3000\u3000\u3000\u3000 ");
  return QStringLiteral("%1:%2").arg(canvas.x(), 4).arg(canvas.y()).leftJustified(9);
}

QPoint FirstBandOffset(const DecorationTools& tools, DecorationMode mode) {
  switch (mode) {
    case DecorationMode::kCircle:
      return QPoint(tools.LastCircleSize, 0);
    case DecorationMode::kSquare:
      return QPoint(tools.LastSquareSize, tools.LastSquareSize);
    case DecorationMode::kTriangle: {  // the lower-right corner
      const long double size = tools.LastTriangleSize;
      return QPoint(static_cast<int>(RoundHalfEven(size * 0.5L * std::sqrt(3.0L))),
                    static_cast<int>(RoundHalfEven(size * 0.5L)));
    }
    case DecorationMode::kCross:
      return QPoint(tools.LastCrossSize, tools.LastCrossSize);
    default:
      return QPoint();
  }
}

TDrawWindow::TDrawWindow(AppContext& context, QWidget* parent)
    : QAbstractScrollArea(parent), context_(context), measure_image_(1, 1, QImage::Format_RGB32) {
  setObjectName("TDrawWindow");
  setWindowTitle(kMapWindowCaption);
  RecreateResources();  // sets the window colour too
  SetUpScrollBars();
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);  // the position display follows every move
  ApplyDecorationCursor();
}

TDrawWindow::~TDrawWindow() = default;

void TDrawWindow::SetUpScrollBars() {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  horizontalScrollBar()->setSingleStep(kScrollLineStep);
  verticalScrollBar()->setSingleStep(kScrollLineStep);
  UpdateScrollRange();
}

void TDrawWindow::UpdateScrollRange() {
  const gdi::Size extent = DrawingExtent(context_.workspace);
  horizontalScrollBar()->setRange(0, std::max(0, extent.cx - viewport()->width()));
  verticalScrollBar()->setRange(0, std::max(0, extent.cy - viewport()->height()));
}

void TDrawWindow::MagnificationChanged(double before_x, double before_y) {
  const Settings& settings = context_.workspace.settings;
  QScrollBar& horizontal = *horizontalScrollBar();
  QScrollBar& vertical = *verticalScrollBar();
  const int x =
      CentredPosition(horizontal.value(), viewport()->width(), before_x, settings.DrawResX);
  const int y =
      CentredPosition(vertical.value(), viewport()->height(), before_y, settings.DrawResY);
  UpdateScrollRange();
  horizontal.setValue(x);
  vertical.setValue(y);
  Invalidate();
}

void TDrawWindow::ApplyWindowColour() {
  QPalette palette = viewport()->palette();
  const QColor colour = ToQColor(context_.workspace.screen_colors.window);
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Base, colour);  // the role a scroll area's viewport fills with
  viewport()->setPalette(palette);
  viewport()->setAutoFillBackground(true);
}

void TDrawWindow::Invalidate() {
  picture_valid_ = false;
  viewport()->update();
}

DrawingResources& TDrawWindow::resources() {
  return resources_;
}

void TDrawWindow::RecreateResources() {
  const Workspace& workspace = context_.workspace;
  resources_ =
      CreateDrawingResources(workspace.settings, workspace.screen_colors, workspace.PrintLineWidth);
  ApplyWindowColour();
  Invalidate();
}

gdi::DeviceContext& TDrawWindow::MeasuringContext() {
  if (!measure_dc_) {
    measure_painter_ = std::make_unique<QPainter>(&measure_image_);
    measure_dc_ = std::make_unique<gdi::PainterDeviceContext>(*measure_painter_);
  }
  return *measure_dc_;
}

void TDrawWindow::Activate() {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (QMdiArea* area = frame->mdiArea()) area->setActiveSubWindow(frame);
    frame->raise();
  } else {
    raise();
    activateWindow();
  }
  setFocus();
}

void TDrawWindow::paintEvent(QPaintEvent*) {
  // Children wait while the main window lays them out again.
  if (context_.layout_pending) return;
  // A resized window needs a new picture.
  const bool overlay_only =
      overlay_update_ && picture_valid_ && map_picture_.size() == PictureSize();
  overlay_update_ = false;
  if (!overlay_only) RenderMap();
  QPainter painter(viewport());
  painter.drawPixmap(0, 0, map_picture_);
  DrawOverlay(painter);
  painter.end();
  ApplyScrollReset();
}

void TDrawWindow::RenderMap() {
  if (const std::optional<std::string> gone =
          RefreshGlyphPicture(context_.workspace.view, context_.paths.ProgramDir)) {
    // After the paint rather than inside it.
    Reporter* reporter = &context_.reporter;
    QTimer::singleShot(
        0, [reporter, shown = *gone] { ShowMessage(*reporter, kMsgFileReadFailed, shown); });
  }
  painting_ = true;
  UpdateScrollRange();  // the drawing may have grown or shrunk since the last paint
  painting_ = false;
  if (map_picture_.size() != PictureSize()) map_picture_ = QPixmap(PictureSize());
  map_picture_.setDevicePixelRatio(viewport()->devicePixelRatioF());
  map_picture_.fill(ToQColor(context_.workspace.screen_colors.window));
  QPainter painter(&map_picture_);
  RePaint(painter);
  picture_valid_ = true;
  ++full_paints_;
}

QSize TDrawWindow::PictureSize() const {
  return viewport()->size() * viewport()->devicePixelRatioF();
}

void TDrawWindow::RePaint(QPainter& painter) {
  gdi::PainterDeviceContext dc(painter);
  FurniturePlaces places;
  PaintParams params;
  params.PaintFlags = 0;
  params.PaintScale = 1.0;
  params.PaintOrigin = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
  params.measure_fallback = &MeasuringContext();
  params.places = &places;
  PaintMap(context_.workspace, resources_, dc, params);
  KeepFurniturePlaces(places);
}

void TDrawWindow::KeepFurniturePlaces(const FurniturePlaces& places) {
  const auto canvas_box = [this](const std::optional<gdi::Rect>& r) {
    if (!r) return QRect();
    return QRect(QPoint(r->left, r->top), QPoint(r->right - 1, r->bottom - 1)).translated(Scroll());
  };
  title_box_ = canvas_box(places.title);
  legend_box_ = canvas_box(places.legend);
}

void TDrawWindow::DrawOverlay(QPainter& painter) {
  if (furniture_drag_) {
    // A dotted frame where the dragged item would go, inverted to show on
    // any colour.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        OverlayArea().adjusted(kBandMargin, kBandMargin, -kBandMargin - 1, -kBandMargin - 1));
    return;
  }
  if (!start_) return;
  const DecorationMode mode = Mode();
  const QPoint start = *start_ - Scroll();
  if (IsTextMode(mode)) {
    // Inverted, so that it shows on any colour.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.fillRect(kMarkTop.translated(start), Qt::black);
    painter.fillRect(kMarkLeft.translated(start), Qt::black);
    return;
  }
  if (!end_ || !IsShapeMode(mode)) return;
  gdi::PainterDeviceContext dc(painter);
  dc.SelectPen(
      resources_.PenFor(mode == DecorationMode::kDottedLine ? kPenDotted : kPenLegend, false));
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  dc.SetRasterOp(gdi::RasterOp::kNotXorPen);
  DrawRubberBand(dc, mode, ToGdi(start), ToGdi(*end_ - Scroll()));
}

QRect TDrawWindow::OverlayArea() const {
  if (furniture_drag_) {
    const FurnitureDrag& drag = *furniture_drag_;
    return drag.box.translated(drag.now - drag.press - Scroll())
        .adjusted(-kBandMargin, -kBandMargin, kBandMargin, kBandMargin);
  }
  if (!start_) return QRect();
  const QPoint start = *start_ - Scroll();
  if (IsTextMode(Mode())) return kMarkTop.united(kMarkLeft).translated(start);
  if (!end_) return QRect();
  const QPoint end = *end_ - Scroll();
  QRect area = QRect(start, end).normalized();
  if (Mode() > DecorationMode::kRectangle) {
    // Each symbol lies within its radius or half side of the centre, and
    // both are at most |dx| + |dy|.
    const QPoint d = end - start;
    const int reach = std::abs(d.x()) + std::abs(d.y());
    area = QRect(start - QPoint(reach, reach), start + QPoint(reach, reach));
  }
  return area.adjusted(-kBandMargin, -kBandMargin, kBandMargin, kBandMargin);
}

void TDrawWindow::UpdateFromCache(const QRect& area) {
  if (area.isEmpty()) return;
  overlay_update_ = true;
  viewport()->update(area);
}

void TDrawWindow::ApplyScrollReset() {
  MapView& view = context_.workspace.view;
  if (!view.ScrollReset) return;
  view.ScrollReset = false;
  // Moving a scroll bar repaints at the new origin.
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

void TDrawWindow::scrollContentsBy(int, int) {
  // The map is painted from the scroll position, never shifted.
  if (!painting_) Invalidate();
}

void TDrawWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  horizontalScrollBar()->setPageStep(std::max(kScrollLineStep, viewport()->width()));
  verticalScrollBar()->setPageStep(std::max(kScrollLineStep, viewport()->height()));
  UpdateScrollRange();
}

void TDrawWindow::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  if (!event->modifiers().testFlag(Qt::ShiftModifier) ||
      std::abs(angle.y()) <= std::abs(angle.x())) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  // Without Shift, which would make the scroll bar step by pages.
  QWheelEvent sideways(event->position(), event->globalPosition(), event->pixelDelta().transposed(),
                       angle.transposed(), event->buttons(),
                       event->modifiers() & ~Qt::ShiftModifier, event->phase(), event->inverted(),
                       event->source());
  QAbstractScrollArea::wheelEvent(&sideways);
  event->setAccepted(sideways.isAccepted());
}

// --- the mouse -------------------------------------------------------------

QPoint TDrawWindow::Scroll() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

DecorationMode TDrawWindow::Mode() const {
  return context_.workspace.decoration_tools.Mode;
}

void TDrawWindow::ApplyDecorationCursor() {
  cursor_mode_ = Mode();
  move_cursor_ = false;
  viewport()->setCursor(DecorationCursor(cursor_mode_));
}

void TDrawWindow::SetInputBarPanel(QWidget* panel) {
  input_bar_panel_ = panel;
}

void TDrawWindow::ShowPosition(QPoint canvas) {
  if (cursor_mode_ != Mode()) ApplyDecorationCursor();
  emit PositionChanged(PositionText(canvas, Mode()));
}

void TDrawWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint canvas = event->position().toPoint() + Scroll();
  if (event->button() == Qt::LeftButton) {
    ShowPosition(canvas);
    LeftDown(canvas);
  } else if (event->button() == Qt::RightButton) {
    ShowPosition(canvas);
    RightDown();
  }
}

void TDrawWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint canvas = event->position().toPoint() + Scroll();
  ShowPosition(canvas);
  ShowMoveCursor(canvas);
  MoveBand(canvas);
}

void TDrawWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint canvas = event->position().toPoint() + Scroll();
  if (event->button() == Qt::LeftButton) {
    LeftUp(canvas);
  } else if (event->button() == Qt::RightButton) {
    ShowPosition(canvas);
  }
}

void TDrawWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && furniture_drag_) {
    CancelFurnitureDrag();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TDrawWindow::LeftDown(QPoint canvas) {
  const DecorationMode mode = Mode();
  if (mode == DecorationMode::kNone) {
    furniture_drag_cancelled_ = false;
    StartFurnitureDrag(canvas);
    return;
  }
  if (IsTextMode(mode)) {
    start_ = canvas;
    UpdateFromCache(OverlayArea());
    return;
  }
  if (!IsShapeMode(mode)) return;
  if (ShapeListFull(context_.workspace.decorations)) {
    ShowMessage(context_.reporter, kMsgDecorationsFull);
    return;
  }
  if (start_) return;  // a press while one is pending changes nothing
  start_ = canvas;
  // The warp reaches the window as an ordinary move, which draws the band.
  const QPoint offset = FirstBandOffset(context_.workspace.decoration_tools, mode);
  if (!offset.isNull()) QCursor::setPos(QCursor::pos() + offset);
}

void TDrawWindow::MoveBand(QPoint canvas) {
  if (furniture_drag_) {
    const QRect before = OverlayArea();
    furniture_drag_->now = canvas;
    UpdateFromCache(before.united(OverlayArea()));
    return;
  }
  if (!start_ || !IsShapeMode(Mode())) return;
  const QRect before = OverlayArea();
  end_ = canvas;
  UpdateFromCache(before.united(OverlayArea()));
}

void TDrawWindow::RightDown() {
  const DecorationMode mode = Mode();
  if (RemoveLastDecoration(context_.workspace.decorations, mode)) Invalidate();
}

void TDrawWindow::LeftUp(QPoint canvas) {
  if (furniture_drag_) {
    furniture_drag_->now = canvas;
    FinishFurnitureDrag();
    return;
  }
  if (furniture_drag_cancelled_) {
    furniture_drag_cancelled_ = false;
    ShowMoveCursor(canvas);
    return;
  }
  const DecorationMode mode = Mode();
  if (IsTextMode(mode)) {
    PlaceText(canvas);
  } else if (IsShapeMode(mode)) {
    if (start_ && end_) AddDraggedShape();
    const QRect band = OverlayArea();
    start_.reset();
    end_.reset();
    UpdateFromCache(band);
  }
}

void TDrawWindow::PlaceText(QPoint canvas) {
  DecorationLists& lists = context_.workspace.decorations;
  const QRect mark = OverlayArea();
  std::optional<std::string> text;
  if (TextListFull(lists)) {
    ShowMessage(context_.reporter, kMsgDecorationsFull);
  } else {
    TDecInputDialog bar(context_.metrics, this);
    bar.PlaceOver(InputBarPanel());
    if (bar.exec() == QDialog::Accepted) text = bar.Text();
  }
  start_.reset();
  UpdateFromCache(mark);
  if (!text) return;
  const TextDecoration decoration{
      RecordCoordinate(canvas.x()), RecordCoordinate(canvas.y()),
      Mode() == DecorationMode::kTextCleared ? kTextCleared : kTextTransparent, std::move(*text)};
  // The bar holds no more than a record does, so only an empty text is left out.
  if (AddTextDecoration(lists, decoration) == AddTextResult::kAdded) Invalidate();
}

std::optional<TDrawWindow::Furniture> TDrawWindow::FurnitureAt(QPoint canvas) const {
  // The legend is drawn over the title.
  if (legend_box_.contains(canvas)) return Furniture::kLegend;
  if (title_box_.contains(canvas)) return Furniture::kTitle;
  return std::nullopt;
}

void TDrawWindow::StartFurnitureDrag(QPoint canvas) {
  const std::optional<Furniture> item = FurnitureAt(canvas);
  if (!item) return;
  furniture_drag_ =
      FurnitureDrag{*item, *item == Furniture::kTitle ? title_box_ : legend_box_, canvas, canvas};
  UpdateFromCache(OverlayArea());
}

// The offsets change as the position dialogs change them, with the same
// change bits, so the settings file and documents keep the new place.
void TDrawWindow::FinishFurnitureDrag() {
  const FurnitureDrag drag = *furniture_drag_;
  const QRect frame = OverlayArea();
  furniture_drag_.reset();
  const QPoint d = drag.now - drag.press;
  Settings& settings = context_.workspace.settings;
  const bool moved = drag.item == Furniture::kTitle ? MoveTitle(settings, ToGdi(d))
                                                    : MoveLegend(settings, ToGdi(d));
  if (moved) {
    Invalidate();
  } else {
    UpdateFromCache(frame);
  }
}

void TDrawWindow::CancelFurnitureDrag() {
  const QRect frame = OverlayArea();
  furniture_drag_.reset();
  furniture_drag_cancelled_ = true;
  UpdateFromCache(frame);
  ShowMoveCursor({});  // none while cancelled, wherever the pointer is
}

void TDrawWindow::ShowMoveCursor(QPoint canvas) {
  const bool over = Mode() == DecorationMode::kNone && !furniture_drag_cancelled_ &&
                    (furniture_drag_ || FurnitureAt(canvas).has_value());
  if (over == move_cursor_) return;
  move_cursor_ = over;
  viewport()->setCursor(over ? QCursor(Qt::SizeAllCursor) : DecorationCursor(Mode()));
}

QRect TDrawWindow::InputBarPanel() const {
  if (input_bar_panel_ != nullptr)
    return QRect(input_bar_panel_->mapToGlobal(QPoint(0, 0)), input_bar_panel_->size());
  return QRect(viewport()->mapToGlobal(QPoint(0, 0)), QSize(viewport()->width(), kPanelHeight));
}

void TDrawWindow::AddDraggedShape() {
  Workspace& workspace = context_.workspace;
  const DecorationMode mode = Mode();
  const ShapeDecoration shape{RecordCoordinate(start_->x()), RecordCoordinate(start_->y()),
                              RecordCoordinate(end_->x()), RecordCoordinate(end_->y()),
                              ShapeKindFor(workspace.decoration_tools, mode)};
  if (!AddShapeDecoration(workspace.decorations, shape)) return;
  // Drawn into the picture as the paint draws it, so no paint of the whole
  // map is needed; texts lie above shapes, so with texts the map is painted.
  PaintParams params;
  params.PaintOrigin = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
  QPainter painter(&map_picture_);
  gdi::PainterDeviceContext dc(painter);
  dc.SelectPen(
      resources_.PenFor(mode == DecorationMode::kDottedLine ? kPenDotted : kPenLegend, false));
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  const int size = DrawShapeOfKind(dc, shape.Kind, DecorationToDevice(shape.X1, shape.Y1, params),
                                   DecorationToDevice(shape.X2, shape.Y2, params));
  RememberShapeSize(workspace.decoration_tools, mode, size);
  if (!workspace.decorations.Texts().empty()) Invalidate();
}

}  // namespace kartela
