// Where the data list goes on paper: the title at the top left of the first
// page of each copy, then one line per area (name, then value) in columns,
// filled column by column, over as many pages as needed. All in print
// pixels; no printer is needed to compute it. The values start after the
// widest name plus half a font height and end a font height before the next
// column, right-aligned, so that no line runs into its neighbour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kartela::output {

// The printer and the choices of the data print dialog.
struct DataListRequest {
  int dots_per_inch = 0;
  int page_width = 0;  // the whole sheet, in pixels
  int page_height = 0;
  std::int32_t margin_left = 0;  // millimetres
  std::int32_t margin_right = 0;
  std::int32_t margin_top = 0;
  std::int32_t margin_bottom = 0;
  std::int32_t columns = 0;
  double line_spacing = 0;     // line pitch as a multiple of the font height
  std::int32_t font_size = 0;  // points
  int area_count = 0;
  int name_width = 0;  // the widest area name and value in the list's font, in pixels
  int value_width = 0;
};

struct DataListLayout {
  int left = 0;  // margins in printer pixels
  int top = 0;
  int font_height = 0;  // character height in pixels
  int pitch = 0;        // line pitch in pixels
  int columns = 0;
  int column_width = 0;
  int rows = 0;         // rows per column on a full page
  int pages = 0;        // pages per copy
  int total_rows = 0;   // rows needed if every column held its share of all areas
  int value_right = 0;  // from the start of a column to the right edge of its values
  int area_count = 0;
};

// A layout, or why the request cannot be printed (UTF-8), when it has no
// column, no positive line pitch, no room for one row below the title, or
// columns too narrow for a name and a value side by side; the last says how
// many columns, or which size, would fit.
struct DataListPlan {
  DataListLayout layout;
  std::string refusal;
  bool ok() const { return refusal.empty(); }
};

DataListPlan PlanDataList(const DataListRequest& request);

// The character height of a font of `points` at `dots_per_inch`, to the
// nearest pixel.
int DataListFontHeight(std::int32_t points, int dots_per_inch);

// Rows per column on page `page` (1-based): the full count, except on the
// last page, where the remaining areas are spread evenly over the columns.
int RowsOnPage(const DataListLayout& layout, int page);

// One area's line: its index (0-based) and where its name starts (top left).
struct AreaLine {
  int area = 0;
  int x = 0;
  int y = 0;
};

// The lines of page `page` (1-based), in area order.
std::vector<AreaLine> LinesOnPage(const DataListLayout& layout, int page);

}  // namespace kartela::output
