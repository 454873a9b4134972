// Where the data list goes on paper: the title at the top left of the first
// page of each copy, then one line per area (name, then value) in columns,
// filled column by column, over as many pages as needed. All in printer
// pixels; no printer is needed to compute it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kartela::output {

// The printer and the choices of the data print dialog.
struct DataListRequest {
  int dots_per_inch = 0;
  int page_width = 0;  // the printable area, in printer pixels
  int page_height = 0;
  std::int32_t margin_left = 0;  // millimetres
  std::int32_t margin_right = 0;
  std::int32_t margin_top = 0;
  std::int32_t margin_bottom = 0;
  std::int32_t columns = 0;
  double line_spacing = 0;     // line pitch as a multiple of the font height
  std::int32_t font_size = 0;  // points
  int area_count = 0;
  int item_length = 0;  // the value starts this many half-height cells after the name, plus one
};

struct DataListLayout {
  int left = 0;  // margins in printer pixels
  int top = 0;
  int font_height = 0;  // character height in pixels
  int pitch = 0;        // line pitch in pixels
  int columns = 0;
  int column_width = 0;
  int rows = 0;          // rows per column on a full page
  int pages = 0;         // pages per copy
  int total_rows = 0;    // rows needed if every column held its share of all areas
  int value_offset = 0;  // from the name to the value, in pixels
  int area_count = 0;
};

// A layout, or why the request cannot be printed (UTF-8), when it has no
// column, no positive line pitch, or no room for one row below the title.
struct DataListPlan {
  DataListLayout layout;
  std::string refusal;
  bool ok() const { return refusal.empty(); }
};

DataListPlan PlanDataList(const DataListRequest& request);

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
