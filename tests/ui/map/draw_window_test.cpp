#include "ui/map/draw_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <vector>

#include "model/base_map_file.h"
#include "model/messages.h"
#include "model/test_support.h"
#include "render/map_frame.h"
#include "ui/drawing/drawing_commands.h"
#include "ui/map/dec_input_dialog.h"
#include "ui/square_map.h"

namespace kartela {
namespace {

using test::kSquareSide;
using test::kSquareTop;
using test::SquareAnchor;
using test::SquareLeft;

constexpr gdi::Color kWindowColour{200, 210, 220};
const QColor kWhiteFill(255, 255, 255);  // class 0 of 3 by the default order
const QColor kYellowFill(255, 255, 0);   // class 1
const QColor kCyanFill(0, 255, 255);     // class 2

// The map window over a paint map of three squares with the values 5, 15
// and 25 in three classes split at 10 and 20.
class DrawWindowTest : public testing::Test {
 protected:
  DrawWindowTest() {
    EXPECT_TRUE(ParseBaseMap(test::SquaresIdt({"東", "中", "西"}), workspace_.base_map).ok());
    workspace_.settings.LegendStyle = 0;  // no legend over the squares
    workspace_.screen_colors.window = kWindowColour;
    ClassTables& tables = workspace_.class_tables;
    tables.NumericValues[0] = 5;
    tables.NumericValues[1] = 15;
    tables.NumericValues[2] = 25;
    tables.ClassBreaks[0] = "10";
    tables.ClassBreaks[1] = "20";
    workspace_.view.Kind = MapKind::kPaintMap;
    workspace_.view.ScrollReset = false;
    window_ = std::make_unique<TDrawWindow>(context_);
    window_->resize(320, 200);
    Render();  // lays out the viewport, and with it the scroll range
  }

  QImage Render() { return window_->viewport()->grab().toImage(); }

  // A new magnification set as the magnification dialog sets it, painted.
  void SetMagnification(double magnification) {
    workspace_.settings.DrawResX = magnification;
    workspace_.settings.DrawResY = magnification;
    window_->Invalidate();
    Render();
  }

  // The base-map point at the centre of the view.
  QPointF CentreOfView() const {
    const Settings& settings = workspace_.settings;
    return QPointF((window_->horizontalScrollBar()->value() + window_->viewport()->width() / 2.0) /
                       settings.DrawResX,
                   (window_->verticalScrollBar()->value() + window_->viewport()->height() / 2.0) /
                       settings.DrawResY);
  }

  QColor AtCentre() {
    const QImage image = Render();
    return image.pixelColor(image.width() / 2, image.height() / 2);
  }

  static QColor At(const QImage& image, MapPoint p) { return image.pixelColor(p.x, p.y); }

  void ScrollTo(int x, int y) {
    window_->horizontalScrollBar()->setValue(x);
    window_->verticalScrollBar()->setValue(y);
  }

  // A mouse event on the map window at client point `at`.
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), window_->viewport()->mapToGlobal(QPointF(at)), button,
                      type == QEvent::MouseButtonPress ? (held | button) : held, Qt::NoModifier);
    QCoreApplication::sendEvent(window_->viewport(), &event);
  }
  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, button, at);
  }
  void Move(QPoint at) { Mouse(QEvent::MouseMove, Qt::NoButton, at); }
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, button, at);
  }
  void Drag(QPoint from, QPoint to) {
    Press(from);
    Move(to);
    Release(to);
  }
  void RightClick() {
    Press(QPoint(5, 5), Qt::RightButton);
    Release(QPoint(5, 5), Qt::RightButton);
  }
  void SetMode(DecorationMode mode) { workspace_.decoration_tools.Mode = mode; }

  // Runs `act` on the input bar once a click opens it; a click that opens
  // no bar leaves `act` unrun.
  void WhenTheBarOpens(std::function<void(TDecInputDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
      if (auto* bar = qobject_cast<TDecInputDialog*>(QApplication::activeModalWidget())) {
        act(*bar);
        if (bar->isVisible()) bar->reject();  // as Escape does
      }
    });
  }
  // A click in a text tool, typing `text` into the bar as the input method
  // commits it, closed with OK.
  void PlaceText(QPoint at, const QString& text) {
    WhenTheBarOpens([text](TDecInputDialog& bar) {
      Commit(bar, text);
      bar.accept();
    });
    Press(at);
    Release(at);
  }
  static void Commit(TDecInputDialog& bar, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(&bar.Edit(), &commit);
  }

  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{}, reporter_, TextMetrics{}};
  std::unique_ptr<TDrawWindow> window_;
};

