// Statistics tables read through GDAL: CSV (comma), tab-separated text, and
// the sheets of Excel and Calc workbooks. Every cell is read as the text the
// table shows, so that codes such as "01" keep their zeros, and matched to
// the areas of a base map by a key column.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "geodata/import_problem.h"
#include "model/area_list.h"
#include "model/table_match.h"

namespace kartela::table {

using geodata::ImportStatusOr;

struct TableRequest {
  std::filesystem::path path;
  std::string sheet;                            // workbooks: empty for the first sheet
  TextEncoding encoding = TextEncoding::kAuto;  // text files only; workbooks are Unicode
};

struct Table {
  std::vector<std::string> sheets;              // the workbook's sheets; empty for a text file
  std::string sheet;                            // the sheet read
  TextEncoding encoding = TextEncoding::kUtf8;  // the one the cells were decoded from
  // UTF-8 cells; sheet row n at rows[n - 1], blank rows kept as empty rows.
  std::vector<std::vector<std::string>> rows;
};

ImportStatusOr<Table> ReadTable(const TableRequest& request);

// Which columns to match by and take the values from, counted from 0.
struct ColumnChoice {
  int header_row = 1;
  int key_column = 0;
  int value_column = 1;
  TableKeyKind kind = TableKeyKind::kName;
};

// The column `name` stands for: the one whose cell in `header_row` holds that
// text, else the column of that number counted from 1. Refused for a header
// row the table does not have (kNoHeaderRow) or a column it has not
// (kColumnNotFound, with the header's cells).
ImportStatusOr<int> FindColumn(const Table& table, int header_row, const std::string& name);

struct TableReading {
  std::string title;           // the value column's heading, Shift-JIS, cut to a title's length
  std::vector<TableRow> rows;  // the rows under the header, Shift-JIS
  TableMatch match;
};

// The rows under the header matched to `areas`; refused for a header row the
// table does not have.
ImportStatusOr<TableReading> MatchTableColumns(const Table& table, const ColumnChoice& choice,
                                               const AreaList& areas);

}  // namespace kartela::table
