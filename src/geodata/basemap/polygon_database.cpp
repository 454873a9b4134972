#include "geodata/basemap/polygon_database.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

#include "base/file_io.h"
#include "geodata/basemap/in_context.h"

namespace kartela::basemap {
namespace {

constexpr std::int32_t kLineFormat = 2;
constexpr std::uint64_t kLineHeaderBytes = 28;
constexpr std::uint64_t kPolygonHeaderBytes = 24;

// Little-endian reads of a byte range whose bounds the caller has checked.
class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}

  bool Has(std::uint64_t offset, std::uint64_t size) const {
    return offset <= data_.size() && size <= data_.size() - offset;
  }
  std::uint16_t U16(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
  }
  std::int32_t I32(std::uint64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  float F32(std::uint64_t offset) const {
    const std::uint32_t bits = U32(offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::size_t size() const { return data_.size(); }

 private:
  std::uint32_t Byte(std::uint64_t offset) const {
    return static_cast<unsigned char>(data_[offset]);
  }
  std::uint32_t U32(std::uint64_t offset) const {
    return Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 | Byte(offset + 3) << 24;
  }
  std::string_view data_;
};

Status Corrupt(const std::string& what, std::uint64_t index, const std::string& problem) {
  return Status(StatusCode::kBadFormat, what + " " + std::to_string(index) + ": " + problem);
}

bool IsPlausibleCoordinate(float lon, float lat) {
  // Some databases store longitudes up to 360 degrees.
  constexpr double kTurn = 2 * std::numbers::pi + 1e-3;
  return std::isfinite(lon) && std::isfinite(lat) && std::fabs(lon) <= kTurn &&
         std::fabs(lat) <= std::numbers::pi / 2 + 1e-3;
}

StatusOr<SourceLine> ParseLine(const Bytes& bytes, std::uint64_t index, std::uint64_t data_start) {
  const std::uint64_t header = 8 + kLineHeaderBytes * index;
  const std::int32_t offset = bytes.I32(header);
  const std::uint16_t count = bytes.U16(header + 4);
  if (count == 0) return Corrupt("line", index + 1, "has no points");
  if (offset < 0 || static_cast<std::uint64_t>(offset) < data_start ||
      !bytes.Has(static_cast<std::uint64_t>(offset), 8ull * count)) {
    return Corrupt("line", index + 1,
                   "offset " + std::to_string(offset) + " with " + std::to_string(count) +
                       " points lies outside the coordinates of the file (" +
                       std::to_string(bytes.size()) + " bytes)");
  }
  SourceLine line;
  line.points.reserve(count);
  for (std::uint64_t k = 0; k < count; ++k) {
    const float lon = bytes.F32(offset + 8 * k);
    const float lat = bytes.F32(offset + 8 * k + 4);
    if (!IsPlausibleCoordinate(lon, lat)) {
      return Corrupt("line", index + 1,
                     "point " + std::to_string(k + 1) + " is not a longitude and latitude");
    }
    line.points.push_back({lon, lat});
  }
  return line;
}

StatusOr<SourcePolygon> ParsePolygon(const Bytes& bytes, std::uint64_t index,
                                     std::uint64_t data_start, std::size_t line_count) {
  const std::uint64_t header = 2 + kPolygonHeaderBytes * index;
  const std::int32_t offset = bytes.I32(header);
  const std::int32_t count = bytes.I32(header + 4);
  if (count <= 0) return Corrupt("polygon", index + 1, "has no lines");
  if (offset < 0 || static_cast<std::uint64_t>(offset) < data_start ||
      !bytes.Has(static_cast<std::uint64_t>(offset), 4ull * static_cast<std::uint64_t>(count))) {
    return Corrupt("polygon", index + 1,
                   "offset " + std::to_string(offset) + " with " + std::to_string(count) +
                       " lines lies outside the line lists of the file (" +
                       std::to_string(bytes.size()) + " bytes)");
  }
  SourcePolygon polygon;
  polygon.lines.reserve(static_cast<std::size_t>(count));
  for (std::int32_t k = 0; k < count; ++k) {
    const std::int32_t line = bytes.I32(static_cast<std::uint64_t>(offset) + 4ull * k);
    const std::int64_t magnitude = line < 0 ? -static_cast<std::int64_t>(line) : line;
    if (magnitude < 1 || static_cast<std::uint64_t>(magnitude) > line_count) {
      return Corrupt(
          "polygon", index + 1,
          "refers to line " + std::to_string(line) + " of " + std::to_string(line_count));
    }
    polygon.lines.push_back(line);
  }
  return polygon;
}

// "name<TAB>number"; the number may carry blanks.
StatusOr<PolygonName> ParseNameLine(std::string_view text, std::size_t line_number,
                                    std::size_t polygon_count) {
  const std::size_t tab = text.rfind('\t');
  if (tab == std::string_view::npos) return Corrupt("name line", line_number, "has no tab");
  std::string_view number = text.substr(tab + 1);
  while (!number.empty() && number.front() == ' ')
    number.remove_prefix(1);
  while (!number.empty() && (number.back() == ' ' || number.back() == '\r'))
    number.remove_suffix(1);
  int polygon = 0;
  const auto [end, status] = std::from_chars(number.data(), number.data() + number.size(), polygon);
  if (status != std::errc() || end != number.data() + number.size() || polygon < 1 ||
      static_cast<std::size_t>(polygon) > polygon_count) {
    return Corrupt(
        "name line", line_number,
        "names polygon \"" + std::string(number) + "\" of " + std::to_string(polygon_count));
  }
  return PolygonName{std::string(text.substr(0, tab)), polygon};
}

}  // namespace

StatusOr<std::vector<SourceLine>> ParseLineFile(std::string_view data) {
  const Bytes bytes(data);
  if (!bytes.Has(0, 8)) return Status(StatusCode::kBadFormat, "too short for a line file");
  if (bytes.I32(0) != kLineFormat) {
    return Status(StatusCode::kBadFormat,
                  "unknown line-file format " + std::to_string(bytes.I32(0)));
  }
  const std::int32_t count = bytes.I32(4);
  if (count < 0 || !bytes.Has(8, kLineHeaderBytes * static_cast<std::uint64_t>(count))) {
    return Status(StatusCode::kBadFormat, "line count " + std::to_string(count) +
                                              " does not fit the file (" +
                                              std::to_string(bytes.size()) + " bytes)");
  }
  const std::uint64_t data_start = 8 + kLineHeaderBytes * static_cast<std::uint64_t>(count);
  std::vector<SourceLine> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < static_cast<std::uint64_t>(count); ++i) {
    auto line = ParseLine(bytes, i, data_start);
    if (!line.ok()) return line.status();
    lines.push_back(std::move(*line));
  }
  return lines;
}

StatusOr<std::vector<SourcePolygon>> ParsePolygonFile(std::string_view data,
                                                      std::size_t line_count) {
  const Bytes bytes(data);
  if (!bytes.Has(0, 2)) return Status(StatusCode::kBadFormat, "too short for a polygon file");
  const std::uint16_t count = bytes.U16(0);
  if (!bytes.Has(2, kPolygonHeaderBytes * count)) {
    return Status(StatusCode::kBadFormat, "polygon count " + std::to_string(count) +
                                              " does not fit the file (" +
                                              std::to_string(bytes.size()) + " bytes)");
  }
  const std::uint64_t data_start = 2 + kPolygonHeaderBytes * count;
  std::vector<SourcePolygon> polygons;
  polygons.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    auto polygon = ParsePolygon(bytes, i, data_start, line_count);
    if (!polygon.ok()) return polygon.status();
    polygons.push_back(std::move(*polygon));
  }
  return polygons;
}

