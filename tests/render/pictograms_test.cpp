#include "render/pictograms.h"

#include <gtest/gtest.h>

#include <set>
#include <variant>

#include "gdi/metafile_player.h"
#include "gdi/recording_device_context.h"

namespace kartela::pictograms {
namespace {

// Each pictogram is a sound EMF of its own shape: a size the picture graph
// can scale, filled shapes that play back into the target, and its own name.
TEST(PictogramsTest, SixSoundPicturesOfFilledShapes) {
  std::set<std::string> names;
  const StatusOr<std::vector<Pictogram>> pictograms = MakePictograms();
  ASSERT_TRUE(pictograms.ok()) << pictograms.status().detail();
  for (const Pictogram& pictogram : *pictograms) {
    SCOPED_TRACE(pictogram.file_name);
    names.insert(pictogram.file_name);
    EXPECT_TRUE(pictogram.file_name.ends_with(".emf"));
    EXPECT_TRUE(gdi::CheckMetafile(pictogram.bytes).ok());
    const gdi::MetafileInfo info = gdi::InspectMetafile(pictogram.bytes).value();
    EXPECT_EQ(info.format, gdi::MetafileFormat::kEmf);
    EXPECT_GT(info.size.cx, 0);
    EXPECT_GT(info.size.cy, 0);
    gdi::RecordingDeviceContext dc;
    ASSERT_TRUE(gdi::PlayMetafile(pictogram.bytes, dc,
                                  {100, 100, 100 + 2 * info.size.cx, 100 + 2 * info.size.cy})
                    .ok());
    const std::size_t shapes = dc.Count(gdi::CallKind::kPolygon) +
                               dc.Count(gdi::CallKind::kRectangle) +
                               dc.Count(gdi::CallKind::kEllipse);
    EXPECT_GE(shapes, 2u);
    for (const gdi::RecordedCall& call : dc.Polygons()) {
      for (const gdi::Point p : call.points) {
        EXPECT_GE(p.x, 100);
        EXPECT_LE(p.x, 100 + 2 * info.size.cx);
      }
    }
  }
  EXPECT_EQ(names, (std::set<std::string>{"人.emf", "家.emf", "工場.emf", "自動車.emf", "木.emf",
                                          "ご飯.emf"}));
}

}  // namespace
}  // namespace kartela::pictograms
