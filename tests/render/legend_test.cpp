#include "render/legend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/test_support.h"
#include "render/classification.h"
#include "render_test_support.h"

namespace kartela {
namespace {

using gdi::CallKind;
using gdi::Point;
using test::Sjis;
using test::TestPaint;

using Rows = std::vector<std::pair<std::string, std::string>>;

// Boundaries "10" and "20" of integer data with two digits.
class LegendTextsTest : public testing::Test {
 protected:
  LegendTextsTest() {
    tables_.ValueWidth = 3;
    tables_.ClassBreaks[0] = "10";
    tables_.ClassBreaks[1] = "20";
  }

  Rows Prepare(std::int16_t style, std::int16_t method = 1, std::string_view face = "Arial") {
    tables_.DivisionMethod = method;
    const PaintClasses classes = BuildClassThresholds(tables_.ClassBreaks);
    texts_ = PrepareLegendTexts(tables_, classes, style, face);
    Rows rows;
    for (int r = 0; r < texts_.row_count; ++r)
      rows.emplace_back(texts_.rows[static_cast<std::size_t>(r)].lower,
                        texts_.rows[static_cast<std::size_t>(r)].upper);
    return rows;
  }

  ClassTables tables_;
  LegendTexts texts_;
};

TEST_F(LegendTextsTest, PlainRangesShareTheBoundary) {
  EXPECT_EQ(Prepare(1), (Rows{{" ", " 10"}, {" 10", " 20"}, {" 20", " "}}));
  EXPECT_EQ(Prepare(2), (Rows{{" 20", " "}, {" 10", " 20"}, {" ", " 10"}}));
}

TEST_F(LegendTextsTest, AdjustedRangesUnderMethodOneLowerTheUpperText) {
  EXPECT_EQ(Prepare(5, 1), (Rows{{" ", "  9"}, {" 10", " 19"}, {" 20", " "}}));
  EXPECT_EQ(Prepare(6, 1), (Rows{{" 20", " "}, {" 10", " 19"}, {" ", "  9"}}));
}

TEST_F(LegendTextsTest, AdjustedRangesUnderMethodTwoRaiseTheLowerText) {
  EXPECT_EQ(Prepare(5, 2), (Rows{{" ", " 10"}, {" 11", " 20"}, {" 21", " "}}));
  EXPECT_EQ(Prepare(6, 2), (Rows{{" 21", " "}, {" 11", " 20"}, {" ", " 10"}}));
}

TEST_F(LegendTextsTest, OneUnitFollowsTheDecimalDigits) {
  tables_.ValueWidth = 4;
  tables_.DecimalDigits = 1;
  tables_.ClassBreaks[0] = "1.0";
  tables_.ClassBreaks[1] = "2.5";
  EXPECT_EQ(Prepare(5, 1), (Rows{{" ", " 0.9"}, {" 1.0", " 2.4"}, {" 2.5", " "}}));
  tables_.ValueWidth = 5;
  tables_.DecimalDigits = 2;
  EXPECT_EQ(Prepare(5, 2), (Rows{{" ", " 1.0"}, {" 1.01", " 2.5"}, {" 2.51", " "}}));
}

TEST_F(LegendTextsTest, AdjustedTextIsPaddedToTheBoundaryLength) {
  tables_.ValueWidth = 1;
  tables_.ClassBreaks[0] = "-5";
  tables_.ClassBreaks[1] = "100";
  EXPECT_EQ(Prepare(5, 1), (Rows{{" ", "-6"}, {"-5", "  99"}, {" 100", " "}}));
}

// Committing normalises the boundaries in force and the entry after them
// and blanks the last entry; painting leaves the tables as they are and
// shows the same texts before and after the commit.
TEST_F(LegendTextsTest, BoundariesAreNormalisedWhenCommittedAndStayStable) {
  tables_.ClassBreaks[0] = "5";
  tables_.ClassBreaks[1] = "-7";
  tables_.ClassBreaks[2] = "";
  tables_.ClassBreaks[3] = "not touched ";
  tables_.ClassBreaks[7] = "stale";
  const BreakTexts given = tables_.ClassBreaks;
  const Rows painted = Prepare(1);
  EXPECT_EQ(tables_.ClassBreaks, given);
  NormaliseClassBreaks(tables_);
  EXPECT_EQ(tables_.ClassBreaks[0], " 5");
  EXPECT_EQ(tables_.ClassBreaks[1], "-7");
  EXPECT_EQ(tables_.ClassBreaks[2], " ");
  EXPECT_EQ(tables_.ClassBreaks[3], "not touched ");
  EXPECT_EQ(tables_.ClassBreaks[7], "");
  EXPECT_EQ(Prepare(1), painted);
  const BreakTexts once = tables_.ClassBreaks;
  NormaliseClassBreaks(tables_);
  EXPECT_EQ(tables_.ClassBreaks, once);
}

// A text with a comment ends the boundaries, but is trimmed as the entry
// after them when committed, so that it converts from then on.
TEST_F(LegendTextsTest, CommentAndBlanksAreTrimmed) {
  tables_.ClassBreaks[0] = "\t 5 ; five";
  EXPECT_EQ(Prepare(1), (Rows{{" ", " "}}));
  NormaliseClassBreaks(tables_);
  EXPECT_EQ(tables_.ClassBreaks[0], " 5");
  EXPECT_EQ(Prepare(1).size(), 3u);
}

TEST_F(LegendTextsTest, NormalisedBoundaryKeepsToItsSlot) {
  tables_.ClassBreaks[0] = "1234567890123456789012";
  NormaliseClassBreaks(tables_);
  EXPECT_EQ(tables_.ClassBreaks[0], " 123456789012345678901");
}

TEST_F(LegendTextsTest, TemplateIsAsLongAsTheLongestEntry) {
  Prepare(1);
  EXPECT_EQ(texts_.width_template, " 99");
  // The entry after the last boundary holds a point: the template starts with one.
  tables_.ClassBreaks[0] = "1.25";
  tables_.ClassBreaks[1] = "x.5";
  Prepare(1);
  EXPECT_EQ(texts_.row_count, 2);
  EXPECT_EQ(texts_.width_template, ".9999");
}

TEST_F(LegendTextsTest, SeparatorFollowsTheFaceName) {
  Prepare(1, 1, Sjis("ＭＳ 明朝"));
  EXPECT_EQ(texts_.separator, Sjis(" ～"));
  Prepare(1, 1, "Arial");
  EXPECT_EQ(texts_.separator, " ~");
}

TEST_F(LegendTextsTest, OneClassHasOneBlankRow) {
  tables_.ClassBreaks[0] = "";
  EXPECT_EQ(Prepare(5), (Rows{{" ", " "}}));
}

// The paint-map workspace: classes below 10, 10 to 20 and 20 up, legend at
// (100, 100), default legend font (height -12, double-byte face).
class DrawLegendTest : public testing::Test {
 protected:
  DrawLegendTest() { test::SetUpPaintMap(ws_); }

