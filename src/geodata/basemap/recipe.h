// A recipe: the text file that says how one base map is made.
//
//   # comment
//   output = 全国２.IDT
//   title = 日本（都道府県）
//   database = mapdata/mapdata/japan      (relative to the data root)
//   source = us-atlas/states-10m.json     (instead of database: a boundary
//                                          file GDAL reads, relative to the
//                                          data root)
//   layer = states                        (optional, with source; default the first)
//   name_field = id                       (with source: the field that names
//                                          the region; rows with the same
//                                          text are one area)
//   names = japan.names                   (optional; relative to the recipe)
//   order = names                         (optional; areas in the order of the
//                                          name table's lines; default: in the
//                                          order their regions first appear)
//   exclude = Antarctica | 60* | ...      (optional; regions left out, "X*"
//                                          every region starting with X)
//   projection = +proj=lcc ...            (a PROJ string)
//   size = 1000 700                       (the map's resolution in pixels)
//   frame = 10 10 990 690                 (optional; where the map is fitted)
//   legend = 820 520                      (the suggested legend position)
//   tolerance = 0.5                       (optional; simplification, pixels)
//   min_size = 1                          (optional; smaller polygons are dropped)
//   higher_level = ,                      (optional; see below)
//   data = 米国面積.DAT                   (optional; a data file of each
//                                          area's land area in km², written
//                                          beside the map)
//   data_title = 州別面積（平方キロメートル）  (with data: its title)
//   [inset]                               (one section per inset)
//   regions = Kagoshima | Okinawa | 02*   (optional; regions it takes from)
//   bounds = 120 20 135 30.1              (west south east north, degrees;
//                                          optional when regions are given)
//   box = 15 15 330 270                   (where its contents are centred)
//   scale = 1                             (optional; relative to the map)
//   projection = +proj=lcc ...            (optional; its own projection)
//   [omit]                                (polygons left out)
//   regions = Tokyo                       (optional, as for an inset)
//   bounds = 139 20 145 28.5
//
// An inset or omission takes the polygons of its regions that lie wholly
// within its bounds; an inset without bounds takes every polygon of its
// regions (also those across the 180th meridian).
//
// With `higher_level`, the text of a region name before that character names
// a larger unit (a state for "state,county"), or, when the value is a number
// N, the first N characters do (state "01" for county "01001"); the borders
// between such units are written again as second-border lines.
//
// The region names of a boundary file may be any UTF-8 text; only the names
// shown (the region names themselves when there is no name table) must fit
// Shift-JIS.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

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
  std::string projection;  // empty: the map's
};

enum class AreaOrder { kFirstAppearance, kNameTable };

struct Recipe {
  std::string output;           // file name, UTF-8
  std::string title;            // UTF-8
  std::string database;         // relative to the data root
  std::string source;           // instead of a database: a boundary file, as database
  std::string layer;            // of the source; empty: its first
  std::string name_field;       // of the source
  std::filesystem::path names;  // name table; empty when the source names stay
  AreaOrder order = AreaOrder::kFirstAppearance;
  std::vector<std::string> excluded;  // region names; "X*" every region starting with X
  std::string projection;
  int width = 0;
  int height = 0;
  PixelBox frame;
  int legend_x = 0;
  int legend_y = 0;
  double tolerance = 0.5;
  double min_size = 1.0;
  // Empty, the one character that ends the larger unit, or the number of
  // characters it takes.
  std::string higher_level;
  std::string data;        // file name, UTF-8; empty: no data file
  std::string data_title;  // UTF-8
  std::vector<InsetRecipe> insets;
  std::vector<Selection> omissions;
};

// Whether a region entry of a recipe names `region`: "X*" names every region
// starting with X, another entry the region it is.
bool NamesRegion(std::string_view entry, std::string_view region);

// `recipe_dir` resolves the name-table path.
StatusOr<Recipe> ParseRecipe(std::string_view text, const std::filesystem::path& recipe_dir);
StatusOr<Recipe> ReadRecipe(const std::filesystem::path& path);

// Source region name to displayed name (UTF-8), and the source names in the
// order of the table's lines.
struct NameTable {
  NameTable() = default;
  NameTable(std::initializer_list<std::pair<std::string, std::string>> entries);
  // False when `source` already has an entry.
  bool Add(const std::string& source, const std::string& shown_name);

  std::map<std::string, std::string> shown;
  std::vector<std::string> order;
};

// Lines "source name<TAB>displayed name"; "#" starts a comment line.
StatusOr<NameTable> ParseNameTable(std::string_view text);
StatusOr<NameTable> ReadNameTable(const std::filesystem::path& path);

}  // namespace kartela::basemap
