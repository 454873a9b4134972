#include "model/data_file.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/line_reader.h"
#include "base/text_encoding.h"
#include "base/text_helpers.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/reporter.h"
#include "model/settings.h"
#include "model/value_syntax.h"

namespace kartela {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kFirstValueLine = 3;

// The largest data file read: a reference, a title and a value line for every
// area, each a whole line with its CR LF.
constexpr std::uintmax_t kMaxDataFileBytes = (kMaxAreas + 2) * (kMaxLineLength + 2);

// A data file split into its lines, before the base map is looked at.
struct DataFileLines {
  std::string reference;
  std::string title;
  std::vector<std::string> body;  // every line after the title, whole
};

// What a read takes into the data set once the area count is known.
struct ReadValues {
  std::vector<std::string> values = std::vector<std::string>(kMaxAreas);
  std::vector<std::string> notes;
};

// The line that starts at `begin`, however long.
std::string_view WholeLine(std::string_view bytes, std::size_t begin) {
  const std::size_t end = bytes.find_first_of("\r\n", begin);
  return bytes.substr(begin, end == std::string_view::npos ? end : end - begin);
}

std::string TooLongValueReason(std::size_t line) {
  return std::to_string(line) + " 行目の値が " + std::to_string(kMaxValueBytes) +
         " バイトを超えています";
}

// Whether line 1 names a base map file, as every data file's does; any other
// text file read as data would otherwise send the user looking for a base
// map named after its first line. (An empty line 1 is a data file of no
// base map, reported as such.)
bool NamesBaseMap(std::string_view reference) {
  constexpr std::string_view kExtension = ".IDT";
  const std::string_view name = Trim(reference, Blanks::kSpaceTab);  // looked up trimmed
  return name.size() > kExtension.size() && sjis::ToUpper(name).ends_with(kExtension);
}

// Splits `bytes` into reference, title and the lines after them. The reason
// when the file has no reference line or the reference is longer than a line
// may be (cutting it would name another file); empty otherwise. A long title
// is cut without splitting a double-byte character.
std::string SplitLines(std::string_view bytes, DataFileLines& lines) {
  LineReader reader(bytes);
  if (!reader.Next(lines.reference)) return "ファイルが空です";
  if (reader.LastLineWasCut()) {
    return "1 行目（基本地図の名前）が " + std::to_string(kMaxLineLength) + " バイトを超えています";
  }
  if (!lines.reference.empty() && !NamesBaseMap(lines.reference)) {
    return "データファイルではありません（1 行目が基本地図のファイル名 (.IDT) ではありません）";
  }
  std::size_t begin = reader.Offset();
  if (!reader.Next(lines.title)) return {};
  if (reader.LastLineWasCut())
    lines.title = std::string(sjis::CutToBytes(WholeLine(bytes, begin), kMaxTitleBytes));
  std::string line;
  for (begin = reader.Offset(); reader.Next(line); begin = reader.Offset())
    lines.body.emplace_back(WholeLine(bytes, begin));
  return {};
}

// The first `area_count` lines of `body` are the values, the lines after
// them notes kept whole. The reason when a value is longer than a value may
// be (cutting it would change the number); empty otherwise.
std::string TakeValues(std::vector<std::string> body, std::size_t area_count, ReadValues& read) {
  const std::size_t value_lines = std::min(body.size(), area_count);
  for (std::size_t i = 0; i < value_lines; ++i) {
    if (body[i].size() > kMaxValueBytes) return TooLongValueReason(i + kFirstValueLine);
    read.values[i] = std::move(body[i]);
  }
  const auto first_note = body.begin() + static_cast<std::ptrdiff_t>(value_lines);
  read.notes.assign(std::make_move_iterator(first_note), std::make_move_iterator(body.end()));
  return {};
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// The area list of the base map `reference` names, found by FindBaseMap
// from the data file at `path`; nullopt when it cannot be read, with the
// reason in `reason`.
std::optional<AreaList> ReadReferencedAreas(const std::filesystem::path& program_dir,
                                            const std::filesystem::path& path,
                                            const std::string& reference, std::string& reason) {
  // Made absolute, so that a file named without a directory still has its
  // own directory to look in.
  std::error_code error;
  const std::filesystem::path holder = std::filesystem::absolute(path, error).parent_path();
  const auto base_map = FindBaseMap(reference, program_dir, holder);
  if (!base_map) {
    reason = kBaseMapNotFoundReason;
    return std::nullopt;
  }
  AreaList areas;
  if (const Status read = ReadBaseMapHeader(base_map->path, areas); !read.ok()) {
    reason = read.detail();
    return std::nullopt;
  }
  areas.CurrentBaseMapFile = base_map->reference;
  return areas;
}

// The data file as Shift-JIS text: reference, title, one line per area, then
// the notes.
std::string DataFileText(const AreaList& areas, const DataSet& data) {
  const PathParts base_map = SplitPath(areas.CurrentBaseMapFile);
  std::string bytes = base_map.name + base_map.ext;
  bytes.append(kLineEnd).append(data.DataTitle).append(kLineEnd);
  const std::size_t area_count = static_cast<std::size_t>(areas.AreaCount());
  for (std::size_t i = 0; i < area_count; ++i) {
    if (i < data.DataValues.size()) bytes.append(data.DataValues[i]);
    bytes.append(kLineEnd);
  }
  for (const std::string& note : data.DataNotes)
    bytes.append(note).append(kLineEnd);
  return bytes;
}

}  // namespace

bool ReadDataFile(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                  AreaList& areas, DataSet& data, Reporter& reporter) {
  const StatusOr<std::string> read = ReadFileUpTo(path, kMaxDataFileBytes);
  if (read.status().code() == StatusCode::kTooLarge) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), kFileTooLargeReason);
    return false;
  }
  if (!read.ok()) {
    ShowMessage(reporter, kMsgBadFileName);
    return false;
  }
  return ParseDataFile(*read, path, program_dir, areas, data, reporter);
}

