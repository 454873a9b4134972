#include "model/data_file.h"

#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/line_reader.h"
#include "base/sjis.h"
#include "base/text_helpers.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/reporter.h"

namespace kartela {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

constexpr int kFileUnreadable = 4;

// The largest data file read: a reference, a title and a value line for every
// area, each a whole line with its CR LF.
constexpr std::uintmax_t kMaxDataFileBytes = (kMaxAreas + 2) * (kMaxLineLength + 2);

// A data file split into its lines, before the base map is looked at.
struct DataFileLines {
  std::string reference;
  std::string title;
  std::vector<std::string> values = std::vector<std::string>(kMaxAreas);
};

// The title that starts at `line_begin` of a line longer than the reader
// keeps: cut to the title's limit without splitting a double-byte character.
std::string CutTitle(std::string_view bytes, std::size_t line_begin) {
  return std::string(
      sjis::CutToBytes(bytes.substr(line_begin, kMaxTitleBytes + 1), kMaxTitleBytes));
}

// Splits `bytes` into reference, title and values. False when the file has
// no reference line, the reference is longer than a line may be (cutting it
// would name another file), or a kept value is longer than a value may be
// (cutting it would change the number). A missing title line leaves the
// title and all values empty; value lines beyond kMaxAreas are ignored.
bool SplitLines(std::string_view bytes, DataFileLines& lines) {
  LineReader reader(bytes);
  if (!reader.Next(lines.reference) || reader.LastLineWasCut()) return false;
  const std::size_t title_begin = reader.Offset();
  if (!reader.Next(lines.title)) return true;
  if (reader.LastLineWasCut()) lines.title = CutTitle(bytes, title_begin);
  std::string value;
  for (std::string& slot : lines.values) {
    if (!reader.Next(value)) break;
    if (value.size() > kMaxValueBytes) return false;
    slot = std::move(value);
  }
  return true;
}

// The area list of the base map `reference` names, found by FindBaseMap
// from the data file at `path`; nullopt when it cannot be read, with the
// reason in `reason`.
std::optional<AreaList> ReadReferencedAreas(const std::filesystem::path& program_dir,
                                            const std::filesystem::path& path,
                                            const std::string& reference, std::string& reason) {
  const auto base_map = FindBaseMap(reference, program_dir, path.parent_path());
  if (!base_map) {
    reason = kBaseMapNotFoundReason;
    return std::nullopt;
  }
  AreaList areas;
  BaseMapResult read = ReadBaseMapHeader(base_map->path, areas);
  if (read != BaseMapStatus::kOk) {
    reason = std::move(read.reason);
    return std::nullopt;
  }
  areas.CurrentBaseMapFile = base_map->reference;
  return areas;
}

}  // namespace

bool ReadDataFile(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                  AreaList& areas, DataSet& data, Reporter& reporter) {
  const FileBytes read = ReadFileUpTo(path, kMaxDataFileBytes);
  if (read.status == FileReadStatus::kTooLarge) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), kFileTooLargeReason);
    return false;
  }
  if (read.status != FileReadStatus::kOk) {
    ShowMessage(reporter, kMsgBadFileName);
    return false;
  }
  return ParseDataFile(read.bytes, path, program_dir, areas, data, reporter);
}

bool ParseDataFile(std::string_view bytes, const std::filesystem::path& path,
                   const std::filesystem::path& program_dir, AreaList& areas, DataSet& data,
                   Reporter& reporter) {
  DataFileLines lines;
  if (!SplitLines(bytes, lines)) {
    ShowMessage(reporter, kFileUnreadable, DisplayPath(path));
    return false;
  }
  std::string reason;
  auto new_areas = ReadReferencedAreas(program_dir, path, lines.reference, reason);
  if (!new_areas) {
    ShowMessageWithReason(reporter, kMsgIdtReadFailed, sjis::ToUtf8Lossy(lines.reference), reason);
    return false;
  }
  areas = std::move(*new_areas);
  data.DataTitle = std::move(lines.title);
  data.DataValues = std::move(lines.values);
  return true;
}

std::string FormatDataFile(const AreaList& areas, const DataSet& data) {
  const PathParts base_map = SplitPath(areas.CurrentBaseMapFile);
  std::string bytes = base_map.name + base_map.ext;
  bytes.append(kLineEnd).append(data.DataTitle).append(kLineEnd);
  const std::size_t area_count = static_cast<std::size_t>(areas.AreaCount());
  for (std::size_t i = 0; i < area_count; ++i) {
    if (i < data.DataValues.size()) bytes.append(data.DataValues[i]);
    bytes.append(kLineEnd);
  }
  return bytes;
}

bool WriteDataFile(const std::filesystem::path& path, const AreaList& areas, const DataSet& data) {
  return WriteFileAtomically(path, FormatDataFile(areas, data));
}

}  // namespace kartela
