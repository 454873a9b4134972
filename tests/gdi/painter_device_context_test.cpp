#include "gdi/qt/painter_device_context.h"

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QPdfWriter>

#include "base/text_encoding.h"
#include "gdi/qt/font_substitution.h"
#include "model/test_support.h"
#include "qt_test_app.h"

namespace kartela::gdi {
namespace {

using test::Sjis;

constexpr Color kRed{255, 0, 0};
constexpr Color kGreen{0, 255, 0};
constexpr Color kBlue{0, 0, 255};
constexpr Pen kThinBlackPen{PenStyle::kSolid, 0, kBlack};
constexpr Pen kNullPen{PenStyle::kNull, 0, kBlack};
constexpr Brush kHollowBrush{BrushKind::kHollow, kBlack};
constexpr Brush kRedBrush{BrushKind::kSolid, kRed};

QRgb Rgb(Color color) {
  return qRgb(color.r, color.g, color.b);
}

// The columns and rows of the pixels that are not `paper`.
struct InkBox {
  int left = 1 << 20;
  int top = 1 << 20;
  int right = -1;
  int bottom = -1;
  bool empty() const { return right < 0; }
};

class PainterDeviceContextTest : public testing::Test {
 protected:
  void SetUp() override { Clear(kWhite); }

  void Clear(Color color, int width = 48, int height = 48) {
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(Rgb(color));
  }

  // Draws on the image through a fresh device context, the painter's
  // transform being `transform`.
  template <typename Draw>
  void Paint(const Draw& draw, const QTransform& transform = QTransform()) {
    QPainter painter(&image_);
    painter.setTransform(transform);
    PainterDeviceContext dc(painter);
    draw(dc);
  }

  QRgb At(int x, int y) const { return image_.pixel(x, y) | 0xFF000000u; }

  struct Probe {
    int x;
    int y;
    Color color;
  };
  void ExpectPixels(std::initializer_list<Probe> probes) const {
    for (const Probe& probe : probes) {
      EXPECT_EQ(At(probe.x, probe.y), Rgb(probe.color)) << "at " << probe.x << "," << probe.y;
    }
  }

