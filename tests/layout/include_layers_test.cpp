// The source tree keeps its layers: a file includes the program's headers
// only from its own layer or the layers below it, every such include names a
// layer (nothing reaches into tools/), and the desktop program's windows and
// dialogs do not include command headers, which sit above them. Read from the
// sources themselves, so a new include that points upwards fails here before
// it becomes a cycle.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace kartela {
namespace {

namespace fs = std::filesystem;

// Lower layers first; a layer may include itself and what comes before it.
const std::map<std::string, int>& LayerRanks() {
  static const std::map<std::string, int> ranks = {
      {"base", 0},   {"model", 1},   {"gdi", 2}, {"render", 3},
      {"output", 4}, {"geodata", 5}, {"ui", 6},  {"app", 7},
  };
  return ranks;
}

struct Include {
  std::string file;    // relative to the repository
  std::string header;  // as written between the quotes
};

std::vector<Include> QuotedIncludes(const fs::path& root, const std::string& folder) {
  static const std::regex kInclude(R"re(^\s*#\s*include\s+"([^"]+)")re");
  std::vector<Include> includes;
  for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line))
      if (std::regex_search(line, match, kInclude))
        includes.push_back({fs::relative(entry.path(), root).generic_string(), match[1]});
  }
  return includes;
}

std::string FirstFolder(const std::string& path) {
  return path.substr(0, path.find('/'));
}

// The layer of a file under src/: its folder below src.
std::string LayerOf(const std::string& file) {
  return FirstFolder(file.substr(4));
}

TEST(IncludeLayersTest, EveryIncludeOfTheProgramPointsToItsOwnLayerOrBelow) {
  const fs::path root = KARTELA_SOURCE_DIR;
  const auto& ranks = LayerRanks();
  std::vector<std::string> faults;
  for (const Include& include : QuotedIncludes(root, "src")) {
    const auto target = ranks.find(FirstFolder(include.header));
    if (target == ranks.end()) {
      faults.push_back(include.file + " includes \"" + include.header + "\", outside the layers");
    } else if (target->second > ranks.at(LayerOf(include.file))) {
      faults.push_back(include.file + " includes \"" + include.header + "\" from a layer above");
    }
  }
  EXPECT_TRUE(faults.empty()) << testing::PrintToString(faults);
}

TEST(IncludeLayersTest, BenchmarksIncludeTheProgramOnlyThroughItsLayers) {
  const fs::path root = KARTELA_SOURCE_DIR;
  std::vector<std::string> faults;
  for (const Include& include : QuotedIncludes(root, "bench"))
    if (include.header.find('/') != std::string::npos &&
        !LayerRanks().contains(FirstFolder(include.header)))
      faults.push_back(include.file + " includes \"" + include.header + "\"");
  EXPECT_TRUE(faults.empty()) << testing::PrintToString(faults);
}

// Commands open dialogs and windows, never the other way round; the main
// window and its menu table are where commands are wired up.
TEST(IncludeLayersTest, WindowsAndDialogsIncludeNoCommandHeader) {
  const fs::path root = KARTELA_SOURCE_DIR;
  static const std::regex kCommandHeader(R"(_commands\.h$)");
  static const std::regex kWiring(R"(_commands\.(h|cpp)$|^src/ui/main_window/)");
  std::vector<std::string> faults;
  for (const Include& include : QuotedIncludes(root, "src/ui"))
    if (std::regex_search(include.header, kCommandHeader) &&
        !std::regex_search(include.file, kWiring))
      faults.push_back(include.file + " includes \"" + include.header + "\"");
  EXPECT_TRUE(faults.empty()) << testing::PrintToString(faults);
}

}  // namespace
}  // namespace kartela
