#include "geodata/basemap/map_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geodata/basemap/geometry.h"
#include "tiny_database.h"

namespace kartela::basemap {
namespace {

using test::AsPair;
using test::AsPairs;
using test::Degrees;
using test::Pairs;
using test::Square;
using test::TinyDatabase;
using Points = std::vector<MapPoint>;

// Equirectangular on the sphere: pixels proportional to degrees.
Recipe TestRecipe(int size = 1000) {
  Recipe recipe;
  recipe.output = "test.IDT";
  recipe.title = "テスト";
  recipe.database = "tiny";
  recipe.projection = "+proj=eqc +R=6370997";
  recipe.width = recipe.height = size;
  recipe.frame = {10, 10, size - 10, size - 10};
  return recipe;
}

BuiltMap Build(const TinyDatabase& db, const Recipe& recipe = TestRecipe(),
               const NameTable* names = nullptr) {
  const auto map = BuildBaseMap(recipe, db.Parse(), names);
  EXPECT_TRUE(map.ok()) << map.status().detail();
  return map.ok() ? *map : BuiltMap{};
}

std::string BuildError(const TinyDatabase& db, const Recipe& recipe = TestRecipe(),
                       const NameTable* names = nullptr) {
  const auto map = BuildBaseMap(recipe, db.Parse(), names);
  return map.ok() ? "built" : map.status().detail();
}

bool Contains(const Points& points, const MapPoint& p) {
  return std::any_of(points.begin(), points.end(),
                     [&](const MapPoint& q) { return AsPair(q) == AsPair(p); });
}

// The points of closed ring `a` that `b` also has, in the order of `a`,
// starting after a point `b` does not have.
Points SharedRun(const Points& a, const Points& b) {
  const auto outside =
      std::find_if(a.begin(), a.end(), [&](const MapPoint& p) { return !Contains(b, p); });
  Points rotated(outside, a.end());
  rotated.insert(rotated.end(), a.begin(), outside);
  Points run;
  for (const MapPoint& p : rotated) {
    if (Contains(b, p)) run.push_back(p);
  }
  return run;
}

// Winding number of a closed ring around (x, y), as a winding fill counts it.
int Winding(const Points& ring, double x, double y) {
  int winding = 0;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const MapPoint &p = ring[j], &q = ring[i];
    const double cross = (q.x - p.x) * (y - p.y) - (x - p.x) * (q.y - p.y);
    if (p.y <= y && q.y > y && cross > 0) ++winding;
    if (p.y > y && q.y <= y && cross < 0) --winding;
  }
  return winding;
}

// A wiggly border from (1, 0) to (1, 1), its wiggles about one pixel wide.
Degrees WigglyBorder() {
  Degrees border;
  for (int i = 0; i <= 100; ++i)
    border.emplace_back(1 + (i % 2 ? 0.0025 : 0.0) + 0.01 * std::sin(i / 7.0), i / 100.0);
  return border;
}

TinyDatabase SharedLineSquares() {
  TinyDatabase db;
  Degrees border = WigglyBorder();
  const int shared = db.AddLine(border);
  const int west = db.AddLine({{1, 1}, {0, 1}, {0, 0}, {1, 0}});
  const int east = db.AddLine({{1, 0}, {2, 0}, {2, 1}, {1, 1}});
  db.AddPolygon("West", {shared, west});
  db.AddPolygon("East", {-shared, east});
  return db;
}

// The same squares, each with a closed line of its own.
TinyDatabase SeparateRingSquares() {
  TinyDatabase db;
  Degrees west = WigglyBorder();
  west.insert(west.end(), {{0, 1}, {0, 0}});
  const Degrees border = WigglyBorder();
  Degrees east(border.rbegin(), border.rend());
  east.insert(east.end(), {{2, 0}, {2, 1}});
  db.AddRing("West", west);
  db.AddRing("East", east);
  return db;
}

TEST(MapBuilderTest, SharedBorderIsOneIdenticalVertexSequenceInBothOutlines) {
  for (const TinyDatabase& db : {SharedLineSquares(), SeparateRingSquares()}) {
    const BuiltMap map = Build(db);
    ASSERT_EQ(map.areas.size(), 2u);
    ASSERT_EQ(map.areas[0].outlines.size(), 1u);
    ASSERT_EQ(map.areas[1].outlines.size(), 1u);
    const Points& west = map.areas[0].outlines[0];
    const Points& east = map.areas[1].outlines[0];
    const Points west_run = SharedRun(west, east);
    Points east_run = SharedRun(east, west);
    std::reverse(east_run.begin(), east_run.end());
    EXPECT_GT(west_run.size(), 4u);  // the wiggles survive simplification
    EXPECT_EQ(AsPairs(west_run), AsPairs(east_run));
    EXPECT_TRUE(map.lines.empty());
  }
}

TEST(MapBuilderTest, GroupsPolygonsByRegionInOrderOfFirstAppearance) {
  TinyDatabase db;
  db.AddRing("Beta", Square(0, 0, 1));
  db.AddRing("Alpha", Square(2, 0, 1));
  db.AddRing("Beta:island", Square(4, 0, 0.5));
  db.AddRing("Gamma", Square(6, 0, 1));
  const BuiltMap map = Build(db);
  ASSERT_EQ(map.areas.size(), 3u);
  EXPECT_EQ(map.areas[0].name, "Beta");
  EXPECT_EQ(map.areas[1].name, "Alpha");
  EXPECT_EQ(map.areas[0].outlines.size(), 2u);

  const NameTable names{{"Beta", "ベータ"}, {"Alpha", "アルファ"}, {"Gamma", "ガンマ"}};
  EXPECT_EQ(Build(db, TestRecipe(), &names).areas[1].name, "アルファ");
  Recipe without_gamma = TestRecipe();
  without_gamma.excluded = {"Gamma"};
  EXPECT_EQ(Build(db, without_gamma).areas.size(), 2u);
  EXPECT_NE(BuildError(db, without_gamma, &names).find("unknown region \"Gamma\""),
            std::string::npos);
  const NameTable missing{{"Beta", "ベータ"}, {"Alpha", "アルファ"}};
  EXPECT_NE(BuildError(db, TestRecipe(), &missing).find("no entry for \"Gamma\""),
            std::string::npos);
  without_gamma.excluded = {"Delta"};
  EXPECT_NE(BuildError(db, without_gamma).find("cannot exclude unknown region"), std::string::npos);
}

TEST(MapBuilderTest, TenLargestPolygonsAreOutlinesAndTheRestCodeZeroLines) {
  TinyDatabase db;
  for (int i = 0; i < 12; ++i)
    db.AddRing(i == 0 ? "Isles" : "Isles:" + std::to_string(i),
               Square(i * 2, 0, 0.3 + 0.1 * ((i * 5) % 12)));
  const BuiltMap map = Build(db);
  ASSERT_EQ(map.areas.size(), 1u);
  const BuiltArea& area = map.areas[0];
  ASSERT_EQ(area.outlines.size(), 10u);
  ASSERT_EQ(area.anchors.size(), 10u);
  for (std::size_t k = 0; k < 10; ++k) {
    EXPECT_TRUE(RingContains(area.outlines[k], area.anchors[k].x, area.anchors[k].y)) << k;
    if (k > 0) {
      EXPECT_GE(std::fabs(TwiceSignedArea(area.outlines[k - 1])),
                std::fabs(TwiceSignedArea(area.outlines[k])));
    }
  }
  ASSERT_EQ(map.lines.size(), 2u);
  for (const basemap::Run& line : map.lines) {
    EXPECT_EQ(line.code, kPlainLine);
    EXPECT_EQ(AsPair(line.points.front()), AsPair(line.points.back()));  // the coastline is closed
    EXPECT_EQ(line.points.size(), 5u);
  }
}

// A star of `points` vertices alternating between two radii.
Degrees Star(double lon, double lat, double outer, double inner, int points) {
  Degrees star;
  for (int i = 0; i < points; ++i) {
    const double angle = 2 * std::numbers::pi * i / points, r = i % 2 ? inner : outer;
    star.emplace_back(lon + r * std::cos(angle), lat + r * std::sin(angle));
  }
  return star;
}

TEST(MapBuilderTest, NoRunIsLongerThanAThousandVertices) {
  TinyDatabase db;
  db.AddRing("Star", Star(0, 0, 2.5, 2.0, 3000));
  for (int i = 0; i < 10; ++i)
    db.AddRing("Squares" + std::string(i ? ":" : ""),
               Square(6 + 6 * (i % 4), -12 + 6 * (i / 4), 5));
  db.AddRing("Squares:star", Star(-6, 10, 2.5, 2.0, 3000));
  const BuiltMap map = Build(db, TestRecipe(8000));
  ASSERT_EQ(map.areas.size(), 2u);
  const Points& star = map.areas[0].outlines.at(0);
  EXPECT_LE(star.size(), kMaxRunVertices);
  EXPECT_GE(star.size(), 3u);
  EXPECT_TRUE(RingContains(star, map.areas[0].anchors[0].x, map.areas[0].anchors[0].y));
  // The eleventh polygon of Squares keeps its spikes, cut into connected runs.
  ASSERT_EQ(map.lines.size(), 4u);
  std::size_t vertices = 0;
  for (std::size_t i = 0; i < map.lines.size(); ++i) {
    EXPECT_LE(map.lines[i].points.size(), kMaxRunVertices);
    if (i > 0) {
      EXPECT_EQ(AsPair(map.lines[i - 1].points.back()), AsPair(map.lines[i].points.front()));
    }
    vertices += map.lines[i].points.size() - 1;
  }
  EXPECT_EQ(vertices, 3000u);
}

TEST(MapBuilderTest, AnchorLiesInsideAConcavePolygon) {
  TinyDatabase db;
  // A U whose centre of extent falls in its notch.
  db.AddRing("U", {{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}});
  const BuiltMap map = Build(db);
  const MapPoint anchor = map.areas.at(0).anchors.at(0);
  EXPECT_TRUE(RingContains(map.areas[0].outlines[0], anchor.x, anchor.y));
  EXPECT_GT(DistanceToRing(map.areas[0].outlines[0], anchor.x, anchor.y), 50);
}

TEST(MapBuilderTest, InsetMovesItsPolygonsIntoAFramedBox) {
  TinyDatabase db;
  db.AddRing("Main", Square(0, 0, 10));
  db.AddRing("Main:far", Square(30, -30, 1));
  db.AddRing("Isle", Square(31, -30, 1));
  Recipe recipe = TestRecipe();
  recipe.frame = {300, 10, 990, 690};
  recipe.insets.push_back(InsetRecipe{{{}, {25, -35, 35, -25}}, {20, 20, 200, 200}, 1.0, ""});
  const BuiltMap map = Build(db, recipe);
  ASSERT_EQ(map.areas.size(), 2u);
  // The main square alone fills the frame's height.
  const Bounds main = BoundsOf(map.areas[0].outlines[0]);
  EXPECT_NEAR(main.min_y, 10, 1);
  EXPECT_NEAR(main.max_y, 690, 1);
  for (const Points* ring : {&map.areas[0].outlines.at(1), &map.areas[1].outlines.at(0)}) {
    EXPECT_TRUE((Bounds{20, 20, 200, 200}.Contains(BoundsOf(*ring))));
  }
  ASSERT_EQ(map.lines.size(), 1u);
  EXPECT_EQ(map.lines[0].code, kFrameLine);
  EXPECT_EQ(AsPairs(map.lines[0].points),
            (Pairs{{20, 20}, {200, 20}, {200, 200}, {20, 200}, {20, 20}}));

  recipe.insets[0].box = {20, 20, 60, 60};
  EXPECT_NE(BuildError(db, recipe).find("inset 1 needs a box of at least"), std::string::npos);
  recipe.insets[0].box = {20, 20, 200, 200};
  recipe.insets[0].selection.regions = {"Main"};  // leaves the Isle, which shares a border
  EXPECT_NE(BuildError(db, recipe).find("an inset would cut a border"), std::string::npos);
}

TEST(MapBuilderTest, OmittedPolygonsAreLeftOut) {
  TinyDatabase db;
  db.AddRing("Main", Square(0, 0, 10));
  db.AddRing("Main:far", Square(30, -30, 1));
  Recipe recipe = TestRecipe();
  recipe.omissions.push_back(Selection{{"Main"}, {25, -35, 35, -25}});
  const BuiltMap map = Build(db, recipe);
  ASSERT_EQ(map.areas.at(0).outlines.size(), 1u);
  EXPECT_NEAR(BoundsOf(map.areas[0].outlines[0]).width(), 980,
              1);  // the square alone fills the frame
}

TEST(MapBuilderTest, BordersBetweenHigherUnitsBecomeSecondBorders) {
  TinyDatabase db;
  db.AddRing("s1,a", Square(0, 0, 1));
  db.AddRing("s1,b", Square(1, 0, 1));
  db.AddRing("s2,c", Square(2, 0, 1));
  Recipe recipe = TestRecipe();
  recipe.higher_level = ",";
  const BuiltMap map = Build(db, recipe);
  ASSERT_EQ(map.lines.size(), 1u);
  EXPECT_EQ(map.lines[0].code, kSecondBorder);
  // It is the border between b and c, a vertical line that both outlines hold.
  ASSERT_EQ(map.lines[0].points.size(), 2u);
  EXPECT_EQ(map.lines[0].points[0].x, map.lines[0].points[1].x);
  for (const MapPoint& p : map.lines[0].points) {
    EXPECT_TRUE(Contains(map.areas[1].outlines[0], p));
    EXPECT_TRUE(Contains(map.areas[2].outlines[0], p));
  }
  recipe.higher_level.clear();
  EXPECT_TRUE(Build(db, recipe).lines.empty());
}

TEST(MapBuilderTest, EnclaveOfAnEarlierAreaIsCutFromTheOutlineAroundIt) {
  TinyDatabase db;
  db.AddRing("Inner", Square(4, 4, 2));
  db.AddRing("Outer", Square(0, 0, 10));
  // A copy of the enclave that only marks the hole of Outer.
  db.AddRing("Outer:enclave", Square(4, 4, 2));
  const BuiltMap map = Build(db);
  ASSERT_EQ(map.areas.size(), 2u);
  ASSERT_EQ(map.areas[1].outlines.size(), 1u);  // the marker is dropped
  const Points& inner = map.areas[0].outlines[0];
  const Points& outer = map.areas[1].outlines[0];
  const MapPoint centre = map.areas[0].anchors[0];
  EXPECT_NE(Winding(inner, centre.x, centre.y), 0);
  EXPECT_EQ(Winding(outer, centre.x, centre.y), 0);  // a winding fill leaves the enclave alone
  const Bounds extent = BoundsOf(outer);
  EXPECT_NE(Winding(outer, extent.min_x + 10, extent.min_y + 10), 0);
  const MapPoint anchor = map.areas[1].anchors[0];
  EXPECT_NE(Winding(outer, anchor.x, anchor.y), 0);

  // An enclave drawn after the area around it needs no cut.
  TinyDatabase later;
  later.AddRing("Outer", Square(0, 0, 10));
  later.AddRing("Inner", Square(4, 4, 2));
  EXPECT_EQ(Build(later).areas[0].outlines[0].size(), 4u);
}

TEST(MapBuilderTest, PolygonsTooSmallToSeeAreDroppedButNoAreaVanishes) {
  TinyDatabase db;
  db.AddRing("Big", Square(0, 0, 10));
  db.AddRing("Big:speck", Square(11, 0, 0.001));
  db.AddRing("Tiny", Square(12, 0, 0.001));
  const BuiltMap map = Build(db);
  ASSERT_EQ(map.areas.size(), 2u);
  EXPECT_EQ(map.areas[0].outlines.size(), 1u);
  EXPECT_TRUE(map.lines.empty());
  ASSERT_EQ(map.areas[1].outlines.size(), 1u);
  ASSERT_EQ(map.areas[1].outlines[0].size(), 1u);
  EXPECT_EQ(AsPair(map.areas[1].anchors[0]), AsPair(map.areas[1].outlines[0][0]));
}

TEST(SplitLineTest, PiecesAreShortConnectedAndCoverTheLine) {
  Points line;
  for (int i = 0; i < 2500; ++i)
    line.push_back({static_cast<std::int16_t>(1 + i % 300), static_cast<std::int16_t>(i / 300)});
  const auto pieces = SplitLine(line, 1000);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(AsPair(pieces[0].front()), AsPair(line.front()));
  EXPECT_EQ(AsPair(pieces[2].back()), AsPair(line.back()));
  for (std::size_t i = 1; i < pieces.size(); ++i)
    EXPECT_EQ(AsPair(pieces[i - 1].back()), AsPair(pieces[i].front()));
  EXPECT_EQ(pieces[0].size() + pieces[1].size() + pieces[2].size(), 2500u + 2);
  EXPECT_EQ(SplitLine(Points(1000, MapPoint{1, 1}), 1000).size(), 1u);
}

}  // namespace
}  // namespace kartela::basemap