  InkBox Ink(Color paper) const {
    InkBox box;
    for (int y = 0; y < image_.height(); ++y) {
      for (int x = 0; x < image_.width(); ++x) {
        if (At(x, y) == Rgb(paper)) continue;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  // The ink of "HHHH" in a 20-pixel font written at `at` with `align`.
  InkBox AlignedTextInk(std::uint32_t align, Point at) {
    LogFont font;
    font.Height = -20;
    Clear(kWhite, 160, 60);
    Paint([&](DeviceContext& dc) {
      dc.SelectFont(font);
      dc.SetBackgroundMode(BackgroundMode::kTransparent);
      dc.SetTextAlign(align);
      dc.TextOut(at, "HHHH");
    });
    return Ink(kWhite);
  }

  static bool HasIpaMincho() {
    const std::vector<std::string> families = InstalledFamilies();
    return std::find(families.begin(), families.end(), "IPAMincho") != families.end();
  }

  QImage image_;
};

// --- Shapes and pens --------------------------------------------------------

TEST_F(PainterDeviceContextTest, RectangleLeavesOutItsRightAndBottomEdge) {
  Paint([](DeviceContext& dc) {
    dc.SelectPen(kThinBlackPen);
    dc.SelectBrush(kRedBrush);
    dc.Rectangle({0, 0, 10, 10});
    dc.SelectPen(kNullPen);
    dc.Rectangle({20, 20, 30, 30});
  });
  ExpectPixels({{0, 0, kBlack},
                {9, 5, kBlack},
                {5, 9, kBlack},
                {5, 5, kRed},
                {10, 5, kWhite},
                {5, 10, kWhite}});
  // Without a pen the fill stops one pixel short of the edge.
  ExpectPixels({{20, 20, kRed}, {28, 28, kRed}, {29, 25, kWhite}, {25, 29, kWhite}});
}

TEST_F(PainterDeviceContextTest, EllipseLeavesOutItsRightAndBottomEdge) {
  Paint([](DeviceContext& dc) {
    dc.SelectPen(kThinBlackPen);
    dc.SelectBrush(kRedBrush);
    dc.Ellipse({0, 0, 21, 21});
  });
  ExpectPixels({{0, 10, kBlack},
                {20, 10, kBlack},
                {21, 10, kWhite},
                {10, 20, kBlack},
                {10, 21, kWhite},
                {10, 10, kRed},
                {1, 1, kWhite}});
}

TEST_F(PainterDeviceContextTest, LinesLeaveOutTheirLastPoint) {
  const Point zigzag[] = {{2, 20}, {12, 20}, {12, 30}};
  Paint([&](DeviceContext& dc) {
    dc.SelectPen(kThinBlackPen);
    dc.MoveTo({2, 3});
    dc.LineTo({9, 3});
    dc.Polyline(zigzag);
  });
  for (int x = 2; x <= 8; ++x)
    EXPECT_EQ(At(x, 3), Rgb(kBlack)) << x;
  ExpectPixels({{9, 3, kWhite}, {12, 20, kBlack}, {12, 29, kBlack}, {12, 30, kWhite}});
}

TEST_F(PainterDeviceContextTest, WidthZeroPenIsOnePixelUnderAScaledPainter) {
  Paint(
      [](DeviceContext& dc) {
        dc.SelectPen(kThinBlackPen);
        dc.MoveTo({1, 2});
        dc.LineTo({8, 2});
        dc.SelectBrush(kHollowBrush);
        dc.Rectangle({0, 5, 5, 10});
      },
      QTransform::fromScale(4, 4));
  ExpectPixels(
      {{10, 8, kBlack}, {10, 7, kWhite}, {10, 9, kWhite}, {31, 8, kBlack}, {32, 8, kWhite}});
  // The rectangle covers device pixels 0..19 and 20..39: its frame is one
  // pixel wide and its right and bottom edge are left out in device pixels.
  ExpectPixels(
      {{19, 30, kBlack}, {18, 30, kWhite}, {20, 30, kWhite}, {10, 39, kBlack}, {10, 40, kWhite}});
}

TEST_F(PainterDeviceContextTest, WidePenScalesWithThePainter) {
  Paint(
      [](DeviceContext& dc) {
        dc.SelectPen({PenStyle::kSolid, 2, kBlack});
        dc.MoveTo({2, 10});
        dc.LineTo({20, 10});
      },
      QTransform::fromScale(2, 2));
  const InkBox ink = Ink(kWhite);
  EXPECT_EQ(ink.bottom - ink.top + 1, 4);
}

TEST_F(PainterDeviceContextTest, DottedPenIsThreeOnThreeOffWithGapsInOpaqueMode) {
  Paint([](DeviceContext& dc) {
    dc.SelectPen({PenStyle::kDot, 0, kBlack});
    dc.SetBackgroundMode(BackgroundMode::kTransparent);
    dc.MoveTo({0, 5});
    dc.LineTo({20, 5});
    dc.SetBackgroundMode(BackgroundMode::kOpaque);
    dc.SetBackgroundColor(kGreen);
    dc.MoveTo({0, 9});
    dc.LineTo({20, 9});
  });
  const QRgb transparent_row[] = {Rgb(kBlack), Rgb(kBlack), Rgb(kBlack), Rgb(kWhite),
                                  Rgb(kWhite), Rgb(kWhite), Rgb(kBlack)};
  for (int x = 0; x < 7; ++x)
    EXPECT_EQ(At(x, 5), transparent_row[x]) << x;
  EXPECT_EQ(At(2, 9), Rgb(kBlack));
  EXPECT_EQ(At(3, 9), Rgb(kGreen));
}

TEST_F(PainterDeviceContextTest, WindingFillsTheDoublyCoveredMiddleOfAStar) {
  const Point star[] = {{20, 2}, {31, 35}, {3, 14}, {37, 14}, {9, 35}};
  Paint([&](DeviceContext& dc) {
    dc.SelectPen(kNullPen);
    dc.SelectBrush(kRedBrush);
    dc.SetFillMode(FillMode::kWinding);
    dc.Polygon(star);
  });
  EXPECT_EQ(At(20, 20), Rgb(kRed));
  EXPECT_EQ(At(20, 8), Rgb(kRed));

  Clear(kWhite);
  Paint([&](DeviceContext& dc) {
    dc.SelectPen(kNullPen);
    dc.SelectBrush(kRedBrush);
    dc.SetFillMode(FillMode::kAlternate);
    dc.Polygon(star);
  });
  EXPECT_EQ(At(20, 20), Rgb(kWhite));
  EXPECT_EQ(At(20, 8), Rgb(kRed));
}

// Outlines that step one pixel at most, with many repeated points (as a
// dense map has at screen scale), drawn through the device context under
// whole-pixel transforms, against Qt given every point itself: the same
// pixels. Last, a polygon of one repeated point.
TEST_F(PainterDeviceContextTest, RepeatedPointsDrawAsQtDrawsEveryPoint) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> start(8, 56);
  std::uniform_int_distribution<int> step(-1, 2);  // 2 stands still
  std::vector<std::vector<Point>> outlines;
  for (int i = 0; i < 30; ++i) {
    Point at{start(random), start(random)};
    std::vector<Point>& outline = outlines.emplace_back();
    for (int k = 0; k < 120; ++k) {
      const int dx = step(random);
      const int dy = step(random);
      at.x += dx == 2 ? 0 : dx;
      at.y += dy == 2 ? 0 : dy;
      outline.push_back(at);
    }
  }
  outlines.push_back(std::vector<Point>(5, Point{30, 30}));
  for (const QPoint shift : {QPoint(0, 0), QPoint(3, -2)}) {
    Clear(kWhite, 64, 64);
    QImage expected = image_;
    Paint(
        [&](DeviceContext& dc) {
          dc.SelectPen(kThinBlackPen);
          dc.SelectBrush(kRedBrush);
          dc.SetFillMode(FillMode::kWinding);
          for (const std::vector<Point>& outline : outlines)
            dc.Polygon(outline);
        },
        QTransform::fromTranslate(shift.x(), shift.y()));
    QPainter qt(&expected);
    QPen thin(Qt::black, 0);
    thin.setCapStyle(Qt::FlatCap);
    for (const std::vector<Point>& outline : outlines) {
      QPolygon polygon;
      for (const Point p : outline)
        polygon.append(QPoint(p.x, p.y) + shift);
      qt.setPen(Qt::NoPen);
      qt.setBrush(QColor(Qt::red));
      qt.drawPolygon(polygon, Qt::WindingFill);
      qt.setPen(thin);
      qt.setBrush(Qt::NoBrush);
      qt.drawPolygon(polygon);
    }
    qt.end();
    EXPECT_EQ(image_, expected) << "shifted by " << shift.x() << ", " << shift.y();
  }
}

TEST_F(PainterDeviceContextTest, ExtremeCoordinatesAreClippedToTheDevice) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const Point band[] = {{kMin, 5}, {kMax, 5}, {kMax, 6}, {kMin, 6}};
  Paint(
      [&](DeviceContext& dc) {
        dc.SelectPen({PenStyle::kSolid, kMax, kBlack});
        dc.SelectBrush(kRedBrush);
        dc.Ellipse({kMin, kMin, kMax, kMax});
        dc.SelectPen(kNullPen);
        dc.Rectangle({kMin, kMin, kMax, kMax});
        dc.SelectBrush({BrushKind::kSolid, kBlue});
        dc.Polygon(band);
      },
      QTransform::fromScale(4, 4));
  EXPECT_EQ(At(5, 5), Rgb(kRed));
  EXPECT_EQ(At(40, 21), Rgb(kBlue));
  EXPECT_EQ(At(40, 40), Rgb(kRed));
}

TEST_F(PainterDeviceContextTest, NotXorPenDrawnTwiceRestoresThePicture) {
  bool supported = false;
  QImage before;
  Paint([&](DeviceContext& dc) {
    dc.SelectPen(kNullPen);
    dc.SelectBrush(kRedBrush);
    dc.Rectangle({0, 0, 30, 30});
  });
  before = image_;
  const auto band = [&](PainterDeviceContext& dc) {
    supported = dc.SupportsRasterOps();
    dc.SetRasterOp(RasterOp::kNotXorPen);
    dc.SelectPen({PenStyle::kDot, 0, kBlack});
    dc.SelectBrush(kHollowBrush);
    dc.Rectangle({5, 5, 40, 40});
    dc.MoveTo({0, 2});
    dc.LineTo({45, 2});
  };
  Paint(band);
  EXPECT_TRUE(supported);
  EXPECT_EQ(At(1, 2), qRgb(0, 255, 255));  // not (black xor red)
  EXPECT_EQ(At(37, 2), Rgb(kBlack));       // not (black xor white)
  EXPECT_EQ(At(7, 5), qRgb(0, 255, 255));
  Paint(band);
  EXPECT_EQ(image_, before);
}

TEST_F(PainterDeviceContextTest, VectorTargetsHaveNoRasterOps) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  QPainter painter(&pdf);
  PainterDeviceContext dc(painter);
  EXPECT_FALSE(dc.SupportsRasterOps());
  dc.SetRasterOp(RasterOp::kNotXorPen);
  dc.MoveTo({0, 0});
  dc.LineTo({100, 100});
}

// --- Brushes ------------------------------------------------------------------

TEST_F(PainterDeviceContextTest, HatchGapsStayUnpaintedOnATransparentBackground) {
  Clear(kBlue);
  const Point square[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
  const Point right_square[] = {{24, 0}, {40, 0}, {40, 16}, {24, 16}};
  Paint([&](DeviceContext& dc) {
    dc.SelectPen(kNullPen);
    dc.SelectBrush({BrushKind::kHatch, kRed, HatchStyle::kCross});
    dc.SetBackgroundMode(BackgroundMode::kTransparent);
    dc.Polygon(square);
    dc.SetBackgroundMode(BackgroundMode::kOpaque);
    dc.SetBackgroundColor(kWhite);
    dc.Polygon(right_square);
  });
  // The cross lines lie on row 3 and column 4 of every 8x8 cell.
  ExpectPixels({{1, 3, kRed}, {9, 11, kRed}, {4, 6, kRed}, {1, 1, kBlue}, {10, 13, kBlue}});
  // Opaque mode paints the gaps with the background colour.
  EXPECT_EQ(At(25, 1), Rgb(kWhite));
  EXPECT_EQ(At(25, 3), Rgb(kRed));
}

TEST_F(PainterDeviceContextTest, HatchDirectionsFollowTheirNames) {
  const Point square[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
  Paint([&](DeviceContext& dc) {
    dc.SelectPen(kNullPen);
    dc.SetBackgroundMode(BackgroundMode::kTransparent);
    dc.SelectBrush({BrushKind::kHatch, kRed, HatchStyle::kForwardDiagonal});
    dc.Polygon(square);
  });
  // Top-left to bottom-right: (x, y) and (x + 1, y + 1) are both ink.
  ExpectPixels({{0, 0, kRed}, {1, 1, kRed}, {1, 0, kWhite}});
}

TEST_F(PainterDeviceContextTest, PatternTilesFromTheDeviceOriginAndPaintsItsWhite) {
  Clear(kBlue);
  const PatternRows rows = {0x18, 0x30, 0x70, 0xD8, 0x8D, 0x07, 0x06, 0x0C};
  const Point square[] = {{0, 0}, {30, 0}, {30, 30}, {0, 30}};
  Paint(
      [&](DeviceContext& dc) {
        dc.SelectPen(kNullPen);
        dc.SetBackgroundMode(BackgroundMode::kTransparent);
        dc.SelectBrush({BrushKind::kPattern, kRed, HatchStyle::kHorizontal, rows});
        dc.Polygon(square);
      },
      QTransform::fromTranslate(5, 3));
  int mismatches = 0;
  for (int y = 3; y < 33; ++y) {
    for (int x = 5; x < 35; ++x) {
      const bool ink = (rows[static_cast<std::size_t>(y % 8)] >> (7 - x % 8)) & 1;
      if (At(x, y) != Rgb(ink ? kRed : kWhite)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(At(4, 10), Rgb(kBlue));
  EXPECT_EQ(At(35, 10), Rgb(kBlue));
}

TEST_F(PainterDeviceContextTest, PatternIgnoresThePaintersBrushOrigin) {
  const PatternRows rows = {0x80, 0, 0, 0, 0, 0, 0, 0};
  const Point square[] = {{3, 3}, {20, 3}, {20, 20}, {3, 20}};
  QPainter painter(&image_);
  painter.setBrushOrigin(3, 5);
  {
    PainterDeviceContext dc(painter);
    dc.SelectPen(kNullPen);
    dc.SelectBrush({BrushKind::kPattern, kRed, HatchStyle::kHorizontal, rows});
    dc.Polygon(square);
  }
  EXPECT_EQ(painter.brushOrigin(), QPoint(3, 5));
  painter.end();
  ExpectPixels({{8, 8, kRed}, {16, 16, kRed}, {11, 13, kWhite}});
}

// --- Text -----------------------------------------------------------------------

TEST_F(PainterDeviceContextTest, TextAlignmentPlacesTheTextAroundItsPoint) {
  InkBox ink = AlignedTextInk(kAlignCenter | kAlignTop, {80, 10});
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 80, 2);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 30);

  ink = AlignedTextInk(kAlignRight | kAlignBaseline, {80, 40});
  EXPECT_LE(ink.right, 80);
  EXPECT_GE(ink.right, 74);
  // The glyphs stand on the baseline (some fonts' hinting lifts them a row).
  EXPECT_LE(ink.bottom, 39);
  EXPECT_GE(ink.bottom, 37);

  ink = AlignedTextInk(kAlignLeft | kAlignBottom, {80, 40});
  EXPECT_GE(ink.left, 80);
  EXPECT_LE(ink.left, 84);
  EXPECT_LE(ink.bottom, 39);
  EXPECT_GE(ink.top, 15);
}

TEST_F(PainterDeviceContextTest, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  std::optional<Size> cell;
  Paint([&](DeviceContext& dc) {
    dc.SetBackgroundColor(kGreen);
    cell = dc.TextExtent("   ");
    dc.TextOut({4, 4}, "   ");
    dc.SetBackgroundMode(BackgroundMode::kTransparent);
    dc.TextOut({4, 24}, "   ");
  });
  ASSERT_TRUE(cell);
  ASSERT_GT(cell->cx, 2);
  EXPECT_EQ(At(4, 4), Rgb(kGreen));
  EXPECT_EQ(At(4 + cell->cx - 1, 4 + cell->cy - 1), Rgb(kGreen));
  EXPECT_EQ(At(4 + cell->cx, 4), Rgb(kWhite));
  EXPECT_EQ(At(4, 4 + cell->cy), Rgb(kWhite));
  EXPECT_EQ(Ink(kWhite).bottom, 4 + cell->cy - 1);
}

TEST_F(PainterDeviceContextTest, TextExtentMeasuresShiftJisTextInLogicalUnits) {
  ASSERT_TRUE(HasIpaMincho())
      << "IPAMincho is not installed (fonts-ipafont-mincho; scripts/setup.sh installs it)";
  const std::string text = Sjis("日本");
  std::optional<Size> at_screen;
  std::optional<Size> at_double;
  Paint([&](DeviceContext& dc) { at_screen = dc.TextExtent(text); });
  Paint([&](DeviceContext& dc) { at_double = dc.TextExtent(text); }, QTransform::fromScale(2, 2));
  ASSERT_TRUE(at_screen && at_double);
  // Two full-width characters of a 12-pixel em; the cell is the em plus the
  // face's internal leading.
  EXPECT_EQ(at_screen->cx, 24);
  EXPECT_GE(at_screen->cy, 12);
  EXPECT_LE(at_screen->cy, 15);
  EXPECT_EQ(at_double->cx, 24);
  EXPECT_NEAR(at_double->cy, at_screen->cy, 1);
}

// The printable ASCII characters and the kana (full-width hiragana and
// katakana, half-width katakana), each as Shift-JIS.
std::vector<std::string> AsciiAndKana() {
  std::vector<std::string> glyphs;
  for (char c = '!'; c <= '~'; ++c)
    glyphs.emplace_back(1, c);
  for (unsigned char c = 0xA1; c <= 0xDF; ++c)
    glyphs.emplace_back(1, static_cast<char>(c));
  for (const auto& [first, last] : {std::pair{u'ぁ', u'ん'}, std::pair{u'ァ', u'ヶ'}}) {
    for (char16_t c = first; c <= last; ++c)
      glyphs.push_back(Sjis(QString(QChar(c)).toStdString()));
  }
  return glyphs;
}

// How much of its ink box one glyph covers (0..1, grey counting in part),
// and whether any pixel has a colour rather than a grey.
struct GlyphInk {
  double coverage = 0;
  bool coloured = false;
};

GlyphInk MeasureGlyph(const QImage& image) {
  InkBox box;
  GlyphInk result;
  double ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if ((pixel & 0xFFFFFF) == 0xFFFFFF) continue;
      result.coloured |= qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel);
      ink += (255 - qGray(pixel)) / 255.0;
      box = InkBox{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                   std::max(box.bottom, y)};
    }
  }
  // Strokes one or two pixels thin ("l", "-", "ｰ") fill their box by nature.
  const int width = box.right - box.left + 1;
  const int height = box.bottom - box.top + 1;
  if (!box.empty() && width > 2 && height > 2) result.coverage = ink / (width * height);
  return result;
}

// At the default size of each text a capital M, the digits and every kana
// keep their strokes apart, in grey levels without colour fringes, both on
// the map (through the device context) and in the data window's grid font.
TEST_F(PainterDeviceContextTest, NoGlyphIsAFilledBoxAtTheDefaultSizes) {
  const std::vector<std::string> installed = InstalledFamilies();
  struct Face {
    const char* face;
    std::int32_t height;
    bool grid;  // drawn as the data window draws its grid
  };
  const Face faces[] = {
      {"ＭＳ 明朝", -12, false}, {"ＭＳ ゴシック", -12, false}, {"ＭＳ ゴシック", 13, true}};
  for (const Face& face : faces) {
    LogFont record;
    record.Height = face.height;
    record.FaceName = Sjis(face.face);
    for (const std::string& glyph : AsciiAndKana()) {
      Clear(kWhite, 40, 40);
      if (face.grid) {
        QPainter painter(&image_);
        painter.setFont(MakeQFont(record, 1.0, installed));
        painter.setPen(Qt::black);
        painter.drawText(8, 24, QString::fromStdString(sjis::ToUtf8Lossy(glyph)));
      } else {
        Paint([&](DeviceContext& dc) {
          dc.SelectFont(record);
          dc.SetBackgroundMode(BackgroundMode::kTransparent);
          dc.TextOut({8, 8}, glyph);
        });
      }
      const GlyphInk ink = MeasureGlyph(image_);
      const std::string shown = sjis::ToUtf8Lossy(glyph);
      EXPECT_LT(ink.coverage, 0.8) << face.face << " " << face.height << " \"" << shown << "\"";
      EXPECT_FALSE(ink.coloured) << face.face << " \"" << shown << "\"";
    }
  }
}

// Map texts draw Latin letters at their own widths, not in half-em cells;
// full-width characters keep the em.
TEST_F(PainterDeviceContextTest, MapTextsSpaceLatinLettersByTheirWidths) {
  std::optional<Size> narrow;
  std::optional<Size> wide;
  std::optional<Size> kanji;
  Paint([&](DeviceContext& dc) {
    narrow = dc.TextExtent("iiii");
    wide = dc.TextExtent("MMMM");
    kanji = dc.TextExtent(Sjis("日本"));
  });
  ASSERT_TRUE(narrow && wide && kanji);
  EXPECT_LT(narrow->cx * 3 / 2, wide->cx);
  EXPECT_EQ(kanji->cx, 24);
}

TEST_F(PainterDeviceContextTest, TextExtentFailsOnAPainterThatIsNotActive) {
  QPainter painter;
  PainterDeviceContext dc(painter);
  EXPECT_EQ(dc.TextExtent("abc"), std::nullopt);
}

}  // namespace
}  // namespace kartela::gdi
