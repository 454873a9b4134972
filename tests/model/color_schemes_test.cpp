// The colour schemes hold the published ColorBrewer values, and every
// sequential row runs from light to dark.
#include "model/color_schemes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kartela {
namespace {

std::vector<std::uint32_t> RowOf(const ColorScheme& scheme, int k) {
  std::vector<std::uint32_t> row;
  for (int j = 0; j < k; ++j)
    row.push_back(SchemeColour(scheme, k, j));
  return row;
}

// Values as published at colorbrewer2.org (hex codes of each class).
TEST(ColorSchemesTest, ColoursAreThePublishedValues) {
  struct Case {
    const char* name;
    int classes;
    std::vector<std::uint32_t> published;
  };
  const Case cases[] = {
      {"Blues", 5, {0xeff3ff, 0xbdd7e7, 0x6baed6, 0x3182bd, 0x08519c}},
      {"Blues", 2, {0xdeebf7, 0x3182bd}},  // the ends of the three-class row
      {"Greens",
       8,
       {0xf7fcf5, 0xe5f5e0, 0xc7e9c0, 0xa1d99b, 0x74c476, 0x41ab5d, 0x238b45, 0x005a32}},
      {"YlOrRd", 3, {0xffeda0, 0xfeb24c, 0xf03b20}},
      {"Reds", 7, {0xfee5d9, 0xfcbba1, 0xfc9272, 0xfb6a4a, 0xef3b2c, 0xcb181d, 0x99000d}},
      {"RdBu", 4, {0xca0020, 0xf4a582, 0x92c5de, 0x0571b0}},
      {"BrBG", 5, {0xa6611a, 0xdfc27d, 0xf5f5f5, 0x80cdc1, 0x018571}},
      {"PuOr", 6, {0xb35806, 0xf1a340, 0xfee0b6, 0xd8daeb, 0x998ec3, 0x542788}},
  };
  for (const Case& c : cases) {
    const ColorScheme* scheme = FindColorScheme(c.name);
    ASSERT_NE(scheme, nullptr) << c.name;
    EXPECT_EQ(RowOf(*scheme, c.classes), c.published) << c.name << " " << c.classes;
  }
  EXPECT_EQ(FindColorScheme(""), nullptr);
  EXPECT_EQ(FindColorScheme("blues"), nullptr);  // names are stored as published
}

// A transposed or mistyped value shows as a step that gets lighter.
TEST(ColorSchemesTest, SequentialRowsDarkenAndNamesAreUnique) {
  const auto lightness = [](std::uint32_t rgb) {
    return 299 * (rgb >> 16) + 587 * ((rgb >> 8) & 0xff) + 114 * (rgb & 0xff);
  };
  std::set<std::string_view> names;
  for (const ColorScheme& scheme : ColorSchemes()) {
    EXPECT_TRUE(names.insert(scheme.name).second) << scheme.name;
    if (scheme.kind != SchemeKind::kSequential) continue;
    for (int k = kMinClassCount; k <= kMaxClassCount; ++k) {
      const auto row = RowOf(scheme, k);
      for (std::size_t j = 1; j < row.size(); ++j)
        EXPECT_LT(lightness(row[j]), lightness(row[j - 1])) << scheme.name << " " << k << " " << j;
    }
  }
}

}  // namespace
}  // namespace kartela
