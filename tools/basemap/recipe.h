// A recipe: the text file that says how one base map is made.
//
//   # comment
//   output = 全国２.IDT
//   title = 日本（都道府県）
//   database = mapdata/mapdata/japan      (relative to the data root)
//   names = japan.names                   (optional; relative to the recipe)
//   exclude = Antarctica | ...            (optional; regions left out)
//   projection = +proj=lcc ...            (a PROJ string)
//   size = 1000 700                       (the map's resolution in pixels)
//   frame = 10 10 990 690                 (optional; where the map is fitted)
//   legend = 820 520                      (the suggested legend position)
//   tolerance = 0.5                       (optional; simplification, pixels)
//   min_size = 1                          (optional; smaller polygons are dropped)
//   higher_level = ,                      (optional; see below)
//   [inset]                               (one section per inset)
//   regions = Kagoshima | Okinawa         (optional; regions it takes from)
//   bounds = 120 20 135 30.1              (west south east north, degrees)
//   box = 15 15 330 270                   (where its contents are centred)
//   scale = 1                             (optional; relative to the map)
//   [omit]                                (polygons left out)
//   regions = Tokyo                       (optional, as for an inset)
//   bounds = 139 20 145 28.5
//
// An inset or omission takes the polygons of its regions that lie wholly
// within its bounds.
//
// With `higher_level`, the text of a region name before that character names
// a larger unit (a state for "state,county"), and the borders between such
// units are written again as second-border lines.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "basemap/result.h"

namespace kartela::basemap {

struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct GeoBox {  // degrees
  double west = 0;
  double south = 0;
  double east = 0;
  double north = 0;
};

struct Selection {
  std::vector<std::string> regions;  // empty: every region
  GeoBox bounds;
};

struct InsetRecipe {
  Selection selection;
  PixelBox box;
  double scale = 1.0;
};

struct Recipe {
  std::string output;           // file name, UTF-8
  std::string title;            // UTF-8
  std::string database;         // relative to the data root
  std::filesystem::path names;  // name table; empty when the source names stay
  std::vector<std::string> excluded;
  std::string projection;
  int width = 0;
  int height = 0;
  PixelBox frame;
  int legend_x = 0;
  int legend_y = 0;
  double tolerance = 0.5;
  double min_size = 1.0;
  std::string higher_level;  // empty, or the one character that ends the larger unit
  std::vector<InsetRecipe> insets;
  std::vector<Selection> omissions;
};

// `recipe_dir` resolves the name-table path.
Result<Recipe> ParseRecipe(std::string_view text, const std::filesystem::path& recipe_dir);
Result<Recipe> ReadRecipe(const std::filesystem::path& path);

// Source region name to displayed name (UTF-8).
using NameTable = std::map<std::string, std::string>;

// Lines "source name<TAB>displayed name"; "#" starts a comment line.
Result<NameTable> ParseNameTable(std::string_view text);
Result<NameTable> ReadNameTable(const std::filesystem::path& path);

}  // namespace kartela::basemap
