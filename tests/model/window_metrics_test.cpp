#include "model/window_metrics.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kartela {
namespace {

TEST(WindowMetricsTest, TextMetricsOfTheMainWindowFont) {
  EXPECT_EQ(FontH(-13), 13);
  EXPECT_EQ(CharW(-13), 7);
  EXPECT_EQ(RowH(-13), 19);
  EXPECT_EQ(CharW(-12), 6);  // (1 + 12) div 2
  EXPECT_EQ(RowH(-12), 18);
  EXPECT_EQ(CharW(13), 7);  // a cell height gives positive units too
  EXPECT_EQ(TextMetricsOf(-13).RowH, 19);
}

TEST(WindowMetricsTest, DialogsArePlacedRightOfTheMainWindowButStayOnScreen) {
  const DialogFrame frame{100, 50, 1024, 7, 13};
  const ScreenPoint near = PlaceDialog(frame, 300, 15, 5);
  EXPECT_EQ(near.x, 205);
  EXPECT_EQ(near.y, 115);
  const ScreenPoint far = PlaceDialog({800, -20, 1024, 7, 13}, 300, 15, 5);
  EXPECT_EQ(far.x, 724);  // right edge on the screen's right edge
  EXPECT_EQ(far.y, 45);
}

// A placement stored on a larger screen, or at a smaller scale factor, is
// moved and shrunk onto the screen it opens on; one that fits stays.
TEST(WindowMetricsTest, PlacementsAreFittedOntoTheScreen) {
  const WindowRect screen{0, 0, 1280, 800};  // 2560 x 1600 at scale 2
  const struct {
    WindowRect stored;
    WindowRect fitted;
  } cases[] = {
      {{10, 10, 620, 380}, {10, 10, 620, 380}},       // fits: unchanged
      {{1000, 600, 620, 380}, {660, 420, 620, 380}},  // past the right and bottom edges
      {{-300, -50, 620, 380}, {0, 0, 620, 380}},      // past the left and top edges
      {{100, 100, 2400, 1500}, {0, 0, 1280, 800}},    // larger than the screen
      {{1500, 20, 2400, 300}, {0, 20, 1280, 300}},    // too wide only
  };
  for (const auto& c : cases) {
    const WindowRect fitted = FitOnScreen(c.stored, screen);
    EXPECT_EQ(std::make_tuple(fitted.left, fitted.top, fitted.width, fitted.height),
              std::make_tuple(c.fitted.left, c.fitted.top, c.fitted.width, c.fitted.height))
        << c.stored.left << "," << c.stored.top << " " << c.stored.width << "x" << c.stored.height;
  }
  const WindowRect second = FitOnScreen({3000, 900, 800, 600}, {1280, 200, 1920, 1080});
  EXPECT_EQ(std::make_tuple(second.left, second.top), std::make_tuple(2400, 680))
      << "a screen right of another";
}

class WindowPlacementTest : public testing::Test {
 protected:
  Settings settings_;  // stored: 10, 10, 620, 380, normal
};

TEST_F(WindowPlacementTest, UnchangedPlacementSetsNoBit) {
  RecordWindowPlacement({10, 10, 620, 380}, false, settings_);
  EXPECT_EQ(settings_.ChangedMask, 0);
  EXPECT_EQ(settings_.WindowState, "");
}

TEST_F(WindowPlacementTest, MovedWindowIsStored) {
  settings_.ChangedMask = kChangedDivision;
  RecordWindowPlacement({10, 10, 620, 381}, false, settings_);
  EXPECT_EQ(settings_.WindowHeight, 381);
  EXPECT_EQ(settings_.ChangedMask, kChangedDivision | kChangedWindow);
}

TEST_F(WindowPlacementTest, MaximisingAndRestoringChangeTheState) {
  RecordWindowPlacement({10, 10, 620, 380}, true, settings_);
  EXPECT_EQ(settings_.WindowState, "MAX");
  EXPECT_EQ(settings_.ChangedMask, kChangedWindow);
  EXPECT_TRUE(StartsMaximized(settings_));

  settings_.ChangedMask = 0;
  RecordWindowPlacement({10, 10, 620, 380}, true, settings_);
  EXPECT_EQ(settings_.ChangedMask, 0);  // still maximised: nothing new

  RecordWindowPlacement({10, 10, 620, 380}, false, settings_);
  EXPECT_EQ(settings_.WindowState, "");
  EXPECT_EQ(settings_.ChangedMask, kChangedWindow);
}

TEST_F(WindowPlacementTest, OtherStoredStatesAreReplaced) {
  settings_.WindowState = "ICONIC";
  RecordWindowPlacement({10, 10, 620, 380}, false, settings_);
  EXPECT_EQ(settings_.WindowState, "");
  EXPECT_EQ(settings_.ChangedMask, kChangedWindow);
}

}  // namespace
}  // namespace kartela
