// The text copy of a map's title and legend, for each kind of map and
// legend order, with boundaries as the user may have typed them.
#include "render/legend_clip_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/test_support.h"

namespace kartela {
namespace {

using test::Sjis;

struct Case {
  const char* name;
  MapKind kind;
  std::int16_t legend_style;
  const char* title;
  std::vector<std::string> breaks;  // the typed boundaries, then what follows them
  const char* reference;
  const char* expected;  // UTF-8, lines ended by LF
};

TEST(LegendClipTextTest, GivesTheTitleAndTheLegendOfEachMap) {
  const Case cases[] = {
      {"ascending",
       MapKind::kPaintMap,
       1,
       "人口",
       {"100", "200"},
       "",
       "人口\n     ～ 100\n 100 ～ 200\n 200 ～    \n"},
      {"descending, adjusted ranges",
       MapKind::kPaintMap,
       6,
       "人口",
       {"100", "200"},
       "",
       "人口\n 200 ～    \n 100 ～ 200\n     ～ 100\n"},
      {"no title", MapKind::kPaintMap, 1, "", {"5"}, "", "\n   ～ 5\n 5 ～  \n"},
      {"a negative boundary, a stale entry after the last one",
       MapKind::kPaintMap,
       1,
       "T",
       {"-50", "1000", "x ;note", "300"},
       "",
       "T\n      ～-50\n-50 ～ 1000\n 1000 ～     \n"},
      {"one class", MapKind::kPaintMap, 1, "T", {}, "", "T\n  ～ \n"},
      {"hidden legend", MapKind::kPaintMap, 3, "人口", {"100"}, "", "人口\n"},
      {"circle map", MapKind::kCircleGraph, 1, "人口", {"100"}, "1000", "人口\n= 1000\n"},
      {"picture graph, reference with a blank",
       MapKind::kPictureGraph,
       2,
       "",
       {},
       " 10万人",
       "\n= 10万人\n"},
      {"circle map, hidden legend", MapKind::kCircleGraph, 0, "人口", {}, "1000", "人口\n"},
      {"white map", MapKind::kWhiteMap, 1, "白地図", {"100"}, "1000", "白地図\n"},
  };
  for (const Case& c : cases) {
    Workspace workspace;
    workspace.view.Kind = c.kind;
    workspace.settings.LegendStyle = c.legend_style;
    workspace.data.DataTitle = Sjis(c.title);
    for (std::size_t i = 0; i < c.breaks.size(); ++i)
      workspace.class_tables.ClassBreaks[i] = c.breaks[i];
    workspace.class_tables.ClassBreaks.back() = "999";  // never a boundary
    workspace.symbols.RefValueText = Sjis(c.reference);
    const std::vector<std::string> stored(workspace.class_tables.ClassBreaks.begin(),
                                          workspace.class_tables.ClassBreaks.end());
    EXPECT_EQ(LegendClipText(workspace), Sjis(c.expected)) << c.name;
    // The copy reads the boundaries; it does not rewrite them.
    EXPECT_TRUE(
        std::equal(stored.begin(), stored.end(), workspace.class_tables.ClassBreaks.begin()))
        << c.name;
  }
}

}  // namespace
}  // namespace kartela
