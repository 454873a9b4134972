#include "render/drawing_resources.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kartela {
namespace {

using gdi::BrushKind;
using gdi::Color;
using gdi::Pen;
using gdi::PenStyle;

using OrderRow = std::array<std::uint8_t, 8>;

TEST(BrushTableTest, SolidsHatchesPatternsAndHollowInIndexOrder) {
  const auto& brushes = Brushes();
  EXPECT_EQ(brushes[0], (gdi::Brush{BrushKind::kSolid, Color{192, 255, 128}}));
  EXPECT_EQ(brushes[13].color, (Color{32, 32, 255}));
  EXPECT_EQ(brushes[23].color, (Color{64, 0, 0}));
  const std::array<Color, 10> named = {
      Color{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},     {255, 0, 255},
      {255, 0, 0},          {0, 0, 255},   {0, 0, 0},     {192, 192, 192}, {128, 128, 128}};
  for (std::size_t i = 0; i < named.size(); ++i) {
    EXPECT_EQ(brushes[24 + i].kind, BrushKind::kSolid) << i;
    EXPECT_EQ(brushes[24 + i].color, named[i]) << i;
  }
  EXPECT_EQ(brushes[34].kind, BrushKind::kHatch);
  EXPECT_EQ(brushes[34].color, (Color{255, 0, 0}));
  EXPECT_EQ(brushes[36].hatch, gdi::HatchStyle::kForwardDiagonal);
  EXPECT_EQ(brushes[39].hatch, gdi::HatchStyle::kDiagonalCross);
  EXPECT_EQ(brushes[39].color, (Color{0, 128, 128}));
  for (int i = kFirstPatternBrush; i < kHollowBrush; ++i)
    EXPECT_EQ(brushes[static_cast<std::size_t>(i)].kind, BrushKind::kPattern) << i;
  EXPECT_EQ(brushes[56].kind, BrushKind::kHollow);
}

TEST(BrushTableTest, PatternRowsTopDownWithTheLeftmostPixelHigh) {
  const auto& brushes = Brushes();
  // E: ...XX... ..XX.... .XXX.... XX.XX... X...XX.X .....XXX .....XX. ....XX..
  EXPECT_EQ(brushes[40].pattern,
            (gdi::PatternRows{0x18, 0x30, 0x70, 0xD8, 0x8D, 0x07, 0x06, 0x0C}));
  EXPECT_EQ(brushes[40].color, (Color{0, 0, 128}));
  EXPECT_EQ(brushes[51].pattern[0], 0xFF);  // P
  EXPECT_EQ(brushes[51].pattern[5], 0x02);
  EXPECT_EQ(brushes[55].pattern,
            (gdi::PatternRows{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}));
  EXPECT_EQ(brushes[55].color, (Color{0, 255, 0}));
}

TEST(BrushTableTest, AnIndexBeyondTheTableIsHollow) {
  EXPECT_EQ(BrushAt(57).kind, BrushKind::kHollow);
  EXPECT_EQ(BrushAt(255).kind, BrushKind::kHollow);
  EXPECT_EQ(BrushAt(-1).kind, BrushKind::kHollow);
  EXPECT_EQ(BrushAt(31).color, gdi::kBlack);
}

class PenTest : public testing::Test {
 protected:
  const Pen& PenFor(std::int16_t border_style, PenIndex index, PrintPenWidths print = {2, 6}) {
    pens_ = CreatePens(border_style, kScreen, print);
    return pens_[static_cast<std::size_t>(index)];
  }

