// Matching the rows of a statistics table to the areas of a base map, by the
// area's name or its number, and taking each row's value as a data value.
//
// Downloaded tables list areas in their own order, with names written with or
// without the prefecture suffix, in full-width or half-width forms, and codes
// such as "01" or "01000". Rows are matched here, never by position, and the
// report says what did not match before anything is read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartela {

enum class TableKeyKind {
  kName,  // the area's name
  kCode,  // the area's number: its position in the base map
};

struct TableRow {
  int line = 0;       // 1-based row of the sheet, to name the row in reports
  std::string key;    // Shift-JIS
  std::string value;  // Shift-JIS, as written in the cell
};

// Two rows that match one area; the table is refused while any is left.
struct RowConflict {
  int area = 0;  // 1-based
  TableRow first;
  TableRow second;
};

struct TableMatch {
  // The value text of area n at values[n - 1]; empty where no row matched or
  // the row's value is not a number.
  std::vector<std::string> values;
  int matched = 0;                        // areas that received a row
  std::vector<TableRow> unmatched_rows;   // rows with a key that names no area
  std::vector<TableRow> ambiguous_rows;   // rows whose name fits several areas
  std::vector<int> areas_without_row;     // 1-based
  std::vector<RowConflict> conflicts;     // two rows on one area
  std::vector<TableRow> emptied_values;   // matched rows whose value is a mark such as "-" or "***"
  std::vector<TableRow> rounded_values;   // numbers with more digits than a value holds, rounded
  std::vector<TableRow> too_long_values;  // numbers too large for a value, left empty

  bool Accepted() const { return conflicts.empty(); }
};

// The form names are compared in: blanks removed, full-width letters and
// digits in ASCII, ASCII letters upper-cased, half-width katakana in
// full-width form.
std::string NormalizeAreaName(std::string_view sjis_name);

// The area number a code stands for: "01", "1" and "１" are 1, and a
// five-digit code "01000" is prefecture 1. A five-digit code of a
// municipality ("01100") names no area number; nullopt for it and for any
// text that is not a code.
std::optional<int> AreaNumberOfCode(std::string_view sjis_code);

// A cell's text as a data value: full-width digits and grouping commas are
// made plain, and a number longer than a value holds keeps as many decimals
// as fit. Empty when the text is not a number.
enum class CellValueFit { kAsWritten, kRounded, kNotANumber, kTooLong };
struct CellValue {
  std::string text;
  CellValueFit fit = CellValueFit::kAsWritten;
};
CellValue CellToValue(std::string_view sjis_text);

// Matches `rows` to the areas named `area_names` (Shift-JIS, in base-map
// order). Rows with an empty key are left out (blank and note lines).
TableMatch MatchTable(const std::vector<std::string>& area_names, const std::vector<TableRow>& rows,
                      TableKeyKind kind);

}  // namespace kartela