  void Draw(TestPaint& paint) {
    const PaintClasses classes = BuildClassThresholds(ws_.class_tables.ClassBreaks);
    const LegendTexts texts = PrepareLegendTexts(
        ws_.class_tables, classes, ws_.settings.LegendStyle, ws_.settings.IndexFont.FaceName);
    DrawLegend(paint.context, texts);
  }

  static std::vector<Point> Box(std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height) {
    const std::int32_t right = left + width;
    const std::int32_t bottom = top + height - 1;
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  }

  Workspace ws_;
};

TEST_F(DrawLegendTest, BoxesOfTwiceTheFontHeightFourteenPixelsApart) {
  TestPaint paint(ws_);
  Draw(paint);
  const auto boxes = paint.dc.Polygons();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].points, Box(100, 100, 24, 12));
  EXPECT_EQ(boxes[1].points, Box(100, 114, 24, 12));
  EXPECT_EQ(boxes[2].points, Box(100, 128, 24, 12));
  EXPECT_EQ(boxes[0].state.brush, Brushes()[24]);
  EXPECT_EQ(boxes[2].state.brush, Brushes()[26]);
  EXPECT_EQ(boxes[0].state.pen, paint.resources.pens[kPenLegend]);
}

// Half the font height a byte (the recorder's measure): template " 99" and
// separator " ～" are 18 wide, so columns start 27 right of the box's left.
TEST_F(DrawLegendTest, NumbersRightAlignedInColumnsAsWideAsTheTemplate) {
  TestPaint paint(ws_);
  Draw(paint);
  const auto texts = paint.dc.Texts();
  ASSERT_EQ(texts.size(), 9u);
  EXPECT_EQ(texts[0].text, " ");
  EXPECT_EQ(texts[0].at(), (Point{127 + 18 - 6, 100}));
  EXPECT_EQ(texts[1].text, Sjis(" ～"));
  EXPECT_EQ(texts[1].at(), (Point{127 + 18, 100}));
  EXPECT_EQ(texts[2].text, " 10");
  EXPECT_EQ(texts[2].at(), (Point{127 + 18 + 18 + 18 - 18, 100}));
  EXPECT_EQ(texts[5].at(), (Point{127 + 18 + 18, 114}));
  EXPECT_EQ(texts[8].text, " ");
  EXPECT_EQ(texts[8].at(), (Point{127 + 18 + 18 + 18 - 6, 128}));
  EXPECT_EQ(texts[0].state.font, ws_.settings.IndexFont);
}

