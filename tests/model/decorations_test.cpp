#include "model/decorations.h"

#include <gtest/gtest.h>

#include <string>

#include "model/test_support.h"

namespace kartela {
namespace {

ShapeDecoration Shape(std::uint8_t kind) {
  return ShapeDecoration{1, 2, 3, 4, kind};
}

TextDecoration Text(std::string text) {
  return TextDecoration{5, 6, kTextCleared, std::move(text)};
}

TEST(DecorationListsTest, EachListTakes240AndRefusesTheNext) {
  DecorationLists lists;
  for (int i = 0; i < kMaxDecorations; ++i) {
    ASSERT_TRUE(AddShapeDecoration(lists, Shape(static_cast<std::uint8_t>(i % 4))));
    ASSERT_EQ(AddTextDecoration(lists, Text(std::to_string(i))), AddTextResult::kAdded);
  }
  EXPECT_TRUE(ShapeListFull(lists));
  EXPECT_TRUE(TextListFull(lists));
  EXPECT_FALSE(AddShapeDecoration(lists, Shape(kShapeLine)));
  EXPECT_EQ(AddTextDecoration(lists, Text("x")), AddTextResult::kFull);
  EXPECT_EQ(lists.ShapeCount, 240);
  EXPECT_EQ(lists.TextDecorationCount, 240);
  EXPECT_EQ(lists.Texts().back().Text, "239");

  // A count beyond the lists (a damaged document) counts as full, and one
  // below 0 as empty: the next record goes to index 0.
  lists.ShapeCount = 32000;
  EXPECT_FALSE(AddShapeDecoration(lists, Shape(kShapeLine)));
  lists.ShapeCount = -7;
  EXPECT_TRUE(AddShapeDecoration(lists, Shape(kShapeSquare)));
  EXPECT_EQ(lists.ShapeCount, 1);
  EXPECT_EQ(lists.ShapeDecorations[0].Kind, kShapeSquare);
}

TEST(DecorationListsTest, TextsThatTheRecordCannotHoldAreRefusedNotCut) {
  DecorationLists lists;
  EXPECT_EQ(AddTextDecoration(lists, Text("")), AddTextResult::kEmpty);
  EXPECT_EQ(AddTextDecoration(lists, Text(std::string(82, 'a'))), AddTextResult::kTooLong);
  EXPECT_EQ(lists.TextDecorationCount, 0);
  EXPECT_EQ(AddTextDecoration(lists, Text(std::string(81, 'a'))), AddTextResult::kAdded);
  EXPECT_EQ(lists.Texts().front().Text.size(), 81u);
}

TEST(DecorationListsTest, TheRightButtonRemovesTheLastOfTheCurrentKind) {
  DecorationLists lists;
  AddShapeDecoration(lists, Shape(kShapeLine));
  AddShapeDecoration(lists, Shape(kShapeCircle + 3));
  AddTextDecoration(lists, Text("a"));
  AddTextDecoration(lists, Text("b"));

  // In line mode the last shape goes even though it is a circle; texts stay.
  EXPECT_TRUE(RemoveLastDecoration(lists, DecorationMode::kLine));
  ASSERT_EQ(lists.Shapes().size(), 1u);
  EXPECT_EQ(lists.Shapes().front().Kind, kShapeLine);
  EXPECT_EQ(lists.Texts().size(), 2u);

  EXPECT_TRUE(RemoveLastDecoration(lists, DecorationMode::kTextTransparent));
  ASSERT_EQ(lists.Texts().size(), 1u);
  EXPECT_EQ(lists.Texts().front().Text, "a");

  EXPECT_FALSE(RemoveLastDecoration(lists, DecorationMode::kNone));
  EXPECT_TRUE(RemoveLastDecoration(lists, DecorationMode::kCross));
  EXPECT_FALSE(RemoveLastDecoration(lists, DecorationMode::kSquare));  // already empty
  EXPECT_EQ(lists.ShapeCount, 0);
  EXPECT_EQ(lists.TextDecorationCount, 1);
}

TEST(DecorationToolsTest, EachModePlacesItsKindWithItsFill) {
  DecorationTools tools;
  tools.CircleFill = 0;
  tools.SquareFill = 8;
  tools.TriangleFill = kFillHollow;
  tools.CrossFill = 12;  // no such fill: the cross is placed unfilled
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kLine), 1);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kDottedLine), 2);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kRectangle), 3);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kCircle), 16);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kSquare), 40);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kTriangle), 57);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kCross), 73);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kArrow), 4);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kNorthArrow), 5);
  EXPECT_EQ(ShapeKindFor(tools, DecorationMode::kTextCleared), 0);

  for (std::uint8_t kind : {1, 2, 3, 4, 5, 16, 25, 40, 57, 73})
    EXPECT_NE(SplitShapeKind(kind).mode, DecorationMode::kNone) << int{kind};
  for (std::uint8_t kind : {0, 6, 15, 26, 31, 80, 255})
    EXPECT_EQ(SplitShapeKind(kind).mode, DecorationMode::kNone) << int{kind};
  EXPECT_EQ(SplitShapeKind(57).fill, 9);

  RememberShapeSize(tools, DecorationMode::kTriangle, 30);
  RememberShapeSize(tools, DecorationMode::kLine, 99);
  EXPECT_EQ(tools.LastTriangleSize, 30);
  EXPECT_EQ(tools.LastCircleSize, kDefaultShapeSize);
}

TEST(DecorationListsTest, ANewMapAsksBeforeEmptyingListsThatHoldDecorations) {
  test::RecordingReporter reporter;
  DecorationLists lists;
  EXPECT_TRUE(ConfirmClearDecorations(reporter, lists));
  EXPECT_TRUE(reporter.questions.empty());

  AddTextDecoration(lists, Text("a"));
  reporter.ok_answer = false;
  EXPECT_FALSE(ConfirmClearDecorations(reporter, lists));
  ASSERT_EQ(reporter.questions.size(), 1u);
  EXPECT_EQ(reporter.questions[0], kClearDecorationsQuestion);
  reporter.ok_answer = true;
  EXPECT_TRUE(ConfirmClearDecorations(reporter, lists));
  ClearDecorations(lists);
  EXPECT_FALSE(HasDecorations(lists));
}

}  // namespace
}  // namespace kartela
