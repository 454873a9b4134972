#include "ui/draw_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <vector>

#include "model/base_map_file.h"
#include "model/test_support.h"
#include "render/map_frame.h"
#include "ui/drawing_commands.h"
#include "ui/square_map.h"

namespace kartela {
namespace {

using testing::kSquareSide;
using testing::kSquareTop;
using testing::SquareAnchor;
using testing::SquareLeft;

constexpr gdi::Color kWindowColour{200, 210, 220};
const QColor kWhiteFill(255, 255, 255);  // class 0 of 3 by the default order
const QColor kYellowFill(255, 255, 0);   // class 1
const QColor kCyanFill(0, 255, 255);     // class 2

// The map window over a paint map of three squares with the values 5, 15
// and 25 in three classes split at 10 and 20.
class DrawWindowTest : public ::testing::Test {
 protected:
  DrawWindowTest() {
    EXPECT_EQ(ParseBaseMap(testing::SquaresIdt({"東", "中", "西"}), workspace_.base_map),
              BaseMapStatus::kOk);
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

  Workspace workspace_;
  testing::RecordingReporter reporter_;
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

TEST_F(DrawWindowTest, MeasuringContextMeasuresText) {
  const std::optional<gdi::Size> extent = window_->MeasuringContext().TextExtent("Kartela");
  ASSERT_TRUE(extent.has_value());
  EXPECT_GT(extent->cx, 0);
  EXPECT_GT(extent->cy, 0);
}

}  // namespace
}  // namespace kartela
