#include "render/decoration_tool.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/messages.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using gdi::Point;
using Kind = ToolOverlay::Kind;

class DecorationToolTest : public testing::Test {
 protected:
  void SetMode(DecorationMode mode) { ws_.decoration_tools.Mode = mode; }

  // A prompt that answers `text` and records that it was asked.
  TextPrompt Answer(std::optional<std::string> text) {
    return [this, text] {
      ++prompts_;
      overlay_at_prompt_ = tool_.Overlay();
      return text;
    };
  }
  ToolResult Release(Point at) { return tool_.LeftUp(at, Answer(std::nullopt)); }

  Workspace ws_;
  test::RecordingReporter reporter_;
  DecorationTool tool_{ws_, reporter_};
  int prompts_ = 0;
  ToolOverlay overlay_at_prompt_;
};

// Each shape tool: the press moves the pointer by the last size of its kind,
// the moves show a band from the press, and the release stores the press and
// the last move (not the release) in 16 bits with the tool's kind, to be
// drawn over the last paint; the size it leaves starts the next drag.
TEST_F(DecorationToolTest, EachShapeToolAddsTheDraggedShape) {
  ws_.decoration_tools.CircleFill = 3;
  ws_.decoration_tools.CrossFill = kFillHollow;
  struct Case {
    DecorationMode mode;
    Point to;
    Point pointer_move;  // at the press, from the sizes before the drag
    ShapeDecoration expected;
  };
  const std::vector<Case> cases = {
      {DecorationMode::kLine, {30, 40}, {}, {10, 20, 30, 40, kShapeLine}},
      {DecorationMode::kDottedLine, {0, 0}, {}, {10, 20, 0, 0, kShapeDottedLine}},
      {DecorationMode::kRectangle, {40000, -40000}, {}, {10, 20, 32767, -32768, kShapeRectangle}},
      {DecorationMode::kCircle, {13, 24}, {2, 0}, {10, 20, 13, 24, kShapeCircle + 3}},
      {DecorationMode::kSquare, {20, 30}, {2, 2}, {10, 20, 20, 30, kShapeSquare + 6}},
      {DecorationMode::kTriangle, {13, 24}, {2, 1}, {10, 20, 13, 24, kShapeTriangle + 6}},
      {DecorationMode::kCross, {-5, 20}, {2, 2}, {10, 20, -5, 20, kShapeCross + kFillHollow}},
      {DecorationMode::kArrow, {70, 20}, {}, {10, 20, 70, 20, kShapeArrow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    SetMode(c.mode);
    EXPECT_EQ(tool_.LeftDown({10, 20}).pointer_move, c.pointer_move);
    EXPECT_EQ(tool_.Overlay(), ToolOverlay{}) << "no band before a move";
    tool_.Move({c.to.x - 1, c.to.y});
    tool_.Move(c.to);
    EXPECT_EQ(tool_.Overlay(), (ToolOverlay{Kind::kBand, c.mode, {10, 20}, c.to, {}}));
    const ToolResult result = Release({300, 190});
    ASSERT_TRUE(result.drawn.has_value());
    EXPECT_EQ(result.drawn->X1, c.expected.X1);
    EXPECT_EQ(result.drawn->Y1, c.expected.Y1);
    EXPECT_EQ(result.drawn->X2, c.expected.X2);
    EXPECT_EQ(result.drawn->Y2, c.expected.Y2);
    EXPECT_EQ(result.drawn->Kind, c.expected.Kind);
    EXPECT_FALSE(result.repaint) << "drawn over the last paint";
    ASSERT_FALSE(ws_.decorations.Shapes().empty());
    EXPECT_EQ(ws_.decorations.Shapes().back().X2, c.expected.X2);
    EXPECT_EQ(tool_.Overlay(), ToolOverlay{}) << "the band goes with the release";
  }
  EXPECT_EQ(ws_.decorations.Shapes().size(), cases.size());
  EXPECT_EQ(prompts_, 0);
  EXPECT_TRUE(reporter_.messages.empty());
  const DecorationTools& tools = ws_.decoration_tools;
  EXPECT_EQ(tools.LastCircleSize, 5) << "radius of the drag by 3 and 4";
  EXPECT_EQ(tools.LastTriangleSize, 5);
  EXPECT_EQ(tools.LastSquareSize, 10);
  EXPECT_EQ(tools.LastCrossSize, 15);
  EXPECT_EQ(FirstBandOffset(tools, DecorationMode::kTriangle), (Point{4, 2})) << "5 × √3 ÷ 2, 2.5";
  SetMode(DecorationMode::kCircle);
  EXPECT_EQ(tool_.LeftDown({0, 0}).pointer_move, (Point{5, 0}));
}

// The north arrow is placed by the press alone, centred there, three times
// the decoration font's height tall; the release and moves add nothing more,
// the right button takes it away as any shape, and a full list refuses it.
TEST_F(DecorationToolTest, NorthArrowIsPlacedByAClick) {
  SetMode(DecorationMode::kNorthArrow);
  ws_.settings.FancyFont.Height = -16;
  const ToolResult placed = tool_.LeftDown({100, 50});
  ASSERT_TRUE(placed.drawn.has_value());
  EXPECT_EQ(placed.pointer_move, (Point{}));
  EXPECT_EQ(placed.drawn->Kind, kShapeNorthArrow);
  EXPECT_EQ(placed.drawn->X1, 100);
  EXPECT_EQ(placed.drawn->X2, 100);
  EXPECT_EQ(placed.drawn->Y2 - placed.drawn->Y1, 48);
  tool_.Move({120, 60});
  EXPECT_EQ(tool_.Overlay(), ToolOverlay{});
  EXPECT_FALSE(Release({120, 60}).drawn.has_value());
  EXPECT_EQ(ws_.decorations.Shapes().size(), 1u);
  EXPECT_TRUE(tool_.RightDown().repaint);
  EXPECT_TRUE(ws_.decorations.Shapes().empty());
  ws_.decorations.ShapeCount = kMaxDecorations;
  EXPECT_FALSE(tool_.LeftDown({100, 50}).drawn.has_value());
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{kMsgDecorationsFull});
}

TEST_F(DecorationToolTest, AClickAddsNoShapeAndASecondPressKeepsTheFirst) {
  SetMode(DecorationMode::kLine);
  tool_.LeftDown({10, 10});
  EXPECT_EQ(Release({10, 10}).drawn, std::nullopt);
  EXPECT_TRUE(ws_.decorations.Shapes().empty());

  SetMode(DecorationMode::kSquare);
  EXPECT_EQ(tool_.LeftDown({10, 10}).pointer_move, (Point{2, 2}));
  EXPECT_EQ(tool_.LeftDown({50, 50}).pointer_move, Point{}) << "a press while one is pending";
  tool_.Move({20, 20});
  EXPECT_EQ(tool_.Overlay().start, (Point{10, 10}));
  Release({20, 20});
  ASSERT_EQ(ws_.decorations.Shapes().size(), 1u);
  EXPECT_EQ(ws_.decorations.Shapes()[0].X1, 10);

  // Texts lie above shapes: with a text in the list the map is painted again.
  AddTextDecoration(ws_.decorations, TextDecoration{0, 0, kTextCleared, "a"});
  tool_.LeftDown({10, 10});
  tool_.Move({20, 20});
  const ToolResult result = Release({20, 20});
  EXPECT_TRUE(result.repaint);
  EXPECT_EQ(result.drawn, std::nullopt);
  EXPECT_EQ(ws_.decorations.Shapes().size(), 2u);
}

// A text tool shows its mark at the press while the bar asks for the text,
// and stores the text at the release point, with the tool's background.
TEST_F(DecorationToolTest, TextToolsAskAtTheReleaseAndPlaceTheText) {
  const struct {
    DecorationMode mode;
    std::optional<std::string> answer;
    Point release;
    bool added;
    TextDecoration expected;
  } cases[] = {
      {DecorationMode::kTextCleared,
       test::Sjis("東"),
       {12, 22},
       true,
       {12, 22, kTextCleared, test::Sjis("東")}},
      {DecorationMode::kTextTransparent,
       test::Sjis("西"),
       {-40000, 5},
       true,
       {-32768, 5, kTextTransparent, test::Sjis("西")}},
      {DecorationMode::kTextCleared, std::nullopt, {10, 20}, false, {}},          // cancelled
      {DecorationMode::kTextCleared, "", {10, 20}, false, {}},                    // empty
      {DecorationMode::kTextCleared, std::string(82, 'x'), {10, 20}, false, {}},  // too long
  };
  std::size_t count = 0;
  for (const auto& c : cases) {
    SetMode(c.mode);
    EXPECT_EQ(tool_.LeftDown({10, 20}).pointer_move, Point{});
    EXPECT_EQ(tool_.Overlay(), (ToolOverlay{Kind::kTextMark, c.mode, {10, 20}, {}, {}}));
    tool_.Move({30, 30});
    const ToolResult result = tool_.LeftUp(c.release, Answer(c.answer));
    EXPECT_EQ(overlay_at_prompt_.kind, Kind::kTextMark) << "the mark stays while the bar is open";
    EXPECT_EQ(tool_.Overlay(), ToolOverlay{});
    EXPECT_EQ(result.repaint, c.added);
    if (c.added) ++count;
    ASSERT_EQ(ws_.decorations.Texts().size(), count);
    if (!c.added) continue;
    const TextDecoration& text = ws_.decorations.Texts().back();
    EXPECT_EQ(text.X, c.expected.X);
    EXPECT_EQ(text.Y, c.expected.Y);
    EXPECT_EQ(text.Style, c.expected.Style);
    EXPECT_EQ(text.Text, c.expected.Text);
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

// At 240 entries a shape is refused at the press, a text at the release,
// before the bar; each with message 14.
TEST_F(DecorationToolTest, AFullListRefusesWithMessage14) {
  DecorationLists& lists = ws_.decorations;
  lists.ShapeCount = kMaxDecorations;
  lists.TextDecorationCount = kMaxDecorations;
  SetMode(DecorationMode::kCircle);
  EXPECT_EQ(tool_.LeftDown({10, 10}).pointer_move, Point{});
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{kMsgDecorationsFull});
  tool_.Move({20, 20});
  EXPECT_EQ(tool_.Overlay(), ToolOverlay{}) << "no band";
  EXPECT_EQ(Release({20, 20}).drawn, std::nullopt);

  SetMode(DecorationMode::kTextCleared);
  tool_.LeftDown({10, 10});
  EXPECT_EQ(tool_.LeftUp({10, 10}, Answer("a")).repaint, false);
  EXPECT_EQ(prompts_, 0);
  EXPECT_EQ(tool_.Overlay(), ToolOverlay{});
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{kMsgDecorationsFull, kMsgDecorationsFull}));
  EXPECT_EQ(lists.ShapeCount, kMaxDecorations);
  EXPECT_EQ(lists.TextDecorationCount, kMaxDecorations);
}

