#include "model/base_map_file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/line_reader.h"
#include "base/numbers.h"
#include "base/sjis.h"
#include "base/text_helpers.h"

namespace kartela {
namespace {

constexpr std::string_view kResolutionKey = "@RESOLUTION";
constexpr std::string_view kIndexPositionKey = "@INDEXPOSITION";
constexpr std::string_view kEndMarkerKey = "@STARTOFPOINTS";

// A point record: x then y, each a little-endian int16.
constexpr std::size_t kRecordBytes = 4;

using AnchorRow = std::array<MapPoint, kMaxAnchors + 1>;

// Everything the header says, gathered before any model is touched.
struct Header {
  std::string title;
  std::vector<std::string> names;
  std::vector<AnchorRow> anchors;  // filled only for the whole map
  std::int16_t longest_name = 0;
  MapSize resolution;
  MapPoint index_position;
  std::size_t end = 0;  // offset just after the end-marker line
};

MapPoint ReadPair(std::string_view text) {
  const auto [x, y] = SplitAt(',', text);
  return {ReadLeadingInt16(x), ReadLeadingInt16(y)};
}

// "x,y/x,y/..." into the first columns; the rest stay (0, 0), so the column
// after the last anchor always ends the row.
AnchorRow ReadAnchors(std::string value) {
  AnchorRow row{};
  for (int k = 0; k < kMaxAnchors && !value.empty(); ++k) {
    auto [pair, rest] = SplitAt('/', value);
    row[k] = ReadPair(pair);
    TrimComment(rest);
    value = std::move(rest);
  }
  return row;
}

void AddArea(std::string_view name, std::string value, bool with_anchors, Header& header) {
  header.names.emplace_back(sjis::CutToBytes(name, kMaxAreaNameBytes));
  // The full length, not the cut one: it sizes the name column as written.
  const auto length = static_cast<std::int16_t>(
      std::min<std::size_t>(name.size(), std::numeric_limits<std::int16_t>::max()));
  header.longest_name = std::max(header.longest_name, length);
  if (with_anchors) header.anchors.push_back(ReadAnchors(std::move(value)));
}

// Reads the header lines up to and including the end marker.
BaseMapStatus ParseHeader(std::string_view bytes, bool with_anchors, Header& header) {
  LineReader reader(bytes);
  if (!reader.Next(header.title)) return BaseMapStatus::kNoEndMarker;
  std::string line;
  while (reader.Next(line)) {
    auto [key, value] = SplitAt('=', line);
    TrimComment(key);
    TrimComment(value);
    if (!key.starts_with('@')) {
      if (header.names.size() == static_cast<std::size_t>(kMaxAreas)) {
        return BaseMapStatus::kTooManyAreas;
      }
      AddArea(key, std::move(value), with_anchors, header);
      continue;
    }
    const std::string control = sjis::ToUpper(key);
    if (control == kEndMarkerKey) {
      header.end = reader.Offset();
      return BaseMapStatus::kOk;
    }
    if (control == kResolutionKey) {
      const MapPoint size = ReadPair(value);
      header.resolution = {size.x, size.y};
    } else if (control == kIndexPositionKey) {
      header.index_position = ReadPair(value);
    }
  }
  return BaseMapStatus::kNoEndMarker;
}

// The point section begins at the first 0 byte at or after the end of the
// header; a trailing remainder shorter than a record is not part of it.
std::string_view FindPointSection(std::string_view bytes, std::size_t header_end) {
  const std::size_t start = bytes.find('\0', header_end);
  if (start == std::string_view::npos) return {};
  const std::string_view section = bytes.substr(start);
  return section.substr(0, section.size() - section.size() % kRecordBytes);
}

std::int16_t Int16LittleEndian(const unsigned char* bytes) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

// Decodes the records of `section` straight into the blocks of `points`,
// which has room for them.
void DecodeRecords(std::string_view section, PointStore& points) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(section.data());
  const auto records = static_cast<std::int32_t>(section.size() / kRecordBytes);
  for (std::int32_t first = 0; first < records; first += PointStore::kBlockRecords) {
    MapPoint* block = points.Block(first / PointStore::kBlockRecords);
    const std::int32_t count = std::min(PointStore::kBlockRecords, records - first);
    for (std::int32_t i = 0; i < count; ++i, bytes += kRecordBytes) {
      block[i] = {Int16LittleEndian(bytes), Int16LittleEndian(bytes + 2)};
    }
  }
}

// Index of the last record once the stream is closed: a stream that does not
// end with a separator (an empty one included) gets one appended.
std::int32_t CloseStream(std::int32_t records, PointStore& points) {
  if (records > 0 && IsSeparator(points[records - 1])) return records - 1;
  points[records] = MapPoint{};
  return records;
}

template <typename Model>
BaseMapStatus ReadFile(const std::filesystem::path& path, Model& model,
                       BaseMapStatus (*parse)(std::string_view, Model&)) {
  try {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) return BaseMapStatus::kCannotOpen;
    return parse(*bytes, model);
  } catch (const std::bad_alloc&) {
    // Too large to hold; nothing was changed, as the models are filled only
    // after every allocation has succeeded.
    return BaseMapStatus::kCannotOpen;
  }
}

}  // namespace

std::optional<std::filesystem::path> ResolveBaseMapPath(const std::filesystem::path& program_dir,
                                                        std::string_view reference) {
  const std::optional<std::string> utf8 = sjis::ToUtf8(reference);
  if (!utf8) return std::nullopt;
  const std::filesystem::path path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8->data()), utf8->size()));
  if (path.is_absolute() || utf8->find(':') != std::string::npos) return path;
  return program_dir / path;
}

BaseMapStatus ParseBaseMapHeader(std::string_view bytes, AreaList& areas) {
  Header header;
  if (const auto status = ParseHeader(bytes, false, header); status != BaseMapStatus::kOk) {
    return status;
  }
  areas.AreaNames = std::move(header.names);
  areas.LongestAreaName = header.longest_name;
  areas.BaseMapTitle = std::move(header.title);
  areas.HeaderResolution = header.resolution;
  return BaseMapStatus::kOk;
}

BaseMapStatus ParseBaseMap(std::string_view bytes, BaseMap& map) {
  Header header;
  if (const auto status = ParseHeader(bytes, true, header); status != BaseMapStatus::kOk) {
    return status;
  }
  const std::string_view section = FindPointSection(bytes, header.end);
  const std::size_t records = section.size() / kRecordBytes;
  // Growing only adds blocks; the records held so far stay as they are.
  if (records > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
      !map.Points.Grow(static_cast<std::int32_t>(records))) {
    return BaseMapStatus::kTooManyPoints;
  }
  map.MapAreaNames = std::move(header.names);
  map.AreaAnchors = std::move(header.anchors);
  map.Resolution = header.resolution;
  map.IndexPosition = header.index_position;
  DecodeRecords(section, map.Points);
  map.PointCount = CloseStream(static_cast<std::int32_t>(records), map.Points);
  return BaseMapStatus::kOk;
}

BaseMapStatus ReadBaseMapHeader(const std::filesystem::path& path, AreaList& areas) {
  return ReadFile(path, areas, &ParseBaseMapHeader);
}

BaseMapStatus ReadBaseMap(const std::filesystem::path& path, BaseMap& map) {
  return ReadFile(path, map, &ParseBaseMap);
}

}  // namespace kartela