bool ParseDataFile(std::string_view bytes, const std::filesystem::path& path,
                   const std::filesystem::path& program_dir, AreaList& areas, DataSet& data,
                   Reporter& reporter) {
  const DecodedText text = DecodeFileText(bytes);
  if (!text.reason.empty()) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), text.reason);
    return false;
  }
  DataFileLines lines;
  if (const std::string reason = SplitLines(text.bytes, lines); !reason.empty()) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), reason);
    return false;
  }
  std::string reason;
  auto new_areas = ReadReferencedAreas(program_dir, path, lines.reference, reason);
  if (!new_areas) {
    ShowMessageWithReason(reporter, kMsgIdtReadFailed, sjis::ToUtf8Lossy(lines.reference), reason);
    return false;
  }
  ReadValues read;
  const auto area_count = static_cast<std::size_t>(new_areas->AreaCount());
  if (const std::string reason = TakeValues(std::move(lines.body), area_count, read);
      !reason.empty()) {
    ShowMessageWithReason(reporter, kMsgFileReadFailed, DisplayPath(path), reason);
    return false;
  }
  areas = std::move(*new_areas);
  data.DataTitle = std::move(lines.title);
  data.DataValues = std::move(read.values);
  data.DataNotes = std::move(read.notes);
  data.DataReadAsUtf8 = text.encoding == TextEncoding::kUtf8;
  return true;
}

std::string FormatDataFile(const AreaList& areas, const DataSet& data) {
  std::string text = DataFileText(areas, data);
  return EncodeFileText(text).value_or(std::move(text));
}

std::string ProposedSourceText(const std::vector<std::string>& notes) {
  constexpr std::string_view kSourceWord = "\x8f\x6f\x93\x54";  // 出典
  const auto trimmed = [](const std::string& note) { return Trim(note, Blanks::kSpaceTab); };
  auto found = std::find_if(notes.begin(), notes.end(), [&](const std::string& note) {
    return trimmed(note).starts_with(kSourceWord);
  });
  if (found == notes.end())
    found = std::find_if(notes.begin(), notes.end(),
                         [&](const std::string& note) { return !trimmed(note).empty(); });
  if (found == notes.end()) return {};
  return std::string(
      Trim(sjis::CutToBytes(trimmed(*found), kMaxFurnitureTextBytes), Blanks::kSpaceTab));
}

std::string SourceNoteOf(std::string_view file_name) {
  return "\x8f\x6f\x93\x54\x81\x46" + std::string(file_name);  // 出典：
}

std::string DataFileWriteRefusal(const AreaList& areas, const DataSet& data) {
  if (HasLineBreak(data.DataTitle)) return "タイトルに改行があります";
  const std::size_t value_count =
      std::min(static_cast<std::size_t>(areas.AreaCount()), data.DataValues.size());
  for (std::size_t i = 0; i < value_count; ++i) {
    const std::string& value = data.DataValues[i];
    if (value.size() > kMaxValueBytes) {
      return AreaOfRow(areas, i) + "の値が " + std::to_string(kMaxValueBytes) +
             " バイトを超えています";
    }
    if (HasLineBreak(value)) return AreaOfRow(areas, i) + "の値に改行があります";
  }
  if (!EncodeFileText(DataFileText(areas, data))) {
    return "Shift-JIS の文字でないバイトが UTF-8 と読める形で並び、書いても同じに読み戻せません";
  }
  return {};
}

std::string DataSavedNotice(const AreaList& areas, const DataSet& data) {
  std::string notice(kSavedNotice);
  const bool written_as_shift_jis = FormatDataFile(areas, data) == DataFileText(areas, data);
  if (data.DataReadAsUtf8 && written_as_shift_jis)
    notice += "\nUTF-8 で読み込んだファイルを Shift-JIS で書きました。";
  return notice;
}

Status WriteDataFile(const std::filesystem::path& path, const AreaList& areas,
                     const DataSet& data) {
  std::string refusal = DataFileWriteRefusal(areas, data);
  if (!refusal.empty()) return {StatusCode::kRefused, std::move(refusal)};
  return WriteFileAtomically(path, FormatDataFile(areas, data));
}

}  // namespace kartela
