#include "output/data_list_layout.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace kartela::output {
namespace {

constexpr const char* kNoColumns = "列数は 1 以上を指定してください。";
constexpr const char* kNoPitch = "フォントのサイズと行間は正の値を指定してください。";
constexpr const char* kNoRoom =
    "余白を除いた用紙に、タイトルの下の 1 "
    "行も入りません。余白、フォントのサイズ、行間を見直してくだ"
    "さい。";

// Pixels per 10 mm, and a length in millimetres in pixels, both truncated as
// the page arithmetic has always done.
std::int64_t PixelsOfMillimetres(std::int64_t millimetres, int dots_per_inch) {
  const std::int64_t per_ten_mm = std::int64_t{dots_per_inch} * 100 / 254;
  return millimetres * per_ten_mm / 10;
}

std::string Millimetres(std::int64_t pixels, int dots_per_inch) {
  return FormatFixed(static_cast<double>(pixels) * 25.4 / std::max(1, dots_per_inch), 1, 1);
}

// Why a name and a value do not fit side by side in a column `width` pixels
// wide when they need `needed` at font height `height`, with the column
// count and the size that would fit: widths grow with the font height.
std::string NarrowColumns(const DataListRequest& request, std::int64_t height, std::int64_t needed,
                          std::int64_t width, std::int64_t area_width) {
  const int dpi = request.dots_per_inch;
  std::string text = "列の幅 " + Millimetres(width, dpi) + " mm に名前と値が並んで入りません（" +
                     Millimetres(needed, dpi) + " mm 必要です）。";
  const std::int64_t columns = area_width / needed;
  std::int32_t size = request.font_size - 1;
  while (size > 0 && needed * DataListFontHeight(size, dpi) > width * height)
    --size;
  std::vector<std::string> proposals;
  if (columns >= 1) proposals.push_back("列数を " + std::to_string(columns) + " 以下に");
  if (size >= 1) proposals.push_back("サイズを " + std::to_string(size) + " ポイント以下に");
  if (proposals.empty()) return text + "余白を狭くしてください。";
  return text + proposals.front() + (proposals.size() > 1 ? "するか、" + proposals.back() : "") +
         "してください。";
}

// The pitch: the height times the spacing taken to one decimal (half to even).
// Spacings too large to matter come out as a pitch taller than any page.
std::int64_t PitchOf(std::int64_t font_height, double spacing) {
  constexpr double kLargestTenths = 1e6;
  const double tenths = std::nearbyint(spacing * 10);
  if (!(tenths > 0)) return 0;
  return font_height * static_cast<std::int64_t>(std::min(tenths, kLargestTenths)) / 10;
}

}  // namespace

DataListPlan PlanDataList(const DataListRequest& request) {
  DataListPlan plan;
  if (request.columns < 1) {
    plan.refusal = kNoColumns;
    return plan;
  }
  const int dpi = request.dots_per_inch;
  const std::int64_t left = PixelsOfMillimetres(request.margin_left, dpi);
  const std::int64_t right = PixelsOfMillimetres(request.margin_right, dpi);
  const std::int64_t top = PixelsOfMillimetres(request.margin_top, dpi);
  const std::int64_t bottom = PixelsOfMillimetres(request.margin_bottom, dpi);
  const std::int64_t height =
      request.font_size > 0 ? DataListFontHeight(request.font_size, dpi) : 0;
  const std::int64_t pitch = PitchOf(height, request.line_spacing);
  if (height < 1 || pitch < 1) {
    plan.refusal = kNoPitch;
    return plan;
  }
  // One line is kept for the title.
  const std::int64_t rows = (request.page_height - top - bottom + pitch - height) / pitch - 1;
  if (rows < 1 || rows > request.page_height) {
    plan.refusal = kNoRoom;
    return plan;
  }
  const std::int64_t columns = request.columns;
  const std::int64_t area_width = request.page_width - left - right;
  const std::int64_t column_width = area_width / columns;
  // The name, half a height, the value, and a full height before the next
  // column.
  const std::int64_t needed =
      std::int64_t{request.name_width} + request.value_width + height + height / 2;
  if (needed > column_width) {
    plan.refusal = NarrowColumns(request, height, needed, column_width, area_width);
    return plan;
  }
  const std::int64_t per_page = rows * columns;
  const std::int64_t areas = std::max(request.area_count, 0);
  DataListLayout& layout = plan.layout;
  layout.left = static_cast<int>(left);
  layout.top = static_cast<int>(top);
  layout.font_height = static_cast<int>(height);
  layout.pitch = static_cast<int>(pitch);
  layout.columns = request.columns;
  layout.column_width = static_cast<int>(column_width);
  layout.rows = static_cast<int>(rows);
  // Without areas the title still gets its page in every copy.
  layout.pages = std::max<int>(1, static_cast<int>((areas + per_page - 1) / per_page));
  layout.total_rows = static_cast<int>((areas + columns - 1) / columns);
  layout.value_right = layout.column_width - layout.font_height;
  layout.area_count = static_cast<int>(areas);
  return plan;
}

int DataListFontHeight(std::int32_t points, int dots_per_inch) {
  return static_cast<int>((std::int64_t{points} * dots_per_inch * 2 + 72) / 144);
}

int RowsOnPage(const DataListLayout& layout, int page) {
  if (page < layout.pages) return layout.rows;
  return layout.total_rows - (page - 1) * layout.rows;
}

std::vector<AreaLine> LinesOnPage(const DataListLayout& layout, int page) {
  const std::int64_t per_page = std::int64_t{layout.rows} * layout.columns;
  const std::int64_t first = (page - 1) * per_page;
  const std::int64_t count = std::clamp<std::int64_t>(layout.area_count - first, 0, per_page);
  const int rows = RowsOnPage(layout, page);
  std::vector<AreaLine> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int e = 0; e < count; ++e) {
    const int column = e / rows;
    const int row = e % rows;
    lines.push_back({static_cast<int>(first) + e, layout.left + column * layout.column_width,
                     layout.top + layout.pitch + row * layout.pitch});
  }
  return lines;
}

}  // namespace kartela::output
