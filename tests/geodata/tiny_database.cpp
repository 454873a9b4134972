#include "tiny_database.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <numbers>

namespace kartela::test {
namespace {

void Put(std::string& out, const void* value, std::size_t size) {
  out.append(static_cast<const char*>(value), size);  // the test machine is little-endian
}
void PutI32(std::string& out, std::int32_t v) {
  Put(out, &v, 4);
}
void PutU16(std::string& out, std::uint16_t v) {
  Put(out, &v, 2);
}
void PutF32(std::string& out, float v) {
  Put(out, &v, 4);
}
float Radians(double degrees) {
  return static_cast<float>(degrees * std::numbers::pi / 180);
}

}  // namespace

int TinyDatabase::AddLine(const Degrees& points) {
  lines_.push_back(points);
  return static_cast<int>(lines_.size());
}

void TinyDatabase::AddPolygon(const std::string& name, const std::vector<int>& lines) {
  polygons_.emplace_back(name, lines);
}

void TinyDatabase::AddRing(const std::string& name, Degrees points) {
  points.push_back(points.front());
  AddPolygon(name, {AddLine(points)});
}

std::string TinyDatabase::LineBytes() const {
  std::string out;
  PutI32(out, 2);
  PutI32(out, static_cast<std::int32_t>(lines_.size()));
  std::int32_t offset = static_cast<std::int32_t>(8 + 28 * lines_.size());
  for (const Degrees& line : lines_) {
    PutI32(out, offset);
    PutU16(out, static_cast<std::uint16_t>(line.size()));
    for (int i = 0; i < 3; ++i)
      PutU16(out, 0);  // sides and padding
    for (int i = 0; i < 4; ++i)
      PutF32(out, 0);  // bounding box, unused
    offset += static_cast<std::int32_t>(8 * line.size());
  }
  for (const Degrees& line : lines_) {
    for (const auto& [lon, lat] : line) {
      PutF32(out, Radians(lon));
      PutF32(out, Radians(lat));
    }
  }
  return out;
}

std::string TinyDatabase::PolygonBytes() const {
  std::string out;
  PutU16(out, static_cast<std::uint16_t>(polygons_.size()));
  std::int32_t offset = static_cast<std::int32_t>(2 + 24 * polygons_.size());
  for (const auto& [name, lines] : polygons_) {
    PutI32(out, offset);
    PutI32(out, static_cast<std::int32_t>(lines.size()));
    for (int i = 0; i < 4; ++i)
      PutF32(out, 0);
    offset += static_cast<std::int32_t>(4 * lines.size());
  }
  for (const auto& [name, lines] : polygons_) {
    for (const int line : lines)
      PutI32(out, line);
  }
  return out;
}

std::string TinyDatabase::NameBytes() const {
  std::string out;
  for (std::size_t i = 0; i < polygons_.size(); ++i) {
    out += polygons_[i].first + "\t" + std::to_string(i + 1) + "\n";
  }
  return out;
}

basemap::PolygonDatabase TinyDatabase::Parse() const {
  auto database = basemap::ParsePolygonDatabase(LineBytes(), PolygonBytes(), NameBytes());
  EXPECT_TRUE(database.ok()) << database.status().detail();
  return database.ok() ? *database : basemap::PolygonDatabase{};
}

void TinyDatabase::Write(const std::filesystem::path& stem) const {
  const std::pair<const char*, std::string> files[] = {
      {".L", LineBytes()}, {".G", PolygonBytes()}, {".N", NameBytes()}};
  for (const auto& [extension, bytes] : files) {
    std::filesystem::path path = stem;
    path += extension;
    std::ofstream(path, std::ios::binary) << bytes;
  }
}

Pairs AsPairs(const std::vector<MapPoint>& points) {
  Pairs pairs;
  for (const MapPoint& p : points)
    pairs.push_back(AsPair(p));
  return pairs;
}

Degrees Square(double lon, double lat, double size) {
  return {{lon, lat}, {lon + size, lat}, {lon + size, lat + size}, {lon, lat + size}};
}

}  // namespace kartela::test
