#include "geodata/basemap/polygon_database.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "model/test_support.h"
#include "tiny_database.h"

namespace kartela::basemap {
namespace {

using test::TinyDatabase;

// Two squares sharing the line x = 1, stored as shared lines (like japan).
TinyDatabase TwoSquares() {
  TinyDatabase db;
  const int shared = db.AddLine({{1, 0}, {1, 1}});
  const int west = db.AddLine({{1, 1}, {0, 1}, {0, 0}, {1, 0}});
  const int east = db.AddLine({{1, 0}, {2, 0}, {2, 1}, {1, 1}});
  db.AddPolygon("West", {shared, west});
  db.AddPolygon("East", {-shared, east});
  return db;
}

void SetI32(std::string& bytes, std::size_t offset, std::int32_t value) {
  std::memcpy(bytes.data() + offset, &value, 4);
}

class PolygonDatabaseTest : public testing::Test {
 protected:
  StatusOr<PolygonDatabase> Parse() const {
    return ParsePolygonDatabase(lines_, polygons_, names_);
  }
  void ExpectRefused(const std::string& words) const {
    const auto database = Parse();
    ASSERT_FALSE(database.ok());
    EXPECT_NE(database.status().detail().find(words), std::string::npos)
        << database.status().detail();
  }

  TinyDatabase db_ = TwoSquares();
  std::string lines_ = db_.LineBytes();
  std::string polygons_ = db_.PolygonBytes();
  std::string names_ = db_.NameBytes();
};

TEST_F(PolygonDatabaseTest, ReadsLinesPolygonsAndNames) {
  const auto database = Parse();
  ASSERT_TRUE(database.ok()) << database.status().detail();
  ASSERT_EQ(database->lines.size(), 3u);
  ASSERT_EQ(database->polygons.size(), 2u);
  EXPECT_EQ(database->polygons[1].lines, (std::vector<std::int32_t>{-1, 3}));
  ASSERT_EQ(database->names.size(), 2u);
  EXPECT_EQ(database->names[1].name, "East");
  EXPECT_EQ(database->names[1].polygon, 2);
  EXPECT_NEAR(database->lines[0].points[1].lat, std::numbers::pi / 180, 1e-7);
}

TEST_F(PolygonDatabaseTest, WalksAPolygonOnceRoundWithoutRepeatedJoins) {
  const auto database = Parse();
  ASSERT_TRUE(database.ok());
  // East walks the shared line backwards, then its own line.
  const std::vector<GeoPoint> ring = WalkPolygon(*database, 2);
  ASSERT_EQ(ring.size(), 4u);
  const double degree = std::numbers::pi / 180;
  EXPECT_NEAR(ring[0].lon, 1 * degree, 1e-7);
  EXPECT_NEAR(ring[0].lat, 1 * degree, 1e-7);
  EXPECT_NEAR(ring[1].lat, 0, 1e-7);
  EXPECT_NEAR(ring[2].lon, 2 * degree, 1e-7);
}

TEST_F(PolygonDatabaseTest, AcceptsBlanksBeforePolygonNumbersAndCrLf) {
  names_ = "West\t    1\r\nEast\t 2\r\n";
  const auto database = Parse();
  ASSERT_TRUE(database.ok()) << database.status().detail();
  EXPECT_EQ(database->names[0].polygon, 1);
  EXPECT_EQ(database->names[1].name, "East");
}

// --- Corrupt input -------------------------------------------------------

TEST_F(PolygonDatabaseTest, RefusesTruncatedOrUnknownFiles) {
  lines_.resize(6);
  ExpectRefused("too short");
  lines_ = db_.LineBytes();
  SetI32(lines_, 0, 3);
  ExpectRefused("format 3");
  lines_ = db_.LineBytes();
  polygons_.resize(1);
  ExpectRefused("too short");
}

TEST_F(PolygonDatabaseTest, RefusesCountsBeyondTheFile) {
  SetI32(lines_, 4, 1000);
  ExpectRefused("line count 1000");
  lines_ = db_.LineBytes();
  SetI32(lines_, 4, -1);
  ExpectRefused("line count -1");
  lines_ = db_.LineBytes();
  polygons_[0] = 50;
  ExpectRefused("polygon count 50");
}

TEST_F(PolygonDatabaseTest, RefusesLineOffsetsOutsideTheCoordinates) {
  const std::size_t header = 8;  // the first line's header
  for (const std::int32_t offset : {static_cast<std::int32_t>(lines_.size()), 8, -4, INT_MAX}) {
    lines_ = db_.LineBytes();
    SetI32(lines_, header, offset);
    ExpectRefused("line 1: offset");
  }
  lines_ = db_.LineBytes();
  lines_[header + 4] = 0x7F;  // 127 points, far more than the file holds
  ExpectRefused("line 1: offset");
}

TEST_F(PolygonDatabaseTest, RefusesLineListsOutsideTheFile) {
  SetI32(polygons_, 2, static_cast<std::int32_t>(polygons_.size()));
  ExpectRefused("polygon 1: offset");
  polygons_ = db_.PolygonBytes();
  SetI32(polygons_, 2 + 24 + 4, 100000);  // polygon 2's line count
  ExpectRefused("polygon 2: offset");
  polygons_ = db_.PolygonBytes();
  SetI32(polygons_, 2 + 4, 0);
  ExpectRefused("polygon 1: has no lines");
}

TEST_F(PolygonDatabaseTest, RefusesLineNumbersThatDoNotExist) {
  const std::size_t first_list = 2 + 2 * 24;
  for (const std::int32_t line : {0, 4, -4, INT_MIN}) {
    polygons_ = db_.PolygonBytes();
    SetI32(polygons_, first_list, line);
    ExpectRefused("refers to line");
  }
}

TEST_F(PolygonDatabaseTest, RefusesCoordinatesThatAreNotAngles) {
  const std::size_t first_point = 8 + 3 * 28;
  const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity(), 100.0f};
  for (const float value : values) {
    lines_ = db_.LineBytes();
    std::memcpy(lines_.data() + first_point + 4, &value, 4);
    ExpectRefused("not a longitude and latitude");
  }
}

TEST_F(PolygonDatabaseTest, RefusesBadNameLines) {
  names_ = "West\t1\nEast\t3\n";
  ExpectRefused("names polygon \"3\"");
  names_ = "West\t1\nEast\t1\n";
  ExpectRefused("a second time");
  names_ = "West 1\n";
  ExpectRefused("has no tab");
  names_ = "West\tone\n";
  ExpectRefused("names polygon \"one\"");
}

TEST_F(PolygonDatabaseTest, NeverCrashesOnAnyCorruptedByte) {
  for (const char value : {'\x00', '\x7F', '\xFF'}) {
    for (std::string* file : {&lines_, &polygons_}) {
      const std::string original = *file;
      for (std::size_t i = 0; i < file->size(); ++i) {
        (*file)[i] = value;
        const auto database = Parse();
        if (database.ok()) {
          for (std::size_t p = 1; p <= database->polygons.size(); ++p)
            WalkPolygon(*database, static_cast<int>(p));
        }
        *file = original;
      }
    }
  }
}

TEST(ReadPolygonDatabaseTest, ReadsTheThreeFilesAndNamesAMissingOne) {
  kartela::test::ScratchDir dir;
  TwoSquares().Write(dir.path() / "tiny");
  EXPECT_TRUE(ReadPolygonDatabase(dir.path() / "tiny").ok());
  std::filesystem::remove(dir.path() / "tiny.G");
  const auto missing = ReadPolygonDatabase(dir.path() / "tiny");
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.status().detail().find("tiny.G: cannot be read"), std::string::npos)
      << missing.status().detail();
}

}  // namespace
}  // namespace kartela::basemap