TEST_F(DrawWindowTest, ScrollRangeFollowsTheDrawingAtTheMagnification) {
  const QScrollBar& horizontal = *window_->horizontalScrollBar();
  const QScrollBar& vertical = *window_->verticalScrollBar();
  DrawingCommands commands(context_, *window_);
  for (const double magnification : {1.0, 10.0, 11.0, 30.0}) {
    SetMagnification(magnification);
    const gdi::Size extent = DrawingExtent(workspace_);
    EXPECT_EQ(horizontal.maximum(), extent.cx - window_->viewport()->width()) << magnification;
    EXPECT_EQ(vertical.maximum(), extent.cy - window_->viewport()->height()) << magnification;
  }
  commands.ZoomOut();  // the zoom button too: no paint needed to see the new range
  EXPECT_EQ(horizontal.maximum(), DrawingExtent(workspace_).cx - window_->viewport()->width());
  ScrollTo(horizontal.maximum(), vertical.maximum());
  SetMagnification(0.25);
  EXPECT_EQ(horizontal.maximum(), 0) << "the whole map fits the view";
  EXPECT_EQ(vertical.maximum(), 0);
  EXPECT_EQ(horizontal.value(), 0) << "a shrunk drawing pulls the view back";
  EXPECT_EQ(At(Render(), MapPoint{12, 5}), kYellowFill) << "area 2 at a quarter";

  EXPECT_EQ(horizontal.minimum(), 0);
  EXPECT_EQ(horizontal.singleStep(), 16);
  EXPECT_EQ(vertical.singleStep(), 16);
  EXPECT_EQ(window_->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(window_->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(window_->windowTitle(), "地図");
}

TEST_F(DrawWindowTest, EachAreaShowsTheColourOfItsClass) {
  const QImage image = Render();
  EXPECT_EQ(At(image, SquareAnchor(1)), kWhiteFill);
  EXPECT_EQ(At(image, SquareAnchor(2)), kYellowFill);
  EXPECT_EQ(At(image, SquareAnchor(3)), kCyanFill);
  EXPECT_EQ(image.pixelColor(300, 150), QColor(200, 210, 220)) << "the window colour around";
}

TEST_F(DrawWindowTest, PaintsFromTheScrollPosition) {
  const int step = SquareAnchor(3).x - SquareAnchor(2).x;
  ScrollTo(step, 0);
  const QImage image = Render();
  EXPECT_EQ(At(image, SquareAnchor(2)), kCyanFill) << "area 3 moved left by the scroll position";
  EXPECT_EQ(window_->horizontalScrollBar()->value(), step) << "no reset requested";
}

TEST_F(DrawWindowTest, ScrollResetReturnsToTheOriginAfterThePaint) {
  ScrollTo(100, 50);
  workspace_.view.ScrollReset = true;
  Render();
  EXPECT_FALSE(workspace_.view.ScrollReset);
  EXPECT_EQ(window_->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(window_->verticalScrollBar()->value(), 0);
  EXPECT_EQ(At(Render(), SquareAnchor(2)), kYellowFill);
}

TEST_F(DrawWindowTest, NothingIsPaintedWhileTheLayoutIsPending) {
  context_.layout_pending = true;
  workspace_.view.ScrollReset = true;
  ScrollTo(40, 0);
  const QImage image = Render();
  EXPECT_EQ(At(image, SquareAnchor(2)), QColor(200, 210, 220)) << "only the background";
  EXPECT_TRUE(workspace_.view.ScrollReset) << "the reset waits for a real paint";
  EXPECT_EQ(window_->horizontalScrollBar()->value(), 40);

  context_.layout_pending = false;
  Render();
  EXPECT_EQ(window_->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(At(Render(), SquareAnchor(2)), kYellowFill);
}

TEST_F(DrawWindowTest, RecreatedResourcesFollowTheSettings) {
  workspace_.settings.BorderStyle = 1;  // thick borders
  workspace_.settings.PatternOrder[1][1] = 29;
  workspace_.screen_colors.window = gdi::Color{10, 20, 30};
  window_->RecreateResources();
  EXPECT_EQ(window_->resources().pens[kPenBorder].width, 2);
  EXPECT_EQ(window_->resources().pattern_order[1][1], 29);
  EXPECT_EQ(window_->resources().screen.window, (gdi::Color{10, 20, 30}));
  context_.layout_pending = true;
  EXPECT_EQ(Render().pixelColor(300, 150), QColor(10, 20, 30))
      << "the window colour fills even an unpainted window";
}

// The view is centred near the left edge of area 2; were the top-left
// corner kept, zooming in would move the gap before it to the centre.
TEST_F(DrawWindowTest, ZoomKeepsThePointAtTheCentreOfTheView) {
  DrawingCommands commands(context_, *window_);
  SetMagnification(10.0);
  const QPointF target(SquareLeft(2) + 1, kSquareTop + kSquareSide / 2);
  ScrollTo(static_cast<int>(target.x() * 10 - window_->viewport()->width() / 2.0),
           static_cast<int>(target.y() * 10 - window_->viewport()->height() / 2.0));
  ASSERT_EQ(AtCentre(), kYellowFill);
  const std::vector<std::function<void()>> zooms = {
      [&] { commands.ZoomIn(); }, [&] { commands.ZoomIn(); }, [&] { commands.ZoomOut(); },
      [&] { commands.ZoomOut(); }, [&] { commands.ZoomOut(); }};
  for (std::size_t step = 0; step < zooms.size(); ++step) {
    zooms[step]();
    EXPECT_NEAR(CentreOfView().x(), target.x(), 0.2) << "step " << step;
    EXPECT_NEAR(CentreOfView().y(), target.y(), 0.2) << "step " << step;
    EXPECT_EQ(AtCentre(), kYellowFill) << "step " << step;
  }
}

TEST_F(DrawWindowTest, ShiftTurnsTheWheelSideways) {
  SetMagnification(10.0);
  const QScrollBar& horizontal = *window_->horizontalScrollBar();
  const QScrollBar& vertical = *window_->verticalScrollBar();
  const auto wheel_down = [&](Qt::KeyboardModifiers modifiers) {
    const QPointF at(10, 10);
    QWheelEvent event(at, window_->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window_->viewport(), &event);
  };
  wheel_down(Qt::ShiftModifier);
  EXPECT_GT(horizontal.value(), 0) << "down with Shift goes right";
  EXPECT_LT(horizontal.value(), horizontal.pageStep()) << "by lines, not by a page";
  EXPECT_EQ(vertical.value(), 0);
  const int sideways = horizontal.value();
  wheel_down(Qt::NoModifier);
  EXPECT_GT(vertical.value(), 0);
  EXPECT_EQ(horizontal.value(), sideways);
}

// Each tool stores the press and the last move (not the release) in canvas
// pixels, clamped to the records' 16-bit range, with its own kind.
TEST_F(DrawWindowTest, ADragAddsTheShapeOfTheToolAtThePressAndTheLastMove) {
  SetMagnification(10.0);
  ScrollTo(100, 50);
  workspace_.decoration_tools.CircleFill = 3;
  workspace_.decoration_tools.CrossFill = kFillHollow;
  struct Case {
    DecorationMode mode;
    QPoint to;
    std::uint8_t kind;
    ShapeDecoration expected;
  };
  const std::vector<Case> cases = {
      {DecorationMode::kLine, {30, 40}, 1, {110, 70, 130, 90, 1}},
      {DecorationMode::kDottedLine, {0, 0}, 2, {110, 70, 100, 50, 2}},
      {DecorationMode::kRectangle, {40000, -40000}, 3, {110, 70, 32767, -32768, 3}},
      {DecorationMode::kCircle, {13, 24}, 16 + 3, {110, 70, 113, 74, 19}},
      {DecorationMode::kSquare, {20, 30}, 32 + 6, {110, 70, 120, 80, 38}},
      {DecorationMode::kTriangle, {13, 24}, 48 + 6, {110, 70, 113, 74, 54}},
      {DecorationMode::kCross, {-5, 20}, 64 + 9, {110, 70, 95, 70, 73}},
  };
  for (const Case& c : cases) {
    SetMode(c.mode);
    Press(QPoint(10, 20));
    Move(QPoint(c.to.x() - 1, c.to.y()));
    Move(c.to);
    Release(QPoint(300, 190));  // where the button goes up does not count
    ASSERT_EQ(workspace_.decorations.Shapes().size(), static_cast<std::size_t>(&c - &cases[0] + 1));
    const ShapeDecoration& shape = workspace_.decorations.Shapes().back();
    EXPECT_EQ(shape.X1, c.expected.X1) << int(c.mode);
    EXPECT_EQ(shape.Y1, c.expected.Y1) << int(c.mode);
    EXPECT_EQ(shape.X2, c.expected.X2) << int(c.mode);
    EXPECT_EQ(shape.Y2, c.expected.Y2) << int(c.mode);
    EXPECT_EQ(shape.Kind, c.kind) << int(c.mode);
  }
  const DecorationTools& tools = workspace_.decoration_tools;
  EXPECT_EQ(tools.LastCircleSize, 5) << "radius of the drag by 3 and 4";
  EXPECT_EQ(tools.LastTriangleSize, 5);
  EXPECT_EQ(tools.LastSquareSize, 10);
  EXPECT_EQ(tools.LastCrossSize, 15);
  // The next press moves the pointer so that the first band has that size.
  EXPECT_EQ(FirstBandOffset(tools, DecorationMode::kCircle), (gdi::Point{5, 0}));
  EXPECT_EQ(FirstBandOffset(tools, DecorationMode::kSquare), (gdi::Point{10, 10}));
  EXPECT_EQ(FirstBandOffset(tools, DecorationMode::kTriangle), (gdi::Point{4, 2}))
      << "5 × √3 ÷ 2, 2.5";
  EXPECT_EQ(FirstBandOffset(tools, DecorationMode::kCross), (gdi::Point{15, 15}));
  EXPECT_EQ(FirstBandOffset(tools, DecorationMode::kLine), gdi::Point{});

  SetMode(DecorationMode::kLine);
  Press(QPoint(10, 20));
  Release(QPoint(10, 20));
  EXPECT_EQ(workspace_.decorations.Shapes().size(), cases.size()) << "a click adds nothing";
  SetMode(DecorationMode::kNone);
  Drag(QPoint(10, 20), QPoint(50, 60));
  EXPECT_EQ(workspace_.decorations.Shapes().size(), cases.size()) << "nor a drag without a tool";
}

// Without a tool the title and the legend follow a drag, scrolled or not:
// their offsets move by the drag over the magnification (rounded half to
// even), with the change bits of their dialogs, and a move cursor shows over
// them. With a tool the same drag draws the tool's shape.
TEST_F(DrawWindowTest, TitleAndLegendFollowADragWithoutATool) {
  Settings& settings = workspace_.settings;
  workspace_.data.DataTitle = test::Sjis("人口密度");
  settings.LegendStyle = 1;
  workspace_.base_map.Resolution = {200, 100};
  workspace_.base_map.IndexPosition = {20, 60};
  SetMagnification(2.0);
  const QRect title = window_->TitleBox();
  const QRect legend = window_->LegendBox();
  ASSERT_FALSE(title.isEmpty());
  ASSERT_FALSE(legend.isEmpty());
  EXPECT_FALSE(title.intersects(legend));
  EXPECT_EQ(legend.topLeft(), QPoint(40, 120));
  EXPECT_GT(legend.width(), 24 + 3) << "the texts beside the boxes belong to it";
  EXPECT_EQ(title.top(), 4);
  EXPECT_NEAR(title.center().x(), 200, 1);

  ScrollTo(20, 10);
  Render();
  EXPECT_EQ(window_->TitleBox(), title) << "kept in canvas pixels";
  const QPoint scroll(20, 10);
  Move(title.center() - scroll);
  EXPECT_EQ(window_->viewport()->cursor().shape(), Qt::SizeAllCursor);
  Drag(title.center() - scroll, title.center() - scroll + QPoint(30, 41));
  EXPECT_EQ(settings.TitleOffsetX, 15);
  EXPECT_EQ(settings.TitleOffsetY, 2 + 20);  // 20.5 to even
  EXPECT_EQ(settings.ChangedMask, kChangedTitleFont);
  Render();
  EXPECT_EQ(window_->TitleBox(), title.translated(30, 40));

  Drag(legend.center() - scroll, legend.center() - scroll + QPoint(-11, 7));
  EXPECT_EQ(settings.LegendOffsetX, -6);  // -5.5 to even
  EXPECT_EQ(settings.LegendOffsetY, 4);   // 3.5 to even
  EXPECT_EQ(settings.ChangedMask, kChangedTitleFont | kChangedIndexFont);
  Render();
  EXPECT_EQ(window_->LegendBox(), legend.translated(-12, 8));
  // Escape during a drag leaves the legend where it was, changes nothing and
  // takes the move cursor away until the button is released.
  settings.ChangedMask = 0;
  const QPoint on_legend = window_->LegendBox().center() - scroll;
  Press(on_legend);
  Move(on_legend + QPoint(50, 50));
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window_.get(), &escape);
  EXPECT_EQ(window_->viewport()->cursor().shape(), Qt::ArrowCursor);
  Move(on_legend);
  EXPECT_EQ(window_->viewport()->cursor().shape(), Qt::ArrowCursor);
  Release(on_legend + QPoint(50, 50));
  EXPECT_EQ(settings.LegendOffsetX, -6);
  EXPECT_EQ(settings.LegendOffsetY, 4);
  EXPECT_EQ(settings.ChangedMask, 0u);
  Render();
  EXPECT_EQ(window_->LegendBox(), legend.translated(-12, 8));
  Move(on_legend);
  EXPECT_EQ(window_->viewport()->cursor().shape(), Qt::SizeAllCursor) << "back after the release";

  Move(QPoint(300, 5));
  EXPECT_EQ(window_->viewport()->cursor().shape(), Qt::ArrowCursor);

  settings.ChangedMask = 0;
  SetMode(DecorationMode::kLine);
  const QPoint on_title = window_->TitleBox().center() - scroll;
  Drag(on_title, on_title + QPoint(30, 30));
  EXPECT_EQ(settings.ChangedMask, 0u);
  EXPECT_EQ(workspace_.decorations.Shapes().size(), 1u);
}

TEST_F(DrawWindowTest, EveryMouseEventShowsTheCanvasPosition) {
  std::vector<QString> shown;
  QObject::connect(window_.get(), &TDrawWindow::PositionChanged,
                   [&shown](const QString& text) { shown.push_back(text); });
  SetMagnification(10.0);
  ScrollTo(100, 50);
  SetMode(DecorationMode::kLine);
  Move(QPoint(10, 20));
  SetMode(DecorationMode::kNone);
  Move(QPoint(10, 20));
  ScrollTo(0, 0);
  SetMode(DecorationMode::kSquare);
  Press(QPoint(12345, 0), Qt::RightButton);
  EXPECT_EQ(shown, (std::vector<QString>{" 110:70  ", "\u3000\u3000\u3000\u3000 ", "12345:0  "}));
}

TEST_F(DrawWindowTest, TheRightButtonRemovesTheLastOfTheCurrentKindOnly) {
  DecorationLists& lists = workspace_.decorations;
  SetMode(DecorationMode::kLine);
  Drag(QPoint(10, 10), QPoint(20, 20));
  SetMode(DecorationMode::kCircle);
  Drag(QPoint(50, 50), QPoint(60, 50));
  SetMode(DecorationMode::kTextTransparent);
  PlaceText(QPoint(30, 30), "一");
  PlaceText(QPoint(40, 40), "二");
  ASSERT_EQ(lists.Shapes().size(), 2u);
  ASSERT_EQ(lists.Texts().size(), 2u);

  SetMode(DecorationMode::kLine);
  RightClick();
  ASSERT_EQ(lists.Shapes().size(), 1u) << "the circle goes in line mode";
  EXPECT_EQ(lists.Shapes()[0].Kind, kShapeLine);
  EXPECT_EQ(lists.Texts().size(), 2u);
  SetMode(DecorationMode::kTextCleared);
  RightClick();
  ASSERT_EQ(lists.Texts().size(), 1u);
  EXPECT_EQ(lists.Texts()[0].Text, test::Sjis("一"));
  SetMode(DecorationMode::kNone);
  RightClick();
  EXPECT_EQ(lists.Shapes().size(), 1u);
  EXPECT_EQ(lists.Texts().size(), 1u);
  SetMode(DecorationMode::kCross);
  RightClick();
  RightClick();
  EXPECT_TRUE(lists.Shapes().empty()) << "a click on an empty list does nothing";
  EXPECT_EQ(lists.Texts().size(), 1u);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(DrawWindowTest, AFullListRefusesTheNextDecorationWithMessage14) {
  DecorationLists& lists = workspace_.decorations;
  lists.ShapeCount = kMaxDecorations - 1;
  lists.TextDecorationCount = kMaxDecorations;
  SetMode(DecorationMode::kRectangle);
  Drag(QPoint(10, 10), QPoint(20, 20));
  EXPECT_EQ(lists.ShapeCount, kMaxDecorations) << "the 240th is added";
  EXPECT_TRUE(reporter_.messages.empty());
  const QImage before = Render();
  Press(QPoint(30, 30));
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{kMsgDecorationsFull}) << "at the press";
  Move(QPoint(60, 60));
  Release(QPoint(60, 60));
  EXPECT_EQ(lists.ShapeCount, kMaxDecorations);
  EXPECT_EQ(lists.Shapes().back().X1, 10) << "the last shape is untouched";
  EXPECT_EQ(Render(), before) << "no band";

  bool bar_opened = false;
  WhenTheBarOpens([&bar_opened](TDecInputDialog&) { bar_opened = true; });
  SetMode(DecorationMode::kTextCleared);
  Press(QPoint(30, 30));
  Release(QPoint(30, 30));
  QCoreApplication::processEvents();  // runs the bar check when no bar held the release
  EXPECT_FALSE(bar_opened) << "texts are refused at the release, before the bar";
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{kMsgDecorationsFull, kMsgDecorationsFull}));
  EXPECT_EQ(lists.TextDecorationCount, kMaxDecorations);
}

// The bar opens next to the point clicked, below where the text will stand,
// not at the far end of the speed buttons.
TEST_F(DrawWindowTest, TheInputBarOpensNextToThePointClicked) {
  window_->show();
  SetMode(DecorationMode::kTextCleared);
  QRect bar_at;
  QString hint;
  WhenTheBarOpens([&](TDecInputDialog& bar) {
    bar_at = bar.frameGeometry();
    hint = bar.Edit().placeholderText();
  });
  Press(QPoint(40, 30));
  Release(QPoint(40, 30));
  const QPoint clicked = window_->viewport()->mapToGlobal(QPoint(40, 30));
  ASSERT_FALSE(bar_at.isNull());
  EXPECT_EQ(bar_at.left(), clicked.x());
  EXPECT_GT(bar_at.top(), clicked.y()) << "below the point";
  EXPECT_LT(bar_at.top(), clicked.y() + 40) << "next to it";
  EXPECT_TRUE(hint.contains("Enter")) << "says what it is for";
}

// Scrolled by (100, 50), a click at (10, 20) stores the text at (110, 70).
// The bar takes what the input method commits, up to the 81 bytes a record
// holds, and says why it refuses more.
TEST_F(DrawWindowTest, TheInputBarPlacesATextWithinTheRecordsBytes) {
  SetMagnification(10.0);
  ScrollTo(100, 50);
  SetMode(DecorationMode::kTextCleared);
  const QString forty = QString(40, QChar(0x6F22));  // 漢 × 40: 80 bytes
  std::vector<QString> refusals;
  QString typed;
  WhenTheBarOpens([&](TDecInputDialog& bar) {
    QObject::connect(&bar, &TDecInputDialog::InputRefused,
                     [&refusals](const QString& why) { refusals.push_back(why); });
    EXPECT_TRUE(bar.Edit().testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(bar.Edit().text().isEmpty());
    Commit(bar, forty + "漢");  // 82 bytes: refused whole
    Commit(bar, forty);
    Commit(bar, "字");      // 82 bytes again
    Commit(bar, "\u00e9");  // no Shift-JIS form
    Commit(bar, "A");       // 81 bytes
    typed = bar.Edit().text();
    bar.accept();
  });
  Press(QPoint(10, 20));
  Release(QPoint(10, 20));
  EXPECT_EQ(typed, forty + "A");
  ASSERT_EQ(refusals.size(), 3u);
  EXPECT_TRUE(refusals[0].contains("81 バイト")) << refusals[0].toStdString();
  EXPECT_TRUE(refusals[2].contains("\u00e9")) << refusals[2].toStdString();
  ASSERT_EQ(workspace_.decorations.Texts().size(), 1u);
  const TextDecoration& text = workspace_.decorations.Texts()[0];
  EXPECT_EQ(text.X, 110);
  EXPECT_EQ(text.Y, 70);
  EXPECT_EQ(text.Style, kTextCleared);
  EXPECT_EQ(text.Text, test::Sjis(forty.toStdString()) + "A");

  SetMode(DecorationMode::kTextTransparent);
  PlaceText(QPoint(10, 20), "");
  WhenTheBarOpens([](TDecInputDialog& bar) { Commit(bar, "取消"); });  // closed by Escape
  Press(QPoint(10, 20));
  Release(QPoint(10, 20));
  PlaceText(QPoint(0, 0), "東京");
  ASSERT_EQ(workspace_.decorations.Texts().size(), 2u) << "neither empty nor cancelled texts";
  EXPECT_EQ(workspace_.decorations.Texts()[1].Style, kTextTransparent);
  EXPECT_EQ(workspace_.decorations.Texts()[1].Text, test::Sjis("東京"));
}

// Bands and the text mark are drawn over the picture of the last paint; only
// a change of the map paints it again.
TEST_F(DrawWindowTest, ABandStepDrawsOverTheLastPaint) {
  SetMode(DecorationMode::kLine);
  const QPoint inside_area_2(SquareLeft(2) + 2, kSquareTop + 5);
  const QPoint band_end(SquareLeft(2) + 2, kSquareTop + 15);
  const QColor yellow_inverted(0, 0, 255);  // not-xor of the black pen over yellow
  const int paints = window_->FullPaintCount();
  Press(inside_area_2);
  for (int y = kSquareTop + 10; y <= band_end.y(); ++y) {
    Move(QPoint(band_end.x(), y));
    const QImage image = Render();
    EXPECT_EQ(image.pixelColor(band_end.x(), kSquareTop + 8), yellow_inverted) << y;
    EXPECT_EQ(image.pixelColor(band_end.x() + 1, kSquareTop + 8), kYellowFill) << y;
  }
  EXPECT_EQ(window_->FullPaintCount(), paints) << "ten band steps, no paint of the map";
  Release(band_end);
  const QImage drawn = Render();
  EXPECT_EQ(window_->FullPaintCount(), paints) << "the new line is drawn into the picture";
  EXPECT_EQ(drawn.pixelColor(band_end.x(), kSquareTop + 8), QColor(Qt::black));
  window_->Invalidate();
  const QImage repainted = Render();
  EXPECT_EQ(window_->FullPaintCount(), paints + 1);
  EXPECT_EQ(repainted, drawn) << "the picture was what a paint draws";

  SetMode(DecorationMode::kTextCleared);
  WhenTheBarOpens([&](TDecInputDialog&) {
    const QImage marked = window_->viewport()->grab().toImage();
    EXPECT_EQ(marked.pixelColor(39, 45), QColor(55, 45, 35)) << "the mark inverts the window";
    EXPECT_EQ(window_->FullPaintCount(), paints + 1);
  });
  Press(QPoint(40, 40));
  Release(QPoint(40, 40));
  EXPECT_EQ(Render(), repainted) << "the mark is gone with the cancelled bar";
  ScrollTo(1, 0);
  Render();
  EXPECT_EQ(window_->FullPaintCount(), paints + 2) << "scrolling paints the map again";
}

TEST_F(DrawWindowTest, MeasuringContextMeasuresText) {
  const std::optional<gdi::Size> extent = window_->MeasuringContext().TextExtent("Kartela");
  ASSERT_TRUE(extent.has_value());
  EXPECT_GT(extent->cx, 0);
  EXPECT_GT(extent->cy, 0);
}

}  // namespace
}  // namespace kartela