// The right button removes the last text with a text tool and the last shape
// of any kind with a shape tool; nothing without a tool or in an empty list.
TEST_F(DecorationToolTest, TheRightButtonRemovesTheLastOfTheToolsList) {
  DecorationLists& lists = ws_.decorations;
  AddShapeDecoration(lists, ShapeDecoration{1, 1, 2, 2, kShapeLine});
  AddShapeDecoration(lists, ShapeDecoration{1, 1, 2, 2, kShapeCircle});
  AddTextDecoration(lists, TextDecoration{1, 1, kTextCleared, "a"});
  const struct {
    DecorationMode mode;
    bool removed;
    std::size_t shapes, texts;
  } steps[] = {
      {DecorationMode::kNone, false, 2, 1},
      {DecorationMode::kLine, true, 1, 1},  // the circle
      {DecorationMode::kTextTransparent, true, 1, 0},
      {DecorationMode::kTextCleared, false, 1, 0},
      {DecorationMode::kCross, true, 0, 0},
      {DecorationMode::kCross, false, 0, 0},
  };
  for (const auto& step : steps) {
    SetMode(step.mode);
    EXPECT_EQ(tool_.RightDown().repaint, step.removed) << static_cast<int>(step.mode);
    EXPECT_EQ(lists.Shapes().size(), step.shapes);
    EXPECT_EQ(lists.Texts().size(), step.texts);
  }
  EXPECT_EQ(lists.Shapes().size(), 0u);
}

