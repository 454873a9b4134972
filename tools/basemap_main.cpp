// kartela-basemap: builds base maps (.IDT) from the polygon databases of the
// R packages maps and mapdata or from boundary files, one recipe per map.
//
//   kartela-basemap --data DIR --out DIR [--preview DIR] RECIPE...
//   kartela-basemap import SOURCE ... --out X.IDT   (see basemap/import_command.h)
//
// DIR of --data holds the databases and boundary files the recipes name (for
// example the site-library directory of the unpacked packages). Each map is read back
// with the program's own reader and its figures printed; --preview also
// writes a PNG picture of each map for checking by eye.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "geodata/basemap/import_command.h"
#include "geodata/basemap/map_runs.h"
#include "geodata/basemap/preview.h"
#include "geodata/basemap/recipe.h"
#include "geodata/basemap/recipe_runner.h"
#include "model/base_map_file.h"

namespace {

namespace fs = std::filesystem;
using namespace kartela;

struct Options {
  fs::path data;
  fs::path out;
  fs::path preview;
  std::vector<fs::path> recipes;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    fs::path* target = arg == "--data"      ? &options.data
                       : arg == "--out"     ? &options.out
                       : arg == "--preview" ? &options.preview
                                            : nullptr;
    if (target != nullptr && i + 1 < argc) {
      *target = argv[++i];
    } else if (target == nullptr && !arg.starts_with("--")) {
      options.recipes.emplace_back(arg);
    } else {
      return std::nullopt;
    }
  }
  if (options.data.empty() || options.out.empty() || options.recipes.empty()) return std::nullopt;
  return options;
}

bool Report(const fs::path& file, const fs::path& preview_dir) {
  BaseMap map;
  if (const Status read = ReadBaseMap(file, map); !read.ok()) {
    std::fprintf(stderr, "%s: the base-map reader refuses the written file: %s\n", file.c_str(),
                 read.detail().c_str());
    return false;
  }
  const basemap::BaseMapFigures figures = basemap::Summarise(map);
  std::printf("%s: %d areas, %d point records, longest run %zu, %zu outlines, %zu lines\n",
              file.filename().c_str(), figures.areas, figures.records, figures.longest_run,
              figures.outline_runs, figures.line_runs);
  if (!figures.anchors_on_edge.empty()) {
    std::printf("  %zu areas too small or thin to hold their anchor inside\n",
                figures.anchors_on_edge.size());
  }
  for (const int area : figures.misplaced_anchors) {
    std::printf("  warning: the first anchor of area %d lies outside its outline\n", area + 1);
  }
  if (preview_dir.empty()) return true;
  const fs::path picture = preview_dir / file.filename().replace_extension(".png");
  const StatusOr<std::string> png = basemap::RenderPreview(map);
  const Status written = png.ok() ? WriteFileAtomically(picture, *png) : png.status();
  if (!written.ok()) {
    std::fprintf(stderr, "%s: cannot be written: %s\n", picture.c_str(), written.detail().c_str());
    return false;
  }
  return true;
}

bool Build(const fs::path& recipe_path, const Options& options) {
  const auto recipe = basemap::ReadRecipe(recipe_path);
  if (!recipe.ok()) {
    std::fprintf(stderr, "%s\n", recipe.status().detail().c_str());
    return false;
  }
  const auto output = basemap::RunRecipe(*recipe, options.data);
  if (!output.ok()) {
    std::fprintf(stderr, "%s: %s\n", recipe_path.c_str(), output.status().detail().c_str());
    return false;
  }
  for (const std::string& note : output->notes)
    std::fprintf(stderr, "%s: note: %s\n", recipe_path.c_str(), note.c_str());
  const fs::path file = options.out / fs::path(recipe->output);
  if (const Status written = WriteFileAtomically(file, output->map_bytes); !written.ok()) {
    std::fprintf(stderr, "%s\n", written.detail().c_str());
    return false;
  }
  if (!Report(file, options.preview)) return false;
  if (recipe->data.empty()) return true;
  const fs::path data_file = options.out / fs::path(recipe->data);
  if (const Status written = WriteFileAtomically(data_file, output->data_bytes); !written.ok()) {
    std::fprintf(stderr, "%s\n", written.detail().c_str());
    return false;
  }
  std::printf("%s: land areas of %d areas in km², %.0f km² in all\n", data_file.filename().c_str(),
              output->areas, output->total_land_area);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "import") {
    return basemap::RunImportCommand(std::vector<std::string>(argv + 2, argv + argc), stdout,
                                     stderr);
  }
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: kartela-basemap --data DIR --out DIR [--preview DIR] RECIPE...\n");
    return 2;
  }
  for (const fs::path& dir : {options->out, options->preview}) {
    std::error_code error;
    if (!dir.empty() && !fs::create_directories(dir, error) && error) {
      std::fprintf(stderr, "%s: %s\n", dir.c_str(), error.message().c_str());
      return 1;
    }
  }
  bool ok = true;
  for (const fs::path& recipe : options->recipes)
    ok = Build(recipe, *options) && ok;
  return ok ? 0 : 1;
}
