// The loader of the GDAL plugin, on plugins built wrong on purpose beside
// the real one: each is refused for what is wrong with it before its table
// is touched, and the next candidate is tried.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geodata/gdal_plugin/gdal_services.h"
#include "model/test_support.h"

namespace kartela::gdal {
namespace {

namespace fs = std::filesystem;

using geodata::ProblemCode;
using test::ScratchDir;

const fs::path kRealPlugin = KARTELA_GDAL_PLUGIN;

TEST(GdalLoaderTest, PluginsOfAnotherBuildAreRefusedAndTheNextCandidateIsTaken) {
  const ScratchDir dir;
  const fs::path not_a_library = dir.Write(kPluginFile, "not a library");
  const struct {
    const char* what;
    fs::path plugin;
    ProblemCode code;
    long long count;
    long long limit;
  } refused[] = {
      {"the next version", KARTELA_NEXT_VERSION_PLUGIN, ProblemCode::kPluginVersion,
       kServicesVersion + 1, kServicesVersion},
      {"another table", KARTELA_OTHER_TABLE_PLUGIN, ProblemCode::kPluginLayout,
       sizeof(Services) + sizeof(void*), sizeof(Services)},
      {"from before the version", KARTELA_UNVERSIONED_PLUGIN, ProblemCode::kPluginWithoutEntry, 0,
       0},
      {"not a library", not_a_library, ProblemCode::kPluginNotLoadable, 0, 0},
  };
  std::vector<fs::path> candidates;
  std::vector<ProblemCode> codes;
  for (const auto& c : refused) {
    SCOPED_TRACE(c.what);
    const auto alone = LoadServicesFrom({c.plugin});
    ASSERT_FALSE(alone.ok());
    EXPECT_EQ(alone.status().code(), StatusCode::kUnsupported);
    ASSERT_EQ(alone.problems().size(), 1u);
    const geodata::ImportProblem& problem = alone.problems()[0];
    EXPECT_EQ(problem.code, c.code);
    EXPECT_EQ(problem.name, c.plugin.string());
    EXPECT_EQ(problem.count, c.count);
    EXPECT_EQ(problem.limit, c.limit);
    candidates.push_back(c.plugin);
    codes.push_back(c.code);
  }
  candidates.push_back(dir.path() / "none" / kPluginFile);  // passed over: nothing is there

  // Without a plugin of this build, every refusal is told, in order.
  const auto none = LoadServicesFrom(candidates);
  ASSERT_FALSE(none.ok());
  std::vector<ProblemCode> found;
  for (const auto& problem : none.problems())
    found.push_back(problem.code);
  EXPECT_EQ(found, codes);

  // After them, the real plugin is taken, and its table works.
  candidates.push_back(kRealPlugin);
  const auto services = LoadServicesFrom(candidates);
  ASSERT_TRUE(services.ok()) << services.status().detail();
  const auto table = (*services)->read_table({dir.Write("t.csv", "a,b\r\n1,2\r\n"), "", {}});
  ASSERT_TRUE(table.ok()) << table.status().detail();
  EXPECT_EQ(table->rows, (std::vector<std::vector<std::string>>{{"a", "b"}, {"1", "2"}}));
}

TEST(GdalLoaderTest, WithoutAnyCandidateTheProblemNamesThePluginFile) {
  const ScratchDir dir;
  const auto services = LoadServicesFrom({dir.path() / kPluginFile});
  ASSERT_FALSE(services.ok());
  EXPECT_EQ(services.status().code(), StatusCode::kNotFound);
  ASSERT_EQ(services.problems().size(), 1u);
  EXPECT_EQ(services.problems()[0].code, ProblemCode::kPluginNotFound);
  EXPECT_EQ(services.problems()[0].text, kPluginFile);
}

}  // namespace
}  // namespace kartela::gdal
