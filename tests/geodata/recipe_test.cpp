#include "geodata/basemap/recipe.h"

#include <gtest/gtest.h>

namespace kartela::basemap {
namespace {

constexpr const char* kRecipe = R"(# Japan
output = 全国２.IDT
title = 日本（都道府県）
database = mapdata/mapdata/japan
names = japan.names
exclude = A | B C
projection = +proj=lcc +lat_1=33 +lat_2=44 +lon_0=137
size = 1000 700
legend = 800 560
higher_level = ,

[inset]
regions = Kagoshima | Okinawa
bounds = 120 20 135 30.1
box = 12 12 375 265
scale = 0.5

[omit]
bounds = 139 20 145 28.5
)";

StatusOr<Recipe> Parse(const std::string& text) {
  return ParseRecipe(text, "/recipes");
}

void ExpectRefused(const std::string& text, const std::string& words) {
  const auto recipe = Parse(text);
  ASSERT_FALSE(recipe.ok()) << text;
  EXPECT_NE(recipe.status().detail().find(words), std::string::npos) << recipe.status().detail();
}

TEST(RecipeTest, ReadsEveryKeyAndSection) {
  const auto recipe = Parse(kRecipe);
  ASSERT_TRUE(recipe.ok()) << recipe.status().detail();
  EXPECT_EQ(recipe->output, "全国２.IDT");
  EXPECT_EQ(recipe->names, std::filesystem::path("/recipes/japan.names"));
  EXPECT_EQ(recipe->excluded, (std::vector<std::string>{"A", "B C"}));
  EXPECT_EQ(recipe->width, 1000);
  EXPECT_EQ(recipe->legend_y, 560);
  EXPECT_EQ(recipe->higher_level, ",");
  // Without a frame the map is fitted 10 pixels inside its edges.
  EXPECT_EQ(recipe->frame.left, 10);
  EXPECT_EQ(recipe->frame.bottom, 690);
  EXPECT_DOUBLE_EQ(recipe->tolerance, 0.5);
  ASSERT_EQ(recipe->insets.size(), 1u);
  EXPECT_EQ(recipe->insets[0].selection.regions.size(), 2u);
  EXPECT_DOUBLE_EQ(recipe->insets[0].selection.bounds.north, 30.1);
  EXPECT_EQ(recipe->insets[0].box.right, 375);
  EXPECT_DOUBLE_EQ(recipe->insets[0].scale, 0.5);
  ASSERT_EQ(recipe->omissions.size(), 1u);
  EXPECT_TRUE(recipe->omissions[0].regions.empty());
  EXPECT_DOUBLE_EQ(recipe->omissions[0].bounds.west, 139);
}

TEST(RecipeTest, RefusesWhatItCannotUse) {
  const std::string base =
      "output = a\ntitle = t\ndatabase = d\nprojection = +proj=eqc\nsize = 100 100\nlegend = 1 1\n";
  ASSERT_TRUE(Parse(base).ok()) << Parse(base).status().detail();
  ExpectRefused(base + "colour = red\n", "line 7: unknown key \"colour\"");
  ExpectRefused(base + "frame\n", "line 7: expected key = value");
  ExpectRefused(base + "size = 100\n", "\"size\" is not valid");
  ExpectRefused(base + "size = 100 40000\n", "\"size\" is not valid");
  ExpectRefused(base + "tolerance = -1\n", "\"tolerance\" is not valid");
  ExpectRefused(base + "frame = 50 10 20 90\n", "\"frame\" is not valid");
  ExpectRefused(base + "frame = 0 10 90 90\n", "frame does not lie inside");
  ExpectRefused(base + "higher_level = ::\n", "\"higher_level\" is not valid");
  ExpectRefused(base + "[inset]\nbox = 1 1 50 50\n", "inset 1 needs bounds");
  ExpectRefused(base + "[inset]\nbounds = 0 0 1 1\nbox = 1 1 150 50\n",
                "inset 1 needs bounds and a box inside");
  ExpectRefused(base + "[inset]\nbounds = 1 0 1 1\n", "\"bounds\" is not valid");
  ExpectRefused(base + "[omit]\nbox = 1 1 50 50\n", "unknown key \"box\"");
  ExpectRefused(base + "[omit]\nregions = x\n", "an omission needs bounds");
  ExpectRefused("title = t\n", "the recipe gives no output");
}

TEST(RecipeTest, ReadsABoundaryFileSourceAndRefusesKeysThatDoNotGoTogether) {
  const std::string base =
      "output = a\ntitle = t\nprojection = +proj=eqc\nsize = 100 100\nlegend = 1 1\n";
  const std::string source = base + "source = b.json\nname_field = id\n";
  const auto recipe = Parse(source +
                            "layer = states\nnames = n\norder = names\nhigher_level = 2\n"
                            "data = 面積.DAT\ndata_title = 面積\n"
                            "[inset]\nregions = 02\nbox = 1 1 50 50\nprojection = +proj=lcc\n");
  ASSERT_TRUE(recipe.ok()) << recipe.status().detail();
  EXPECT_EQ(recipe->source, "b.json");
  EXPECT_EQ(recipe->layer, "states");
  EXPECT_EQ(recipe->order, AreaOrder::kNameTable);
  EXPECT_EQ(recipe->higher_level, "2");
  EXPECT_EQ(recipe->data_title, "面積");
  EXPECT_EQ(recipe->insets.at(0).projection, "+proj=lcc");
  // Regions alone select wherever their polygons lie, across the 180th meridian too.
  EXPECT_LE(recipe->insets[0].selection.bounds.west, -180);
  EXPECT_GE(recipe->insets[0].selection.bounds.east, 180);

  const std::pair<std::string, const char*> refused[] = {
      {base, "gives no database or no source"},
      {source + "database = d\n", "gives no database or no source"},
      {base + "source = b.json\n", "name_field goes with source"},
      {base + "database = d\nlayer = x\n", "layer goes with source"},
      {source + "order = names\n", "order = names needs a name table"},
      {source + "order = size\n", "\"order\" is not valid"},
      {source + "data = a.DAT\n", "data and data_title go together"},
      {source + "higher_level = 0\n", "\"higher_level\" is not valid"},
      {source + "[inset]\nbox = 1 1 50 50\n", "inset 1 needs bounds"},
  };
  for (const auto& [text, words] : refused)
    ExpectRefused(text, words);
}

TEST(NameTableTest, ReadsTabSeparatedPairsAndRefusesDoubtfulLines) {
  const auto table = ParseNameTable("# comment\nHokkaido\t北海道\nNARA\t奈良県\n");
  ASSERT_TRUE(table.ok()) << table.status().detail();
  EXPECT_EQ(table->shown.at("NARA"), "奈良県");
  EXPECT_FALSE(ParseNameTable("Hokkaido 北海道\n").ok());
  EXPECT_FALSE(ParseNameTable("Hokkaido\t\n").ok());
  const auto twice = ParseNameTable("A\tX\nA\tY\n");
  ASSERT_FALSE(twice.ok());
  EXPECT_NE(twice.status().detail().find("line 2"), std::string::npos);
}

}  // namespace
}  // namespace kartela::basemap
