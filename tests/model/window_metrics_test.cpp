#include "model/window_metrics.h"

#include <gtest/gtest.h>

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
