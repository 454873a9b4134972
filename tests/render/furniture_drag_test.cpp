#include "render/furniture_drag.h"

#include <gtest/gtest.h>

#include <optional>

namespace kartela {
namespace {

using gdi::Point;
using gdi::Rect;

// The places leave out their right and bottom edges; where they overlap the
// legend, drawn last, is the one under the pointer.
TEST(FurnitureDragTest, FindsTheItemDrawnUnderThePointer) {
  FurnitureDrag drag;
  EXPECT_EQ(drag.At({0, 0}), std::nullopt) << "nothing drawn";
  drag.SetPlaces(Rect{10, 10, 50, 30}, Rect{40, 20, 80, 60});
  const struct {
    Point at;
    std::optional<Furniture> item;
  } cases[] = {
      {{10, 10}, Furniture::kTitle}, {{15, 29}, Furniture::kTitle},  {{50, 15}, std::nullopt},
      {{20, 30}, std::nullopt},      {{45, 25}, Furniture::kLegend}, {{79, 59}, Furniture::kLegend},
      {{80, 59}, std::nullopt},      {{9, 10}, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(drag.At(c.at), c.item) << c.at.x << "," << c.at.y;
  drag.SetPlaces(std::nullopt, Rect{40, 20, 80, 60});
  EXPECT_EQ(drag.At({20, 20}), std::nullopt) << "a title no longer drawn";
}

// The offsets (here as moved from the defaults) move by the drag over each magnification, rounded
// half to even, with the change bit of the item's dialog; a drag that moves neither offset changes
// nothing.
TEST(FurnitureDragTest, ReleaseMovesTheOffsetsByTheDragOverTheMagnification) {
  const struct {
    Point press, release;
    double res_x, res_y;
    bool moved;
    std::int16_t title_x, title_y, legend_x, legend_y;
    std::uint16_t changed;
  } cases[] = {
      {{20, 20}, {50, 61}, 2, 2, true, 15, 20, 0, 0, kChangedTitleFont},   // 20.5 to even
      {{60, 40}, {49, 47}, 2, 2, true, 0, 0, -6, 4, kChangedIndexFont},    // -5.5, 3.5
      {{60, 40}, {90, 43}, 3, 0.5, true, 0, 0, 10, 6, kChangedIndexFont},  // each axis its own
      {{20, 20}, {20, 20}, 1, 1, false, 0, 0, 0, 0, 0},                    // a click
      {{20, 20}, {20, 21}, 4, 4, false, 0, 0, 0, 0, 0},                    // 0.25 rounds to 0
      {{5, 5}, {100, 100}, 1, 1, false, 0, 0, 0, 0, 0},                    // on neither
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.DrawResX = c.res_x;
    settings.DrawResY = c.res_y;
    FurnitureDrag drag;
    drag.SetPlaces(Rect{10, 10, 50, 30}, Rect{40, 35, 80, 60});
    drag.Press(c.press);
    drag.Move(c.release);
    EXPECT_EQ(drag.Release(c.release, settings), c.moved) << c.press.x << "," << c.press.y;
    const Settings before;
    EXPECT_EQ(settings.TitleOffsetX - before.TitleOffsetX, c.title_x);
    EXPECT_EQ(settings.TitleOffsetY - before.TitleOffsetY, c.title_y);
    EXPECT_EQ(settings.LegendOffsetX - before.LegendOffsetX, c.legend_x);
    EXPECT_EQ(settings.LegendOffsetY - before.LegendOffsetY, c.legend_y);
    EXPECT_EQ(settings.ChangedMask, c.changed);
    EXPECT_FALSE(drag.Dragging());
  }
}

// The frame follows the pointer from where the item was; Escape ends the
// drag with nothing moved and no move cursor until the button is released.
TEST(FurnitureDragTest, FrameFollowsAndEscapeLeavesTheItem) {
  Settings settings;
  FurnitureDrag drag;
  drag.SetPlaces(Rect{10, 10, 50, 30}, std::nullopt);
  EXPECT_FALSE(drag.Cancel());
  drag.Press({100, 100});
  EXPECT_FALSE(drag.Dragging()) << "pressed on nothing";
  EXPECT_EQ(drag.Frame(), std::nullopt);

  drag.Press({20, 20});
  EXPECT_EQ(drag.Frame(), (Rect{10, 10, 50, 30}));
  drag.Move({25, 12});
  EXPECT_EQ(drag.Frame(), (Rect{15, 2, 55, 22}));
  EXPECT_TRUE(drag.CanMoveAt({200, 200})) << "anywhere during the drag";
  EXPECT_TRUE(drag.Cancel());
  EXPECT_EQ(drag.Frame(), std::nullopt);
  EXPECT_FALSE(drag.CanMoveAt({20, 20}));
  drag.Move({40, 40});
  EXPECT_FALSE(drag.Release({40, 40}, settings));
  EXPECT_EQ(settings.TitleOffsetX, 0);
  EXPECT_EQ(settings.ChangedMask, 0u);
  EXPECT_TRUE(drag.CanMoveAt({20, 20})) << "back after the release";

  drag.Press({20, 20});
  drag.Cancel();
  drag.Press({20, 20});  // a new press forgets the cancelled drag
  EXPECT_FALSE(drag.Cancelled());
  EXPECT_TRUE(drag.Dragging());
}

}  // namespace
}  // namespace kartela

namespace kartela {
namespace {

// A paint that moved an item onto the drawing: the dialogs see the offsets
// that put it where it is, and a drag starts from there, so that it moves
// the item as far as the pointer went.
TEST(FurnitureDragTest, ShiftsOntoTheDrawingAreTheOffsetsInEffect) {
  Settings settings;
  settings.DrawResX = 2.0;
  settings.DrawResY = 1.0;
  settings.LegendOffsetX = -500;
  settings.LegendOffsetY = 7;
  FurnitureDrag drag;
  drag.SetPlaces(gdi::Rect{0, 0, 10, 10}, gdi::Rect{0, 100, 50, 150}, {0, 4}, {800, 0});
  Settings shown = settings;
  drag.ApplyShifts(shown);
  EXPECT_EQ(shown.LegendOffsetX, -100);
  EXPECT_EQ(shown.LegendOffsetY, 7);
  EXPECT_EQ(shown.TitleOffsetY, settings.TitleOffsetY + 4);
  EXPECT_EQ(shown.ChangedMask, settings.ChangedMask) << "nothing moved yet";
  drag.Press({10, 110});
  drag.Move({30, 110});
  ASSERT_TRUE(drag.Release({30, 110}, settings));
  EXPECT_EQ(settings.LegendOffsetX, -90);
  EXPECT_NE(settings.ChangedMask & kChangedIndexFont, 0u);
}

}  // namespace
}  // namespace kartela