TEST_F(DrawLegendTest, DescendingListsTheHighestClassFirstWithItsBrush) {
  ws_.settings.LegendStyle = 2;
  TestPaint paint(ws_);
  Draw(paint);
  const auto boxes = paint.dc.Polygons();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].state.brush, Brushes()[26]);
  EXPECT_EQ(boxes[2].state.brush, Brushes()[24]);
  EXPECT_EQ(paint.dc.TextStrings()[0], " 20");
}

TEST_F(DrawLegendTest, ScaledBoxesFontAndRows) {
  TestPaint paint(ws_, {.PaintScale = 2.0});
  Draw(paint);
  const auto boxes = paint.dc.Polygons();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].points, Box(200, 200, 48, 24));
  EXPECT_EQ(boxes[1].points, Box(200, 229, 48, 24));  // |Round(1.2 x -24)|
  EXPECT_EQ(paint.dc.Texts()[0].state.font.Height, -24);
}

TEST_F(DrawLegendTest, MeasuresOnTheFallbackWhenTheTargetCannot) {
  TestPaint measured(ws_);
  Draw(measured);
  gdi::RecordingDeviceContext fallback;
  TestPaint paint(ws_, {.PaintScale = 1.0, .measure_fallback = &fallback});
  paint.dc.set_measure_fails(true);
  Draw(paint);
  EXPECT_GT(fallback.Count(CallKind::kTextExtent), 0u);
  EXPECT_EQ(fallback.state().font, ws_.settings.IndexFont);
  ASSERT_EQ(paint.dc.Texts().size(), measured.dc.Texts().size());
  for (std::size_t i = 0; i < measured.dc.Texts().size(); ++i)
    EXPECT_EQ(paint.dc.Texts()[i].at(), measured.dc.Texts()[i].at()) << i;
}

// Measured with the font the target draws in, so the columns fit at any scale.
TEST_F(DrawLegendTest, FallbackMeasuresInTheScaledFont) {
  gdi::RecordingDeviceContext fallback;
  TestPaint paint(ws_, {.PaintScale = 2.0, .measure_fallback = &fallback});
  paint.dc.set_measure_fails(true);
  Draw(paint);
  EXPECT_EQ(fallback.state().font.Height, -24);
  EXPECT_EQ(paint.dc.Texts()[1].at(), (Point{200 + 48 + 3 + 36, 200}));
}

TEST_F(DrawLegendTest, WithoutAnyMeasureTheColumnsAreEstimated) {
  TestPaint paint(ws_);
  paint.dc.set_measure_fails(true);
  Draw(paint);
  EXPECT_EQ(paint.dc.Texts()[2].at(), (Point{127 + 18 + 18, 100}));
}

TEST_F(DrawLegendTest, NoTextFlagKeepsTheBoxesOnly) {
  TestPaint paint(ws_, {.PaintFlags = kPaintNoText});
  Draw(paint);
  EXPECT_EQ(paint.dc.Polygons().size(), 3u);
  EXPECT_EQ(paint.dc.Count(CallKind::kTextOut), 0u);
  EXPECT_EQ(paint.dc.Count(CallKind::kSelectFont), 0u);
}

TEST_F(DrawLegendTest, MonochromeUsesTheBlackPrintPen) {
  TestPaint paint(ws_, {.PaintFlags = kPaintMonochrome});
  Draw(paint);
  EXPECT_EQ(paint.dc.Polygons()[0].state.pen, (gdi::Pen{gdi::PenStyle::kSolid, 2, gdi::kBlack}));
}

TEST_F(DrawLegendTest, HiddenStylesDrawNothing) {
  for (const std::int16_t style : {3, 7, 0}) {
    ws_.settings.LegendStyle = style;
    TestPaint paint(ws_);
    Draw(paint);
    EXPECT_TRUE(paint.dc.calls().empty()) << style;
  }
}

TEST_F(DrawLegendTest, TitleCentredAboveTheMapWithoutTheDrawingPosition) {
  ws_.settings.DrawPosX = 50;
  ws_.settings.TitleOffsetX = 10;
  TestPaint paint(ws_);
  DrawTitle(paint.context);
  const auto texts = paint.dc.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Title");
  EXPECT_EQ(texts[0].at(), (Point{330, 2}));
  EXPECT_EQ(texts[0].state.text_align, gdi::kAlignCenter | gdi::kAlignTop);
  EXPECT_EQ(paint.dc.state().text_align, gdi::kAlignLeft);
}

