// The sample paint map with every legend and colour option off is drawn
// byte for byte as before those options existed: the hashes below were taken
// from the pictures of the build without them (the PNG's once more when the
// files came to be written by libpng, with the pixels checked unchanged; the
// SVG's once more when the program came to write SVG itself, the EMF's once
// more when the file came to select its own pen and brush first and to space
// its texts by the face of the record's pitch). A
// font or Qt upgrade that changes the rasterised texts changes the PNG hash
// too; take new hashes then, from a build with the options off.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "output/map_exporter.h"
#include "sample_map.h"

namespace kartela::output {
namespace {

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

struct Hashes {
  std::uint64_t svg;
  std::uint64_t png;
  std::uint64_t emf;
};

Hashes PictureHashes(const Workspace& workspace) {
  const MapExporter exporter(workspace);
  return Hashes{Fnv1a(exporter.Svg(SvgSettings{}).value_or("")),
                Fnv1a(exporter.Png(BitmapSettings{}).value_or("")),
                Fnv1a(exporter.Emf(EmfSettings{}).value_or(""))};
}

// The sample as shipped, and with Tokyo and Okinawa emptied (drawn unfilled).
TEST(UnchangedOutputTest, SampleWithEveryOptionOffIsDrawnAsBefore) {
  struct Case {
    const char* name;
    std::vector<int> emptied;
    Hashes expected;
  };
  const Case cases[] = {
      {"sample", {}, {15582502963276957656ull, 17229775832140460284ull, 15170342370315681546ull}},
      {"two prefectures emptied",
       {13, 47},
       {9402475407533053169ull, 15970855773734561350ull, 3279365717145326689ull}},
  };
  for (const Case& c : cases) {
    Workspace ws;
    ASSERT_TRUE(test::LoadSamplePaintMap(ws));
    for (const int area : c.emptied) {
      ws.data.DataValues[static_cast<std::size_t>(area - 1)].clear();
      ws.class_tables.NumericValues[static_cast<std::size_t>(area - 1)] = kMissingValue;
    }
    const Hashes got = PictureHashes(ws);
    EXPECT_EQ(got.svg, c.expected.svg) << c.name;
    EXPECT_EQ(got.png, c.expected.png) << c.name;
    EXPECT_EQ(got.emf, c.expected.emf) << c.name;
  }
}

}  // namespace
}  // namespace kartela::output