  static constexpr Color kScreen{10, 20, 30};
  std::array<Pen, kPenCount> pens_;
};

TEST_F(PenTest, NormalBorderThinThickDotted) {
  EXPECT_EQ(PenFor(0, kPenBorder), (Pen{PenStyle::kSolid, 0, kScreen}));
  EXPECT_EQ(PenFor(0, kPenBorderMono), (Pen{PenStyle::kSolid, 2, gdi::kBlack}));
  EXPECT_EQ(PenFor(1, kPenBorder), (Pen{PenStyle::kSolid, 2, kScreen}));
  EXPECT_EQ(PenFor(1, kPenBorderMono), (Pen{PenStyle::kSolid, 6, gdi::kBlack}));
  EXPECT_EQ(PenFor(2, kPenBorder), (Pen{PenStyle::kDot, 0, kScreen}));
  EXPECT_EQ(PenFor(2, kPenBorderMono), (Pen{PenStyle::kDot, 2, gdi::kBlack}));
}

TEST_F(PenTest, SecondBorderNoneIsThinSolid) {
  EXPECT_EQ(PenFor(0, kPenSecondBorder), (Pen{PenStyle::kSolid, 0, kScreen}));
  EXPECT_EQ(PenFor(0, kPenSecondBorderMono), (Pen{PenStyle::kSolid, 2, gdi::kBlack}));
  EXPECT_EQ(PenFor(4, kPenSecondBorder), (Pen{PenStyle::kSolid, 2, kScreen}));
  EXPECT_EQ(PenFor(4, kPenSecondBorderMono), (Pen{PenStyle::kSolid, 6, gdi::kBlack}));
  EXPECT_EQ(PenFor(8, kPenSecondBorder), (Pen{PenStyle::kDot, 0, kScreen}));
  EXPECT_EQ(PenFor(8 + 1, kPenBorder), (Pen{PenStyle::kSolid, 2, kScreen})) << "fields apart";
}

TEST_F(PenTest, AuxiliaryLineByItsField) {
  EXPECT_EQ(PenFor(0, kPenAuxiliary), (Pen{PenStyle::kSolid, 0, kScreen}));
  EXPECT_EQ(PenFor(16, kPenAuxiliary), (Pen{PenStyle::kSolid, 0, kScreen}));
  EXPECT_EQ(PenFor(32, kPenAuxiliary), (Pen{PenStyle::kSolid, 2, kScreen}));
  EXPECT_EQ(PenFor(32, kPenAuxiliaryMono), (Pen{PenStyle::kSolid, 6, gdi::kBlack}));
  EXPECT_EQ(PenFor(48, kPenAuxiliaryMono), (Pen{PenStyle::kDot, 2, gdi::kBlack}));
  EXPECT_EQ(AuxiliaryLineOf(0), AuxiliaryLine::kNone);
  EXPECT_EQ(AuxiliaryLineOf(48 + 8 + 2), AuxiliaryLine::kDotted);
}

TEST_F(PenTest, LegendAndDottedPensIgnoreTheSetting) {
  for (const std::int16_t style : {0, 63}) {
    EXPECT_EQ(PenFor(style, kPenLegend), (Pen{PenStyle::kSolid, 0, kScreen}));
    EXPECT_EQ(PenFor(style, kPenLegendMono), (Pen{PenStyle::kSolid, 2, gdi::kBlack}));
    EXPECT_EQ(PenFor(style, kPenDotted), (Pen{PenStyle::kDot, 0, kScreen}));
    EXPECT_EQ(PenFor(style, kPenDottedMono), (Pen{PenStyle::kDot, 2, gdi::kBlack}));
  }
}

TEST(PrintWidthsTest, ThickIsTwiceTheWholeMagnification) {
  EXPECT_EQ(PrintWidthsOf(3, 2.7).line, 3);
  EXPECT_EQ(PrintWidthsOf(3, 2.7).thick, 4);
  EXPECT_EQ(PrintWidthsOf(2, 0.5).thick, 0);
  EXPECT_EQ(PrintWidthsOf(2, 4.5).thick, 8);
}

// The automatic print size (-1) would give a negative width; it counts as 1.
TEST(PrintWidthsTest, AutomaticSizeAndBadValuesGiveUsableWidths) {
  EXPECT_EQ(PrintWidthsOf(2, -1.0).thick, 2);
  EXPECT_EQ(PrintWidthsOf(-4, 1.0).line, 0);
  EXPECT_EQ(PrintWidthsOf(2, 1e30).thick, 2000);
}

TEST(DrawingResourcesTest, MadeFromTheSettings) {
  Settings settings = DefaultSettings({});
  settings.BorderStyle = 1;
  settings.PrintSize = 3.0;
  settings.AreaFont.Height = -20;
  const ScreenColors screen{Color{1, 2, 3}, Color{4, 5, 6}};
  const DrawingResources resources = CreateDrawingResources(settings, screen, 5);
  EXPECT_EQ(resources.PenFor(kPenBorder, false), (Pen{PenStyle::kSolid, 2, Color{4, 5, 6}}));
  EXPECT_EQ(resources.PenFor(kPenBorder, true), (Pen{PenStyle::kSolid, 6, gdi::kBlack}));
  EXPECT_EQ(resources.PenFor(kPenLegend, true).width, 5);
  EXPECT_EQ(resources.fonts[kFontAreaName].Height, -20);
  EXPECT_EQ(resources.pattern_order, settings.PatternOrder);
}

TEST(ScaledFontTest, HeightRoundedHalfToEvenAtScalesOtherThanOne) {
  LogFont font;
  EXPECT_EQ(ScaledFont(font, 1.0), font);
  EXPECT_EQ(ScaledFont(font, 1.5).Height, -18);
  EXPECT_EQ(ScaledFont(font, 0.125).Height, -2);  // -1.5
  font.Height = -10;
  EXPECT_EQ(ScaledFont(font, 0.25).Height, -2);  // -2.5
  EXPECT_EQ(ScaledFont(font, 0.25).FaceName, font.FaceName);
}

TEST(BrushForClassTest, PatternOrderRowOfTheClassCount) {
  PatternOrderTable order = DefaultPatternOrder();
  order[3][4] = 40;  // 5 classes, class 4
  EXPECT_EQ(BrushIndexForClass(order, 5, 4), 40);
  EXPECT_EQ(BrushIndexForClass(order, 5, 0), 24);
  EXPECT_EQ(BrushForClass(order, 5, 4), Brushes()[40]);
}

TEST(BrushForClassTest, OneClassTakesTheFirstEntryOfTheTwoClassRow) {
  PatternOrderTable order = DefaultPatternOrder();
  order[0][0] = 12;
  EXPECT_EQ(BrushIndexForClass(order, 1, 0), 12);
}

TEST(BrushForClassTest, EntriesNamingNoBrushAndClassesOutsideAreHollow) {
  PatternOrderTable order = DefaultPatternOrder();
  order[1][1] = 57;
  order[1][2] = 255;
  EXPECT_EQ(BrushIndexForClass(order, 3, 1), kHollowBrush);
  EXPECT_EQ(BrushIndexForClass(order, 3, 2), kHollowBrush);
  EXPECT_EQ(BrushIndexForClass(order, 3, 3), kHollowBrush);
  EXPECT_EQ(BrushIndexForClass(order, 9, 0), kHollowBrush);
  EXPECT_EQ(BrushIndexForClass(order, 0, 0), kHollowBrush);
}

TEST(PatternSymbolTest, DigitsLowerAndUpperLetters) {
  EXPECT_EQ(BrushOfSymbol('0'), 0);
  EXPECT_EQ(BrushOfSymbol('9'), 9);
  EXPECT_EQ(BrushOfSymbol('a'), 10);
  EXPECT_EQ(BrushOfSymbol('z'), 35);
  EXPECT_EQ(BrushOfSymbol('A'), 36);
  EXPECT_EQ(BrushOfSymbol('T'), 55);
  for (const char c : std::string("UVWXYZ- \t\0", 10))
    EXPECT_FALSE(BrushOfSymbol(c).has_value()) << static_cast<int>(c);
  EXPECT_EQ(SymbolOfBrush(55), 'T');
  EXPECT_EQ(SymbolOfBrush(56), 'U');
  EXPECT_EQ(SymbolOfBrush(200), 'U');
}

TEST(PatternOrderTextTest, ShortTextKeepsTheEntriesNotReached) {
  OrderRow row = DefaultPatternOrder()[3];
  ParsePatternOrder("0-1-2", 5, row);
  EXPECT_EQ(row, (OrderRow{0, 1, 2, 27, 28, 0, 0, 0}));
}

TEST(PatternOrderTextTest, TakesAtMostTheClassCount) {
  OrderRow row{};
  ParsePatternOrder("abcdefghijklmnopqrs", 8, row);
  EXPECT_EQ(row, (OrderRow{10, 11, 12, 13, 14, 15, 16, 17}));
  row = OrderRow{};
  ParsePatternOrder("a-b-c-d", 2, row);
  EXPECT_EQ(row, (OrderRow{10, 11, 0, 0, 0, 0, 0, 0}));
}

TEST(PatternOrderTextTest, NeverReadsPastTheSeventeenthCharacter) {
  OrderRow row{};
  ParsePatternOrder(
      "U-V-W-X-Y-Z-----a"
      "bc",
      3, row);
  EXPECT_EQ(row, (OrderRow{10, 0, 0, 0, 0, 0, 0, 0}));
  row = OrderRow{};
  ParsePatternOrder(
      "-----------------"
      "abc",
      3, row);
  EXPECT_EQ(row, OrderRow{});
}

TEST(PatternOrderTextTest, DoubleByteCharactersAreNoSymbols) {
  OrderRow row{};
  // "Ｂ" is 82 61: its second byte is the code of "a".
  ParsePatternOrder("\x82\x61-b-\x82\x61-c", 3, row);
  EXPECT_EQ(row, (OrderRow{11, 12, 0, 0, 0, 0, 0, 0}));
}

TEST(PatternOrderTextTest, SkipsSeparatorsBlanksAndUToZ) {
  OrderRow row{9, 9, 9, 9, 9, 9, 9, 9};
  ParsePatternOrder(" T U,S/Z 0", 4, row);
  EXPECT_EQ(row, (OrderRow{55, 54, 0, 9, 9, 9, 9, 9}));
}

TEST(PatternOrderTextTest, FormatsTheFirstEntriesJoinedByDashes) {
  const PatternOrderTable order = DefaultPatternOrder();
  EXPECT_EQ(FormatPatternOrder(order[3], 5), "o-p-q-r-s");
  EXPECT_EQ(FormatPatternOrder(order[0], 2), "o-p");
  const OrderRow mixed{0, 35, 36, 55, 56, 9, 1, 2};
  EXPECT_EQ(FormatPatternOrder(mixed, 8), "0-z-A-T-U-9-1-2");
  OrderRow read_back{};
  ParsePatternOrder(FormatPatternOrder(mixed, 4), 4, read_back);
  EXPECT_EQ(read_back, (OrderRow{0, 35, 36, 55, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace kartela