StatusOr<std::vector<PolygonName>> ParseNameFile(std::string_view text, std::size_t polygon_count) {
  std::vector<PolygonName> names;
  std::vector<bool> named(polygon_count + 1, false);
  std::size_t line_number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++line_number;
    if (line.empty() || line == "\r") continue;
    auto name = ParseNameLine(line, line_number, polygon_count);
    if (!name.ok()) return name.status();
    if (named[name->polygon]) {
      return Corrupt("name line", line_number,
                     "names polygon " + std::to_string(name->polygon) + " a second time");
    }
    named[name->polygon] = true;
    names.push_back(std::move(*name));
  }
  return names;
}

StatusOr<PolygonDatabase> ParsePolygonDatabase(std::string_view line_bytes,
                                               std::string_view polygon_bytes,
                                               std::string_view name_bytes) {
  PolygonDatabase database;
  auto lines = ParseLineFile(line_bytes);
  if (!lines.ok()) return InContext("lines", lines.status());
  auto polygons = ParsePolygonFile(polygon_bytes, lines->size());
  if (!polygons.ok()) return InContext("polygons", polygons.status());
  auto names = ParseNameFile(name_bytes, polygons->size());
  if (!names.ok()) return InContext("names", names.status());
  database.lines = std::move(*lines);
  database.polygons = std::move(*polygons);
  database.names = std::move(*names);
  return database;
}

StatusOr<PolygonDatabase> ReadPolygonDatabase(const std::filesystem::path& stem) {
  std::string files[3];
  const char* extensions[3] = {".L", ".G", ".N"};
  for (int i = 0; i < 3; ++i) {
    std::filesystem::path path = stem;
    path += extensions[i];
    auto bytes = ReadFileBytes(path);
    if (!bytes) return Status(StatusCode::kIoError, path.string() + ": cannot be read");
    files[i] = std::move(*bytes);
  }
  auto database = ParsePolygonDatabase(files[0], files[1], files[2]);
  if (!database.ok()) return InContext(stem.string(), database.status());
  return database;
}

std::vector<GeoPoint> WalkPolygon(const PolygonDatabase& database, int number) {
  std::vector<GeoPoint> ring;
  for (const std::int32_t signed_line : database.polygons[number - 1].lines) {
    const auto& points = database.lines[std::abs(signed_line) - 1].points;
    auto append = [&ring](const GeoPoint& p) {
      if (ring.empty() || !(ring.back() == p)) ring.push_back(p);
    };
    if (signed_line > 0) {
      for (const GeoPoint& p : points)
        append(p);
    } else {
      for (auto it = points.rbegin(); it != points.rend(); ++it)
        append(*it);
    }
  }
  while (ring.size() > 1 && ring.back() == ring.front())
    ring.pop_back();
  return ring;
}

}  // namespace kartela::basemap
