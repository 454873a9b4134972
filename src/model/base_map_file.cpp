#include "model/base_map_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/line_reader.h"
#include "base/numbers.h"
#include "base/text_encoding.h"
#include "base/text_helpers.h"

namespace kartela {
namespace {

constexpr std::string_view kResolutionKey = "@RESOLUTION";
constexpr std::string_view kIndexPositionKey = "@INDEXPOSITION";
constexpr std::string_view kEndMarkerKey = "@STARTOFPOINTS";

// A point record: x then y, each a little-endian int16.
constexpr std::size_t kRecordBytes = 4;

// Bounds of a file: the title, kMaxAreas area lines and room for control
// lines, each a whole line with its CR LF, then the records the store holds.
constexpr std::uintmax_t kMaxHeaderLines = 1 + kMaxAreas + 64;
constexpr std::uintmax_t kMaxHeaderBytes = kMaxHeaderLines * (kMaxLineLength + 2);
constexpr std::uintmax_t kMaxRecords =
    std::uintmax_t{PointStore::kMaxBlocks} * PointStore::kBlockRecords;

// The header is read in pieces of this size, up to the end marker.
constexpr std::size_t kHeaderPiece = 64 * 1024;

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

Status NoEndMarker() {
  return {StatusCode::kBadFormat, std::string(kEndMarkerKey) + " がありません"};
}

// Whether a header parsed so far only lacks its end marker, which more of
// the file may bring: the only bad format a header has.
bool LacksEndMarker(const Status& parsed) {
  return parsed.code() == StatusCode::kBadFormat;
}

// Reads the header lines up to and including the end marker.
Status ParseHeaderLines(std::string_view bytes, bool with_anchors, Header& header) {
  LineReader reader(bytes);
  if (!reader.Next(header.title)) return NoEndMarker();
  // Cut where the line was cut, but never inside a double-byte character.
  if (reader.LastLineWasCut()) {
    header.title.resize(sjis::CutToBytes(header.title, kMaxLineLength).size());
  }
  std::string line;
  for (int line_number = 2; reader.Next(line); ++line_number) {
    auto [key, value] = SplitAt('=', line);
    TrimComment(key);
    TrimComment(value);
    if (!key.starts_with('@')) {
      if (header.names.size() == static_cast<std::size_t>(kMaxAreas)) {
        return {StatusCode::kUnsupported, std::to_string(line_number) + " 行目: 地域が " +
                                              std::to_string(kMaxAreas) + " を超えています"};
      }
      AddArea(key, std::move(value), with_anchors, header);
      continue;
    }
    const std::string control = sjis::ToUpper(key);
    if (control == kEndMarkerKey) {
      header.end = reader.Offset();
      return {};
    }
    if (control == kResolutionKey) {
      const MapPoint size = ReadPair(value);
      header.resolution = {size.x, size.y};
    } else if (control == kIndexPositionKey) {
      header.index_position = ReadPair(value);
    }
  }
  return NoEndMarker();
}

// ParseHeaderLines on the header as the model's Shift-JIS: a header written
// as UTF-8 is converted and read again, keeping the end of the raw header,
// where the point section is looked for.
Status ParseHeader(std::string_view bytes, bool with_anchors, Header& header) {
  Status result = ParseHeaderLines(bytes, with_anchors, header);
  if (!result.ok()) return result;
  const std::size_t end = header.end;
  const DecodedText text = DecodeFileText(bytes.substr(0, end));
  if (text.encoding == TextEncoding::kCp932) return result;
  if (!text.reason.empty()) return {StatusCode::kUnsupported, text.reason};
  header = Header{};
  result = ParseHeaderLines(text.bytes, with_anchors, header);
  header.end = end;
  return result;
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

// The number of runs in `section`: records that are not separators, after a
// separator or at the start.
std::size_t CountRuns(std::string_view section) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(section.data());
  std::size_t runs = 0;
  bool in_run = false;
  for (std::size_t i = 0; i + kRecordBytes <= section.size(); i += kRecordBytes) {
    const bool vertex = Int16LittleEndian(bytes + i) != 0;
    if (vertex && !in_run) ++runs;
    in_run = vertex;
  }
  return runs;
}

// Each anchor of an area has its outline, one run, before the boundary
// lines. A stream with some runs but fewer than that was cut short (a file
// copied or downloaded only in part), and drawing it would leave the later
// areas out unnoticed; a header without any outlines draws as the names
// alone, which shows for itself.
Status CheckOutlines(const Header& header, std::string_view section) {
  const std::size_t runs = CountRuns(section);
  std::size_t promised = 0;
  for (std::size_t area = 0; area < header.anchors.size() && runs > 0; ++area) {
    for (const MapPoint& anchor : header.anchors[area]) {
      if (anchor.x < 1) break;
      if (++promised > runs) {
        return {StatusCode::kBadFormat,
                "点データが途中で終わっています（地域 " + std::to_string(area + 1) + "「" +
                    sjis::ToUtf8Lossy(header.names[area]) + "」から後の輪郭がありません）"};
      }
    }
  }
  return {};
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

void StoreHeader(Header& header, AreaList& areas) {
  areas.AreaNames = std::move(header.names);
  areas.LongestAreaName = header.longest_name;
  areas.BaseMapTitle = std::move(header.title);
  areas.HeaderResolution = header.resolution;
}

// A file that could not be read, as `read` says, in the words shown to the
// user.
Status CannotRead(const Status& read) {
  if (read.code() == StatusCode::kTooLarge) return {read.code(), std::string(kFileTooLargeReason)};
  return {read.code(), "ファイルを開けません"};
}

// Reads the file piece by piece until the header is complete: it is parsed
// once a piece holds a 0 byte (the point section starts with one) or the file
// ends, and is complete when the end marker's line has ended.
Status ReadHeaderPieces(std::ifstream& in, Header& header) {
  std::string bytes;
  for (;;) {
    const std::size_t old_size = bytes.size();
    bytes.resize(old_size + kHeaderPiece);
    in.read(bytes.data() + old_size, static_cast<std::streamsize>(kHeaderPiece));
    bytes.resize(old_size + static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return CannotRead({StatusCode::kIoError, {}});
    const bool at_end = in.eof() || bytes.size() >= kMaxHeaderBytes;
    if (!at_end && bytes.find('\0', old_size) == std::string::npos) continue;
    header = Header{};
    Status result = ParseHeader(bytes, false, header);
    const bool marker_line_ended = header.end < bytes.size();
    if (at_end || (result.ok() && marker_line_ended) || (!result.ok() && !LacksEndMarker(result))) {
      return result;
    }
  }
}

// Whether the file at `path` can be opened and is not too large to be read.
Status CheckFileSize(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found)
    return CannotRead({StatusCode::kNotFound, {}});
  if (error) return CannotRead(StatusFromErrorCode(error, {}));
  if (!std::filesystem::is_regular_file(status)) return CannotRead({StatusCode::kIoError, {}});
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return CannotRead(StatusFromErrorCode(error, {}));
  if (size > MaxBaseMapFileBytes()) return CannotRead({StatusCode::kTooLarge, {}});
  return {};
}

}  // namespace

std::uintmax_t MaxBaseMapFileBytes() {
  return kMaxHeaderBytes + kMaxRecords * kRecordBytes;
}

Status ParseBaseMapHeader(std::string_view bytes, AreaList& areas) {
  Header header;
  Status result = ParseHeader(bytes, false, header);
  if (result.ok()) StoreHeader(header, areas);
  return result;
}

Status ParseBaseMap(std::string_view bytes, BaseMap& map) {
  Header header;
  if (Status result = ParseHeader(bytes, true, header); !result.ok()) return result;
  const std::string_view section = FindPointSection(bytes, header.end);
  if (Status outlines = CheckOutlines(header, section); !outlines.ok()) return outlines;
  const std::size_t records = section.size() / kRecordBytes;
  // Growing only adds blocks; the records held so far stay as they are.
  if (records > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
      !map.Points.Grow(static_cast<std::int32_t>(records))) {
    return {StatusCode::kTooLarge, "点が多すぎます (" + std::to_string(records) + " 個)"};
  }
  map.MapAreaNames = std::move(header.names);
  map.AreaAnchors = std::move(header.anchors);
  map.Resolution = header.resolution;
  map.IndexPosition = header.index_position;
  DecodeRecords(section, map.Points);
  map.PointCount = CloseStream(static_cast<std::int32_t>(records), map.Points);
  return {};
}

Status ReadBaseMapHeader(const std::filesystem::path& path, AreaList& areas) {
  if (Status checked = CheckFileSize(path); !checked.ok()) return checked;
  std::ifstream in(path, std::ios::binary);
  if (!in) return CannotRead({StatusCode::kIoError, {}});
  Header header;
  Status result = ReadHeaderPieces(in, header);
  if (result.ok()) StoreHeader(header, areas);
  return result;
}

Status ReadBaseMap(const std::filesystem::path& path, BaseMap& map) {
  try {
    StatusOr<std::string> read = ReadFileUpTo(path, MaxBaseMapFileBytes());
    if (!read.ok()) return CannotRead(read.status());
    return ParseBaseMap(*read, map);
  } catch (const std::bad_alloc&) {
    // Nothing was changed, as the model is filled only after every
    // allocation has succeeded.
    return CannotRead({StatusCode::kIoError, {}});
  }
}

}  // namespace kartela
