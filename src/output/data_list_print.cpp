#include "output/data_list_print.h"

#include <QPainter>

#include "gdi/qt/painter_device_context.h"

namespace kartela::output {
namespace {

constexpr const char* kNoCopies = "部数は 1 以上を指定してください。";
constexpr const char* kCannotBegin = "プリンターに印刷を始められませんでした。";
constexpr const char* kPageFailed = "プリンターが次のページを受け付けませんでした。";
constexpr const char* kJobFailed = "プリンターが印刷の途中で失敗しました。";

// Title on the first page of a copy, then the areas of page `page`.
void DrawPage(gdi::DeviceContext& dc, const Workspace& workspace, const DataListLayout& layout,
              int page) {
  if (page == 1 && !workspace.data.DataTitle.empty())
    dc.TextOut({layout.left, layout.top}, workspace.data.DataTitle);
  const auto& names = workspace.area_list.AreaNames;
  const auto& values = workspace.data.DataValues;
  for (const AreaLine& line : LinesOnPage(layout, page)) {
    const auto area = static_cast<std::size_t>(line.area);
    dc.TextOut({line.x, line.y}, names[area]);
    if (area < values.size()) dc.TextOut({line.x + layout.value_offset, line.y}, values[area]);
  }
}

// Draws every page of every copy; false when the printer refused a page.
// Stops early, with `was_aborted` set, when `aborted` says so.
bool DrawCopies(QPrinter& printer, QPainter& painter, const Workspace& workspace,
                const DataListLayout& layout, const DataListFont& font,
                const std::function<bool()>& aborted, bool& was_aborted) {
  gdi::PainterDeviceContext dc(painter);
  LogFont log_font;
  log_font.Height = -layout.font_height;
  log_font.FaceName = font.face;
  dc.SelectFont(log_font);
  // A long name or value that reaches the next column stays readable under
  // it: no text cell paints over another text.
  dc.SetBackgroundMode(gdi::BackgroundMode::kTransparent);
  bool first = true;
  for (int copy = 0; copy < workspace.print.Copies; ++copy) {
    for (int page = 1; page <= layout.pages; ++page) {
      if (aborted()) {
        was_aborted = true;
        return true;
      }
      if (!first && !printer.newPage()) return false;
      first = false;
      DrawPage(dc, workspace, layout, page);
    }
  }
  return true;
}

}  // namespace

DataListRequest DataListRequestFor(const QPrinter& printer, const Workspace& workspace,
                                   const DataListFont& font) {
  const PrintSettings& print = workspace.print;
  DataListRequest request;
  request.dots_per_inch = printer.logicalDpiY();
  request.page_width = printer.width();
  request.page_height = printer.height();
  request.margin_left = print.MarginLeft;
  request.margin_right = print.MarginRight;
  request.margin_top = print.MarginTop;
  request.margin_bottom = print.MarginBottom;
  request.columns = print.DataColumns;
  request.line_spacing = print.DataLineSpacing;
  request.font_size = font.size;
  request.area_count = workspace.area_list.AreaCount();
  request.item_length = workspace.settings.ItemLength;
  return request;
}

Status PrintDataList(QPrinter& printer, const Workspace& workspace, const DataListFont& font,
                     const std::function<bool()>& aborted) {
  if (workspace.print.Copies < 1) return {StatusCode::kRefused, kNoCopies};
  const DataListPlan plan = PlanDataList(DataListRequestFor(printer, workspace, font));
  if (!plan.ok()) return {StatusCode::kRefused, plan.refusal};
  QPainter painter;
  if (!painter.begin(&printer)) return PrintFailure(QString::fromUtf8(kCannotBegin), printer);
  bool was_aborted = false;
  const bool drawn =
      DrawCopies(printer, painter, workspace, plan.layout, font, aborted, was_aborted);
  if (was_aborted) {
    printer.abort();
    painter.end();
    return PrintCancelled();
  }
  painter.end();
  if (!drawn) return PrintFailure(QString::fromUtf8(kPageFailed), printer);
  if (printer.printerState() == QPrinter::Error)
    return PrintFailure(QString::fromUtf8(kJobFailed), printer);
  return {};
}

}  // namespace kartela::output
