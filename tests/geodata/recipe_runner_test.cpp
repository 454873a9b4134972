#include "geodata/basemap/recipe_runner.h"

#include <gtest/gtest.h>

#include "geodata/basemap/geometry.h"
#include "geodata/basemap/map_runs.h"
#include "model/base_map_file.h"
#include "model/test_support.h"
#include "tiny_database.h"

namespace kartela::basemap {
namespace {

using kartela::test::ScratchDir;
using kartela::test::Sjis;
using kartela::test::Square;

class RecipeRunnerTest : public testing::Test {
 protected:
  RecipeRunnerTest() {
    std::filesystem::create_directory(dir_.path() / "data");
    kartela::test::TinyDatabase db;
    db.AddRing("West", Square(0, 0, 1));
    db.AddRing("East", Square(1, 0, 1));
    db.Write(dir_.path() / "data" / "tiny");
    dir_.Write("tiny.names", "West\t西\nEast\t東\n");
  }
  StatusOr<Recipe> TinyRecipe(const std::string& extra = "") {
    return ParseRecipe(
        "output = t.IDT\ntitle = 東西\ndatabase = tiny\nnames = tiny.names\n"
        "projection = +proj=eqc\nsize = 400 300\nlegend = 20 250\n" +
            extra,
        dir_.path());
  }
  ScratchDir dir_;
};

TEST_F(RecipeRunnerTest, BuildsAMapTheProgramReads) {
  const auto recipe = TinyRecipe();
  ASSERT_TRUE(recipe.ok()) << recipe.status().detail();
  const auto output = RunRecipe(*recipe, dir_.path() / "data");
  ASSERT_TRUE(output.ok()) << output.status().detail();
  BaseMap map;
  ASSERT_TRUE(ReadBaseMap(dir_.Write("t.IDT", output->map_bytes), map).ok());
  EXPECT_EQ(map.MapAreaNames, (std::vector<std::string>{Sjis("西"), Sjis("東")}));
  EXPECT_EQ(map.Resolution.width, 400);
  EXPECT_EQ(map.IndexPosition.y, 250);
}

TEST_F(RecipeRunnerTest, NamesTheFileThatIsMissingOrWrong) {
  const auto recipe = TinyRecipe();
  ASSERT_TRUE(recipe.ok());
  const auto no_data = RunRecipe(*recipe, dir_.path());
  ASSERT_FALSE(no_data.ok());
  EXPECT_NE(no_data.status().detail().find("tiny.L: cannot be read"), std::string::npos)
      << no_data.status().detail();
  const auto bad_projection = TinyRecipe("projection = +proj=nonesuch\n");
  ASSERT_TRUE(bad_projection.ok());
  const auto refused = RunRecipe(*bad_projection, dir_.path() / "data");
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.status().detail().find("+proj=nonesuch"), std::string::npos)
      << refused.status().detail();
  dir_.Write("tiny.names", "West\t西\n");
  const auto short_table = RunRecipe(*recipe, dir_.path() / "data");
  ASSERT_FALSE(short_table.ok());
  EXPECT_NE(short_table.status().detail().find("no entry for \"East\""), std::string::npos)
      << short_table.status().detail();
}

TEST_F(RecipeRunnerTest, AnInsetOfRegionsAloneTakesThemAcrossTheDateLineInItsOwnProjection) {
  kartela::test::TinyDatabase db;
  db.AddRing("West", Square(0, 0, 1));
  db.AddRing("East", Square(1, 0, 1));
  db.AddRing("Isle", {{179.5, 60}, {-179.5, 60}, {-179.5, 61}, {179.5, 61}});
  db.Write(dir_.path() / "data" / "tiny");
  dir_.Write("tiny.names", "West\t西\nEast\t東\nIsle\t島\n");
  const std::string inset = "[inset]\nregions = Is*\nbox = 20 20 200 200\nscale = 0.5\n";
  // In the map's projection the island stretches round the globe: no box holds it.
  const auto stretched = RunRecipe(*TinyRecipe(inset), dir_.path() / "data");
  ASSERT_FALSE(stretched.ok());
  EXPECT_NE(stretched.status().detail().find("inset 1 needs a box"), std::string::npos)
      << stretched.status().detail();

  const auto output =
      RunRecipe(*TinyRecipe(inset + "projection = +proj=eqc +lon_0=180\n"), dir_.path() / "data");
  ASSERT_TRUE(output.ok()) << output.status().detail();
  BaseMap map;
  ASSERT_TRUE(ReadBaseMap(dir_.Write("t.IDT", output->map_bytes), map).ok());
  std::vector<Bounds> outlines(3);
  for (const MapRun& run : WalkRuns(map)) {
    if (run.area >= 0) outlines[run.area].Add(BoundsOf(run.points));
  }
  // A square again, half the map's squares (the inset's scale is relative to
  // the map's), inside its box.
  EXPECT_NEAR(outlines[2].width(), outlines[0].width() / 2, 2);
  EXPECT_NEAR(outlines[2].height(), outlines[0].height() / 2, 2);
  EXPECT_TRUE((Bounds{20, 20, 200, 200}).Contains(outlines[2]));
}

}  // namespace
}  // namespace kartela::basemap
