#include "geodata/basemap/recipe.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <optional>
#include <sstream>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "geodata/basemap/in_context.h"

namespace kartela::basemap {
namespace {

// Lines are split at LF, so a CR of a CR LF end is trimmed with the blanks.
constexpr Blanks kBlanks = Blanks::kSpaceTabCr;

// The lines of `text` without comments and blank lines, with their numbers.
std::vector<std::pair<std::size_t, std::string_view>> ContentLines(std::string_view text) {
  std::vector<std::pair<std::size_t, std::string_view>> lines;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end), kBlanks);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.front() != '#') lines.emplace_back(number, line);
  }
  return lines;
}

template <typename Number>
std::optional<std::vector<Number>> ParseNumbers(std::string_view text, std::size_t count) {
  std::vector<Number> numbers;
  std::istringstream words{std::string(text)};
  std::string word;
  while (words >> word) {
    Number value{};
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (status != std::errc() || end != word.data() + word.size()) return std::nullopt;
    numbers.push_back(value);
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

std::vector<std::string> ParseList(std::string_view text) {
  std::vector<std::string> items;
  while (true) {
    const std::size_t bar = text.find('|');
    const std::string_view item = Trim(text.substr(0, bar), kBlanks);
    if (!item.empty()) items.emplace_back(item);
    if (bar == std::string_view::npos) return items;
    text.remove_prefix(bar + 1);
  }
}

std::optional<PixelBox> ParseBox(std::string_view text) {
  const auto n = ParseNumbers<int>(text, 4);
  if (!n || (*n)[0] >= (*n)[2] || (*n)[1] >= (*n)[3]) return std::nullopt;
  return PixelBox{(*n)[0], (*n)[1], (*n)[2], (*n)[3]};
}

// A setter stores a value and returns false when the value does not parse.
using Setter = std::function<bool(std::string_view value)>;

Setter BoxSetter(PixelBox& field) {
  return [&field](std::string_view v) {
    const auto box = ParseBox(v);
    return box ? (field = *box, true) : false;
  };
}

std::map<std::string, Setter> MapSetters(Recipe& r, const std::filesystem::path& dir) {
  auto text = [](std::string& field) {
    return [&field](std::string_view v) { return field = std::string(v), !field.empty(); };
  };
  auto real = [](double& field) {
    return [&field](std::string_view v) {
      const auto n = ParseNumbers<double>(v, 1);
      return n && (*n)[0] > 0 ? (field = (*n)[0], true) : false;
    };
  };
  return {
      {"output", text(r.output)},
      {"title", text(r.title)},
      {"database", text(r.database)},
      {"source", text(r.source)},
      {"layer", text(r.layer)},
      {"name_field", text(r.name_field)},
      {"data", text(r.data)},
      {"data_title", text(r.data_title)},
      {"projection", text(r.projection)},
      {"names",
       [&r, dir](std::string_view v) { return r.names = dir / std::string(v), !v.empty(); }},
      {"order",
       [&r](std::string_view v) {
         if (v != "names" && v != "source") return false;
         r.order = v == "names" ? AreaOrder::kNameTable : AreaOrder::kFirstAppearance;
         return true;
       }},
      {"exclude",
       [&r](std::string_view v) { return r.excluded = ParseList(v), !r.excluded.empty(); }},
      {"size",
       [&r](std::string_view v) {
         const auto n = ParseNumbers<int>(v, 2);
         if (!n || (*n)[0] < 2 || (*n)[1] < 2 || (*n)[0] > 32767 || (*n)[1] > 32767) return false;
         r.width = (*n)[0], r.height = (*n)[1];
         return true;
       }},
      {"frame", BoxSetter(r.frame)},
      {"legend",
       [&r](std::string_view v) {
         const auto n = ParseNumbers<int>(v, 2);
         return n ? (r.legend_x = (*n)[0], r.legend_y = (*n)[1], true) : false;
       }},
      {"tolerance", real(r.tolerance)},
      {"min_size", real(r.min_size)},
      {"higher_level",
       [&r](std::string_view v) {
         r.higher_level = std::string(v);
         const auto length = ParseNumbers<int>(v, 1);
         return length ? (*length)[0] > 0
                       : v.size() == 1 && !std::isdigit(static_cast<unsigned char>(v.front()));
       }},
  };
}

std::map<std::string, Setter> SelectionSetters(Selection& selection) {
  return {
      {"regions",
       [&selection](std::string_view v) {
         return selection.regions = ParseList(v), !selection.regions.empty();
       }},
      {"bounds",
       [&selection](std::string_view v) {
         const auto n = ParseNumbers<double>(v, 4);
         if (!n || (*n)[0] >= (*n)[2] || (*n)[1] >= (*n)[3]) return false;
         selection.bounds = GeoBox{(*n)[0], (*n)[1], (*n)[2], (*n)[3]};
         return true;
       }},
  };
}

std::map<std::string, Setter> InsetSetters(InsetRecipe& inset) {
  std::map<std::string, Setter> setters = SelectionSetters(inset.selection);
  setters.emplace("box", BoxSetter(inset.box));
  setters.emplace("scale", [&inset](std::string_view v) {
    const auto n = ParseNumbers<double>(v, 1);
    return n && (*n)[0] > 0 ? (inset.scale = (*n)[0], true) : false;
  });
  setters.emplace("projection", [&inset](std::string_view v) {
    inset.projection = std::string(v);
    return !v.empty();
  });
  return setters;
}

bool Inside(const PixelBox& box, const Recipe& r) {
  return box.left >= 1 && box.top >= 0 && box.right < r.width && box.bottom < r.height;
}

bool HasBounds(const Selection& selection) {
  return selection.bounds.west < selection.bounds.east;
}

// What is wrong with the keys that go together: the source and its fields,
// the order and its name table, the data file and its title.
std::optional<std::string> CheckSource(const Recipe& r) {
  if (r.database.empty() == r.source.empty()) return "the recipe gives no database or no source";
  if (r.source.empty() != r.name_field.empty()) return "name_field goes with source";
  if (r.source.empty() && !r.layer.empty()) return "layer goes with source";
  if (r.order == AreaOrder::kNameTable && r.names.empty()) {
    return "order = names needs a name table (names)";
  }
  if (r.data.empty() != r.data_title.empty()) return "data and data_title go together";
  return std::nullopt;
}

std::optional<std::string> CheckComplete(const Recipe& r, const std::vector<std::string>& seen) {
  for (const char* key : {"output", "title", "projection", "size", "legend"}) {
    if (std::find(seen.begin(), seen.end(), key) == seen.end()) {
      return std::string("the recipe gives no ") + key;
    }
  }
  if (auto problem = CheckSource(r)) return problem;
  if (!Inside(r.frame, r)) return "the frame does not lie inside the map (x from 1)";
  for (std::size_t i = 0; i < r.insets.size(); ++i) {
    const InsetRecipe& inset = r.insets[i];
    if (!HasBounds(inset.selection) || !Inside(inset.box, r)) {
      return "inset " + std::to_string(i + 1) +
             " needs bounds and a box inside the map (regions alone may stand for bounds)";
    }
  }
  for (const Selection& omission : r.omissions) {
    if (!HasBounds(omission)) return "an omission needs bounds";
  }
  return std::nullopt;
}

}  // namespace

bool NamesRegion(std::string_view entry, std::string_view region) {
  if (entry.ends_with('*')) return region.starts_with(entry.substr(0, entry.size() - 1));
  return region == entry;
}

StatusOr<Recipe> ParseRecipe(std::string_view text, const std::filesystem::path& recipe_dir) {
  Recipe recipe;
  std::vector<std::string> seen;
  std::map<std::string, Setter> setters = MapSetters(recipe, recipe_dir);
  for (const auto& [number, line] : ContentLines(text)) {
    const std::string where = "recipe line " + std::to_string(number) + ": ";
    if (line == "[inset]" || line == "[omit]") {
      setters = line == "[inset]" ? InsetSetters(recipe.insets.emplace_back())
                                  : SelectionSetters(recipe.omissions.emplace_back());
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      return Status(StatusCode::kRefused, where + "expected key = value");
    const std::string key(Trim(line.substr(0, equals), kBlanks));
    const auto setter = setters.find(key);
    if (setter == setters.end())
      return Status(StatusCode::kRefused, where + "unknown key \"" + key + "\"");
    if (!setter->second(Trim(line.substr(equals + 1), kBlanks))) {
      return Status(StatusCode::kRefused, where + "the value of \"" + key + "\" is not valid");
    }
    seen.push_back(key);
  }
  if (std::find(seen.begin(), seen.end(), "frame") == seen.end()) {
    recipe.frame = PixelBox{10, 10, recipe.width - 10, recipe.height - 10};
  }
  // An inset of regions alone takes all of their polygons, wherever they lie.
  for (InsetRecipe& inset : recipe.insets) {
    if (!HasBounds(inset.selection) && !inset.selection.regions.empty()) {
      inset.selection.bounds = GeoBox{-360, -90, 360, 90};
    }
  }
  if (auto problem = CheckComplete(recipe, seen)) return Status(StatusCode::kRefused, *problem);
  return recipe;
}

StatusOr<Recipe> ReadRecipe(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return Status(StatusCode::kIoError, path.string() + ": cannot be read");
  auto recipe = ParseRecipe(*bytes, path.parent_path());
  if (!recipe.ok()) return InContext(path.string(), recipe.status());
  return recipe;
}

NameTable::NameTable(std::initializer_list<std::pair<std::string, std::string>> entries) {
  for (const auto& [source, shown_name] : entries)
    Add(source, shown_name);
}

bool NameTable::Add(const std::string& source, const std::string& shown_name) {
  if (!shown.emplace(source, shown_name).second) return false;
  order.push_back(source);
  return true;
}

StatusOr<NameTable> ParseNameTable(std::string_view text) {
  NameTable table;
  for (const auto& [number, line] : ContentLines(text)) {
    const std::size_t tab = line.find('\t');
    const std::string source(tab == std::string_view::npos ? ""
                                                           : Trim(line.substr(0, tab), kBlanks));
    const std::string shown(tab == std::string_view::npos ? ""
                                                          : Trim(line.substr(tab + 1), kBlanks));
    if (source.empty() || shown.empty() || !table.Add(source, shown)) {
      return Status(StatusCode::kRefused,
                    "name table line " + std::to_string(number) +
                        ": expected a new source name, a tab and the name to show");
    }
  }
  return table;
}

StatusOr<NameTable> ReadNameTable(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return Status(StatusCode::kIoError, path.string() + ": cannot be read");
  auto table = ParseNameTable(*bytes);
  if (!table.ok()) return InContext(path.string(), table.status());
  return table;
}

}  // namespace kartela::basemap