// Without a tool the left button drags the title or the legend; Escape
// cancels that drag only, and a shape drag goes on through it.
TEST_F(DecorationToolTest, NoToolDragsTheTitleAndEscapeCancelsOnlyThat) {
  Settings& settings = ws_.settings;
  settings.DrawResX = settings.DrawResY = 2;
  tool_.furniture().SetPlaces(gdi::Rect{100, 10, 200, 30}, std::nullopt);
  SetMode(DecorationMode::kNone);
  EXPECT_TRUE(tool_.MoveCursorAt({150, 20}));
  EXPECT_FALSE(tool_.MoveCursorAt({150, 40}));
  tool_.LeftDown({150, 20});
  tool_.Move({180, 61});
  EXPECT_EQ(tool_.Overlay(),
            (ToolOverlay{Kind::kFrame, DecorationMode::kNone, {}, {}, {130, 51, 230, 71}}));
  EXPECT_TRUE(tool_.MoveCursorAt({0, 0})) << "all through the drag";
  const ToolResult moved = Release({180, 61});
  EXPECT_TRUE(moved.repaint);
  EXPECT_FALSE(moved.cursor_changed);
  EXPECT_EQ(settings.TitleOffsetX, 15);
  EXPECT_EQ(settings.TitleOffsetY, 2 + 20);  // 20.5 to even
  EXPECT_EQ(settings.ChangedMask, kChangedTitleFont);
  EXPECT_EQ(tool_.Overlay(), ToolOverlay{});

  settings.ChangedMask = 0;
  tool_.LeftDown({150, 20});
  tool_.Move({170, 20});
  EXPECT_TRUE(tool_.Escape());
  EXPECT_EQ(tool_.Overlay(), ToolOverlay{});
  EXPECT_FALSE(tool_.MoveCursorAt({150, 20})) << "until the release";
  EXPECT_FALSE(tool_.Escape()) << "nothing more to cancel";
  const ToolResult cancelled = Release({170, 20});
  EXPECT_FALSE(cancelled.repaint);
  EXPECT_TRUE(cancelled.cursor_changed);
  EXPECT_EQ(settings.TitleOffsetX, 15);
  EXPECT_EQ(settings.ChangedMask, 0u);
  EXPECT_TRUE(tool_.MoveCursorAt({150, 20}));

  // With a tool the same drag draws the tool's shape; Escape is not the tool's.
  SetMode(DecorationMode::kLine);
  EXPECT_FALSE(tool_.MoveCursorAt({150, 20}));
  tool_.LeftDown({150, 20});
  tool_.Move({170, 20});
  EXPECT_FALSE(tool_.Escape());
  EXPECT_EQ(tool_.Overlay().kind, Kind::kBand);
  EXPECT_TRUE(Release({170, 20}).drawn.has_value());
  EXPECT_EQ(settings.ChangedMask, 0u);
  EXPECT_EQ(ws_.decorations.Shapes().size(), 1u);
}

}  // namespace
}  // namespace kartela
