#include "geodata/table/table_source.h"

#include <algorithm>

#include "base/text_encoding.h"
#include "model/data_set.h"

// The columns of a table read: found by heading or number, and the rows of
// the chosen columns matched to the areas. Without GDAL, so that the programs
// that only match link none of it.
namespace kartela::table {
namespace {

using geodata::ImportProblem;
using geodata::ProblemCode;

std::string Cell(const std::vector<std::string>& row, int column) {
  return static_cast<std::size_t>(column) < row.size() ? row[static_cast<std::size_t>(column)] : "";
}

// The 0-based column `name` stands for in `header`; -1 for none.
int ColumnIndex(const std::vector<std::string>& header, const std::string& name) {
  const std::string wanted(Trim(name, Blanks::kSpaceTab));
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (!wanted.empty() && Trim(header[i], Blanks::kSpaceTab) == wanted) return static_cast<int>(i);
  }
  const bool is_number = !wanted.empty() && wanted.size() <= 4 &&
                         std::ranges::all_of(wanted, [](char c) { return c >= '0' && c <= '9'; });
  return is_number && std::stoi(wanted) >= 1 ? std::stoi(wanted) - 1 : -1;
}

// The cells of `header_row`; refused when the table has no such row.
ImportStatusOr<const std::vector<std::string>*> HeaderRow(const Table& table, int header_row) {
  const auto row_count = static_cast<int>(table.rows.size());
  if (header_row < 1 || header_row > row_count) {
    return ImportProblem{.code = ProblemCode::kNoHeaderRow, .row = header_row, .count = row_count};
  }
  return &table.rows[static_cast<std::size_t>(header_row - 1)];
}

}  // namespace

ImportStatusOr<int> FindColumn(const Table& table, int header_row, const std::string& name) {
  const auto header = HeaderRow(table, header_row);
  if (!header.ok()) return header.problems();
  const int column = ColumnIndex(**header, name);
  if (column < 0) {
    return ImportProblem{
        .code = ProblemCode::kColumnNotFound, .name = name, .row = header_row, .choices = **header};
  }
  return column;
}

ImportStatusOr<TableReading> MatchTableColumns(const Table& table, const ColumnChoice& choice,
                                               const AreaList& areas) {
  const auto header = HeaderRow(table, choice.header_row);
  if (!header.ok()) return header.problems();
  TableReading reading;
  // A character CP932 lacks becomes "?", so that such a cell still shows in
  // the report though it matches nothing.
  reading.title = std::string(sjis::CutToBytes(
      sjis::FromUtf8Lossy(Trim(Cell(**header, choice.value_column), Blanks::kSpaceTab)),
      kMaxTitleBytes));
  for (int r = choice.header_row; r < static_cast<int>(table.rows.size()); ++r) {
    const auto& row = table.rows[static_cast<std::size_t>(r)];
    reading.rows.push_back({r + 1, sjis::FromUtf8Lossy(Cell(row, choice.key_column)),
                            sjis::FromUtf8Lossy(Cell(row, choice.value_column))});
  }
  reading.match = MatchTable(areas.AreaNames, reading.rows, choice.kind);
  return reading;
}

}  // namespace kartela::table
