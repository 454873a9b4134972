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

#include "gdi/qt/painter_device_context.h"
#include "model/messages.h"
#include "render/decoration_painter.h"
#include "render/map_frame.h"
#include "render/map_painter.h"
#include "render/picture_graph.h"
#include "ui/map/dec_input_dialog.h"
#include "ui/map/map_cursors.h"
#include "ui/map/tool_overlay_painter.h"
#include "ui/widgets/undo_history.h"

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

// The height of the speed-button panel, where the input bar goes when the
// window has no panel to lay it over.
constexpr int kPanelHeight = 37;

// What the mouse changes: the decorations, and the title and legend offsets
// with their change bits.
constexpr WorkspaceParts kMouseParts = kPartDecorations | kPartSettings;

std::size_t DecorationCount(const DecorationLists& lists) {
  return lists.Shapes().size() + lists.Texts().size();
}

// The undo step of what the mouse did.
QString MouseStepName(const WorkspaceState& before, const WorkspaceState& after) {
  const std::size_t was = DecorationCount(*before.decorations);
  const std::size_t now = DecorationCount(*after.decorations);
  if (now != was) return now > was ? QStringLiteral("修飾の追加") : QStringLiteral("修飾の削除");
  const Settings& old_settings = *before.settings;
  const Settings& new_settings = *after.settings;
  const bool title_moved = old_settings.TitleOffsetX != new_settings.TitleOffsetX ||
                           old_settings.TitleOffsetY != new_settings.TitleOffsetY;
  return title_moved ? QStringLiteral("タイトルの移動") : QStringLiteral("凡例の移動");
}

}  // namespace

QString PositionText(QPoint canvas, DecorationMode mode) {
  if (mode == DecorationMode::kNone) return QStringLiteral("\u3000\u3000\u3000\u3000 ");
  return QStringLiteral("%1:%2").arg(canvas.x(), 4).arg(canvas.y()).leftJustified(9);
}

TDrawWindow::TDrawWindow(AppContext& context, QWidget* parent)
    : QAbstractScrollArea(parent),
      context_(context),
      measure_image_(1, 1, QImage::Format_RGB32),
      tool_(context.workspace, context.reporter) {
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

// The places in canvas pixels, which scrolling does not move.
void TDrawWindow::KeepFurniturePlaces(const FurniturePlaces& places) {
  const gdi::Point scroll = ToGdi(Scroll());
  const auto canvas_place = [scroll](const std::optional<gdi::Rect>& r) {
    if (!r) return r;
    return std::optional(gdi::Rect{r->left + scroll.x, r->top + scroll.y, r->right + scroll.x,
                                   r->bottom + scroll.y});
  };
  tool_.furniture().SetPlaces(canvas_place(places.title), canvas_place(places.legend),
                              places.title_shift, places.legend_shift);
}

QRect TDrawWindow::TitleBox() const {
  return Covered(tool_.furniture().TitlePlace());
}

QRect TDrawWindow::LegendBox() const {
  return Covered(tool_.furniture().LegendPlace());
}

void TDrawWindow::DrawOverlay(QPainter& painter) {
  PaintToolOverlay(painter, tool_.Overlay(), Scroll(), resources_);
}

QRect TDrawWindow::OverlayArea() const {
  return ToolOverlayArea(tool_.Overlay(), Scroll());
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
  const QRect before = OverlayArea();
  tool_.Move(ToGdi(canvas));
  Apply(ToolResult{}, before, canvas);
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
  if (event->key() == Qt::Key_Escape) {
    const QRect before = OverlayArea();
    if (tool_.Escape()) {
      Apply(ToolResult{}, before, QPoint());
      ShowMoveCursor({});  // none while cancelled, wherever the pointer is
      return;
    }
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TDrawWindow::LeftDown(QPoint canvas) {
  const QRect before = OverlayArea();
  ToolResult result;
  RecordChange(context_.undo, MouseStepName, kMouseParts,
               [&] { result = tool_.LeftDown(ToGdi(canvas)); });
  Apply(result, before, canvas);
}

void TDrawWindow::RightDown() {
  bool repaint = false;
  RecordChange(context_.undo, MouseStepName, kMouseParts,
               [&] { repaint = tool_.RightDown().repaint; });
  if (repaint) Invalidate();
}

void TDrawWindow::LeftUp(QPoint canvas) {
  const QRect before = OverlayArea();
  ToolResult result;
  RecordChange(context_.undo, MouseStepName, kMouseParts, [&] {
    result = tool_.LeftUp(ToGdi(canvas), [this, canvas] { return AskText(canvas); });
  });
  Apply(result, before, canvas);
}

std::optional<std::string> TDrawWindow::AskText(QPoint canvas) {
  TDecInputDialog bar(context_.metrics, this);
  bar.PlaceNear(InputBarPanel(), viewport()->mapToGlobal(canvas - Scroll()));
  if (bar.exec() != QDialog::Accepted) return std::nullopt;
  return bar.Text();
}

void TDrawWindow::Apply(const ToolResult& result, const QRect& before, QPoint canvas) {
  UpdateFromCache(before.united(OverlayArea()));
  if (result.drawn) DrawIntoPicture(*result.drawn);
  if (result.repaint) Invalidate();
  // The warp reaches the window as an ordinary move, which draws the band.
  if (result.pointer_move != gdi::Point{})
    QCursor::setPos(QCursor::pos() + ToQt(result.pointer_move));
  if (result.cursor_changed) ShowMoveCursor(canvas);
}

void TDrawWindow::ShowMoveCursor(QPoint canvas) {
  const bool over = tool_.MoveCursorAt(ToGdi(canvas));
  if (over == move_cursor_) return;
  move_cursor_ = over;
  viewport()->setCursor(over ? QCursor(Qt::SizeAllCursor) : DecorationCursor(Mode()));
}

QRect TDrawWindow::InputBarPanel() const {
  if (input_bar_panel_ != nullptr)
    return QRect(input_bar_panel_->mapToGlobal(QPoint(0, 0)), input_bar_panel_->size());
  return QRect(viewport()->mapToGlobal(QPoint(0, 0)), QSize(viewport()->width(), kPanelHeight));
}

// Drawn as the paint draws it, so no paint of the whole map is needed.
void TDrawWindow::DrawIntoPicture(const ShapeDecoration& shape) {
  PaintParams params;
  params.PaintOrigin = ToGdi(Scroll());
  QPainter painter(&map_picture_);
  gdi::PainterDeviceContext dc(painter);
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  DrawShapeDecoration(PaintContext(context_.workspace, resources_, dc, params), shape);
  // A shape placed by a click had no band whose area would show it.
  UpdateFromCache(viewport()->rect());
}

}  // namespace kartela
