// The area names of the shipped sample drawn apart, through the whole paint:
// no two written names cover each other, where all 47 written as before do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "gdi/recording_device_context.h"
#include "render/legend.h"
#include "render/map_painter.h"
#include "sample_map.h"

namespace kartela {
namespace {

struct NameBox {
  std::string name;
  gdi::Rect box;
  bool white = false;  // over a halo
};

// The names (not their halos) the paint wrote, each in the box its text
// covers by the recording context's measure: half the height a byte wide,
// the height high, centred on its x.
std::vector<NameBox> WrittenNames(const Workspace& ws) {
  gdi::RecordingDeviceContext dc;
  PaintMap(ws, dc, PaintParams{});
  const std::set<std::string> names(ws.base_map.MapAreaNames.begin(),
                                    ws.base_map.MapAreaNames.end());
  std::vector<NameBox> written;
  for (const gdi::RecordedCall& call : dc.Texts()) {
    if (!names.contains(call.text)) continue;
    if (call.state.text_color != gdi::kWhite &&
        call.state.text_color != ws.screen_colors.window_text)
      continue;  // a halo
    const std::int32_t h = std::abs(call.state.font.Height);
    const auto w = static_cast<std::int32_t>(call.text.size()) * h / 2;
    const gdi::Point at = call.at();
    written.push_back({call.text, gdi::Rect{at.x - w / 2, at.y, at.x - w / 2 + w, at.y + h},
                       call.state.text_color == gdi::kWhite});
  }
  return written;
}

int OverlappingPairs(const std::vector<NameBox>& written) {
  int pairs = 0;
  for (std::size_t i = 0; i < written.size(); ++i) {
    for (std::size_t j = i + 1; j < written.size(); ++j) {
      const gdi::Rect& a = written[i].box;
      const gdi::Rect& b = written[j].box;
      if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) ++pairs;
    }
  }
  return pairs;
}

TEST(AreaNamesApartTest, NoTwoWrittenNamesOverlapWhereEveryNameDidBefore) {
  Workspace ws;
  ASSERT_TRUE(test::LoadSamplePaintMap(ws));
  ws.settings.ColorScheme = "Blues";  // dark upper classes: names there get halos
  ws.settings.AreaNameFlags = kNamesShown | kNamesTransparent;
  const std::vector<NameBox> all = WrittenNames(ws);
  ASSERT_EQ(all.size(), 47u);
  EXPECT_GT(OverlappingPairs(all), 0) << "the sample's names pile up without the option";

  ws.settings.AreaNameFlags = kNamesShown | kNamesTransparent | kNamesApart;
  const std::vector<NameBox> apart = WrittenNames(ws);
  EXPECT_EQ(OverlappingPairs(apart), 0);
  EXPECT_GT(apart.size(), 20u);
  EXPECT_LT(apart.size(), 47u);
  const auto hokkaido = std::find_if(apart.begin(), apart.end(), [&](const NameBox& n) {
    return n.name == ws.base_map.MapAreaNames[0];
  });
  EXPECT_EQ(hokkaido, apart.begin()) << "the largest area is written first";
  EXPECT_TRUE(std::any_of(apart.begin(), apart.end(), [](const NameBox& n) { return n.white; }));
  EXPECT_FALSE(std::all_of(apart.begin(), apart.end(), [](const NameBox& n) { return n.white; }));
}

}  // namespace
}  // namespace kartela
