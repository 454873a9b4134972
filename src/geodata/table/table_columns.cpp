#include "geodata/table/table_source.h"

#include <algorithm>

#include "base/sjis.h"
#include "model/data_set.h"

// The columns of a table read: found by heading or number, and the rows of
// the chosen columns matched to the areas. Without GDAL, so that the programs
// that only match link none of it.
namespace kartela::table {
namespace {

using basemap::Error;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// UTF-8 `text` in Shift-JIS; a character CP932 has no form for becomes "?",
// so that such a cell still shows in the report though it matches nothing.
std::string SjisOrMarked(std::string_view text) {
  if (auto whole = sjis::FromUtf8(text)) return std::move(*whole);
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    while (i + length < text.size() &&
           (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
      ++length;
    out += sjis::FromUtf8(text.substr(i, length)).value_or("?");
    i += length;
  }
  return out;
}

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Cell(const std::vector<std::string>& row, int column) {
  return static_cast<std::size_t>(column) < row.size() ? row[static_cast<std::size_t>(column)] : "";
}

// The 0-based column `name` stands for in `header`; -1 for none.
int ColumnIndex(const std::vector<std::string>& header, const std::string& name) {
  const std::string wanted = Trimmed(name);
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (!wanted.empty() && Trimmed(header[i]) == wanted) return static_cast<int>(i);
  }
  const bool is_number = !wanted.empty() && wanted.size() <= 4 &&
                         std::ranges::all_of(wanted, [](char c) { return c >= '0' && c <= '9'; });
  return is_number && std::stoi(wanted) >= 1 ? std::stoi(wanted) - 1 : -1;
}

// The cells of `header_row`; an error when the table has no such row.
Result<const std::vector<std::string>*> HeaderRow(const Table& table, int header_row) {
  const auto row_count = static_cast<int>(table.rows.size());
  if (header_row < 1 || header_row > row_count) {
    return Error{"header row " + std::to_string(header_row) + " is not in the table (rows 1-" +
                 std::to_string(row_count) + ")"};
  }
  return &table.rows[static_cast<std::size_t>(header_row - 1)];
}

std::string HeadingList(const std::vector<std::string>& header) {
  std::string list;
  for (const std::string& heading : header)
    list += (list.empty() ? "" : ", ") + Quoted(heading);
  return list.empty() ? "none" : list;
}

}  // namespace

Result<int> FindColumn(const Table& table, int header_row, const std::string& name) {
  const auto header = HeaderRow(table, header_row);
  if (!header.ok()) return Error{header.error()};
  const int column = ColumnIndex(**header, name);
  if (column < 0) {
    return Error{"no column " + Quoted(name) + " in header row " + std::to_string(header_row) +
                 "; its columns are " + HeadingList(**header)};
  }
  return column;
}

Result<TableReading> MatchTableColumns(const Table& table, const ColumnChoice& choice,
                                       const AreaList& areas) {
  const auto header = HeaderRow(table, choice.header_row);
  if (!header.ok()) return Error{header.error()};
  TableReading reading;
  reading.title = std::string(
      sjis::CutToBytes(SjisOrMarked(Trimmed(Cell(**header, choice.value_column))), kMaxTitleBytes));
  for (int r = choice.header_row; r < static_cast<int>(table.rows.size()); ++r) {
    const auto& row = table.rows[static_cast<std::size_t>(r)];
    reading.rows.push_back({r + 1, SjisOrMarked(Cell(row, choice.key_column)),
                            SjisOrMarked(Cell(row, choice.value_column))});
  }
  reading.match = MatchTable(areas.AreaNames, reading.rows, choice.kind);
  return reading;
}

}  // namespace kartela::table