TEST_F(DrawLegendTest, TitleScaledAndLeftOutWithoutTexts) {
  TestPaint scaled(ws_, {.PaintScale = 2.0});
  DrawTitle(scaled.context);
  EXPECT_EQ(scaled.dc.Texts()[0].at(), (Point{640, 4}));
  EXPECT_EQ(scaled.dc.Texts()[0].state.font.Height, -24);
  TestPaint silent(ws_, {.PaintFlags = kPaintNoText});
  DrawTitle(silent.context);
  EXPECT_TRUE(silent.dc.calls().empty());
}

TEST(AbbreviatedAreaNameTest, CutsParenthesesAndOneSuffix) {
  const auto abbreviated = [](std::string_view name) { return AbbreviatedAreaName(Sjis(name)); };
  EXPECT_EQ(abbreviated("東京都"), Sjis("東京"));
  EXPECT_EQ(abbreviated("北区(東京)"), Sjis("北区"));
  EXPECT_EQ(abbreviated("北区（東京都）"), Sjis("北区"));
  EXPECT_EQ(abbreviated("大阪府"), Sjis("大阪"));
  EXPECT_EQ(abbreviated("横浜市"), Sjis("横浜"));
  EXPECT_EQ(abbreviated("府中町"), Sjis("府中"));
  EXPECT_EQ(abbreviated("市町"), Sjis("市")) << "at most one";
  EXPECT_EQ(abbreviated("北海道"), Sjis("北海道"));
  EXPECT_EQ(abbreviated("Tokyo (23)"), "Tokyo ");
}

// 東 then the half-width ｧ end in the bytes of 県 without ending in 県.
TEST(AbbreviatedAreaNameTest, ComparesWholeCharacters) {
  EXPECT_EQ(AbbreviatedAreaName(Sjis("東ｧ")), Sjis("東ｧ"));
  EXPECT_EQ(AbbreviatedAreaName("\x8e"), "\x8e");  // a lone lead byte
}

// Area 1 at (15, 15); area 2 with three anchors; area 3 without an anchor.
class DrawAreaNamesTest : public testing::Test {
 protected:
  DrawAreaNamesTest() {
    ws_.base_map = test::BaseMapBuilder()
                       .Area(Sjis("東京都"), {{0, test::Square(10, 10, 10)}}, {{15, 15}})
                       .Area(Sjis("北区(東京)"), {}, {{40, 40}, {60, 40}, {80, 40}})
                       .Area("C", {}, {{0, 99}})
                       .Build();
    ws_.data.DataValues[0] = "1";
    ws_.data.DataValues[1] = "2";
  }

  std::vector<std::string> Names(std::int16_t flags, PaintParams params = {},
                                 const AreaFill& fill = {}) {
    ws_.settings.AreaNameFlags = flags;
    TestPaint paint(ws_, params);
    DrawAreaNames(paint.context, fill);
    recorded_ = paint.dc.Texts();
    return paint.dc.TextStrings();
  }

  Workspace ws_;
  std::vector<gdi::RecordedCall> recorded_;
};

TEST_F(DrawAreaNamesTest, FirstAnchorOnlyCentredOnIt) {
  EXPECT_EQ(Names(1), (std::vector<std::string>{Sjis("東京都"), Sjis("北区(東京)")}));
  EXPECT_EQ(recorded_[0].at(), (Point{15, 15 - 6}));
  EXPECT_EQ(recorded_[1].at(), (Point{40, 40 - 6}));
  EXPECT_EQ(recorded_[0].state.text_align, gdi::kAlignCenter | gdi::kAlignTop);
}

TEST_F(DrawAreaNamesTest, EveryAnchorWithEnclaves) {
  const std::string kita = Sjis("北区(東京)");
  EXPECT_EQ(Names(3), (std::vector<std::string>{Sjis("東京都"), kita, kita, kita}));
  EXPECT_EQ(recorded_[3].at(), (Point{80, 34}));
}

TEST_F(DrawAreaNamesTest, AbbreviatedAndBackwards) {
  EXPECT_EQ(Names(1 | kNamesAbbreviated), (std::vector<std::string>{Sjis("東京"), Sjis("北区")}));
  EXPECT_EQ(Names(1 | kNamesBackwards),
            (std::vector<std::string>{Sjis("北区(東京)"), Sjis("東京都")}));
}

TEST_F(DrawAreaNamesTest, OnlyAreasWithDataWhenTheMapsAgree) {
  ws_.data.DataValues[0].clear();
  EXPECT_EQ(Names(1 | kNamesOnlyWithData), (std::vector<std::string>{Sjis("北区(東京)")}));
  ws_.base_map.LoadedMapFile = "OTHER.IDT";
  EXPECT_EQ(Names(1 | kNamesOnlyWithData).size(), 2u);
}

TEST_F(DrawAreaNamesTest, BackgroundOpaqueOrTransparentInScreenOrBlackColours) {
  ws_.screen_colors = ScreenColors{gdi::Color{1, 1, 1}, gdi::Color{2, 2, 2}};
  Names(1);
  EXPECT_EQ(recorded_[0].state.background_mode, gdi::BackgroundMode::kOpaque);
  EXPECT_EQ(recorded_[0].state.text_color, (gdi::Color{2, 2, 2}));
  EXPECT_EQ(recorded_[0].state.background_color, (gdi::Color{1, 1, 1}));
  Names(1 | kNamesTransparent, {.PaintFlags = kPaintMonochrome});
  EXPECT_EQ(recorded_[0].state.background_mode, gdi::BackgroundMode::kTransparent);
  EXPECT_EQ(recorded_[0].state.text_color, gdi::kBlack);
  EXPECT_EQ(recorded_[0].state.background_color, gdi::kWhite);
}

// The lift stays half the unscaled height: centred at scale 1 only.
TEST_F(DrawAreaNamesTest, ScaledPositionsAndFont) {
  Names(1, {.PaintScale = 2.0});
  EXPECT_EQ(recorded_[0].at(), (Point{30, 30 - 6}));
  EXPECT_EQ(recorded_[0].state.font.Height, -24);
}

// Apart: the larger area first, every later place whose box meets a written
// one left out; transparent names over a dark solid fill are white over a
// dark halo drawn a pixel around them, on screen only.
TEST_F(DrawAreaNamesTest, ApartLargerFirstWithoutOverlapsAndHalosOverDarkFills) {
  ws_.base_map = test::BaseMapBuilder()
                     .Area(Sjis("北区(東京)"),
                           {{0, test::Square(39, 39, 2)},
                            {0, test::Square(59, 39, 2)},
                            {0, test::Square(79, 39, 2)}},
                           {{40, 40}, {60, 40}, {80, 40}})
                     .Area(Sjis("東京都"), {{0, test::Square(10, 10, 10)}}, {{15, 15}})
                     .Build();
  const std::string kita = Sjis("北区(東京)");
  const std::string tokyo = Sjis("東京都");
  EXPECT_EQ(Names(3 | kNamesApart), (std::vector<std::string>{tokyo, kita}))
      << "the boxes of 60 pixels at 40, 60 and 80 overlap: only the first stays";
  EXPECT_EQ(recorded_[1].at(), (Point{40, 34}));

  const AreaFill dark_tokyo = [](int area) {
    return gdi::Brush{gdi::BrushKind::kSolid, area == 2 ? gdi::Color{0, 0, 128} : gdi::kWhite};
  };
  const std::int16_t transparent = 1 | kNamesApart | kNamesTransparent;
  const std::vector<std::string> haloed = Names(transparent, {}, dark_tokyo);
  ASSERT_EQ(haloed.size(), 10u);
  EXPECT_EQ(std::count(haloed.begin(), haloed.end(), tokyo), 9);
  EXPECT_EQ(recorded_[0].at(), (Point{14, 8}));
  EXPECT_NE(recorded_[0].state.text_color, gdi::kWhite);
  EXPECT_EQ(recorded_[8].at(), (Point{15, 9}));
  EXPECT_EQ(recorded_[8].state.text_color, gdi::kWhite) << "the name over its halo";
  EXPECT_EQ(recorded_[9].state.text_color, ws_.screen_colors.window_text);
  EXPECT_EQ(Names(1 | kNamesApart, {}, dark_tokyo).size(), 2u) << "opaque: on its own box";
  EXPECT_EQ(Names(transparent, {.PaintFlags = kPaintMonochrome}, dark_tokyo).size(), 2u);
}

TEST_F(DrawAreaNamesTest, NothingWithoutTheFlagOrWithoutTexts) {
  EXPECT_TRUE(Names(0).empty());
  EXPECT_TRUE(Names(kNamesTransparent | kNamesAbbreviated).empty());
  EXPECT_TRUE(Names(3, {.PaintFlags = kPaintNoText}).empty());
}

}  // namespace
}  // namespace kartela
