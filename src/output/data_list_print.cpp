#include "output/data_list_print.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/text_encoding.h"
#include "gdi/qt/font_substitution.h"

namespace kartela::output {
namespace {

QString Shown(std::string_view sjis_text) {
  return QString::fromStdString(sjis::ToUtf8Lossy(sjis_text));
}

// The widest of the first `count` texts in `metrics`, rounded up.
template <typename Texts>
int WidestOf(const Texts& texts, std::size_t count, const QFontMetricsF& metrics) {
  double widest = 0;
  for (std::size_t i = 0; i < std::min(count, texts.size()); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(Shown(texts[i])));
  return static_cast<int>(std::ceil(widest));
}

// `text` with its top left at (x, y).
void DrawAt(QPainter& painter, const QFontMetricsF& metrics, double x, int y,
            std::string_view text) {
  painter.drawText(QPointF(x, y + metrics.ascent()), Shown(text));
}

// The title on the first page of a copy, then the areas of page `page`
// (1-based): each name at the start of its line, its value ending at the
// column's value edge.
void DrawPage(QPainter& painter, const QFont& font, const Workspace& workspace,
              const DataListLayout& layout, int page) {
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(font);
  if (page == 1) DrawAt(painter, metrics, layout.left, layout.top, workspace.data.DataTitle);
  const auto& names = workspace.area_list.AreaNames;
  const auto& values = workspace.data.DataValues;
  for (const AreaLine& line : LinesOnPage(layout, page)) {
    const auto area = static_cast<std::size_t>(line.area);
    DrawAt(painter, metrics, line.x, line.y, names[area]);
    if (area >= values.size()) continue;
    const double width = metrics.horizontalAdvance(Shown(values[area]));
    DrawAt(painter, metrics, line.x + layout.value_right - width, line.y, values[area]);
  }
}

}  // namespace

QFont DataListQFont(const DataListFont& font, int dots_per_inch) {
  LogFont record;
  record.Height = -DataListFontHeight(font.size, dots_per_inch);
  record.FaceName = font.face;
  const std::vector<std::string> installed = gdi::InstalledFamilies();
  return gdi::MakeQFont(record, 1.0, installed, gdi::FacePitch::kOfTheFace);
}

DataListRequest DataListRequestFor(QPrinter& printer, const Workspace& workspace,
                                   const DataListFont& font) {
  const PrintSettings& print = workspace.print;
  DataListRequest request;
  request.dots_per_inch = kPrintDotsPerInch;
  const QSize page = PrintPageOf(printer);
  request.page_width = page.width();
  request.page_height = page.height();
  request.margin_left = print.MarginLeft;
  request.margin_right = print.MarginRight;
  request.margin_top = print.MarginTop;
  request.margin_bottom = print.MarginBottom;
  request.columns = print.DataColumns;
  request.line_spacing = print.DataLineSpacing;
  request.font_size = font.size;
  request.area_count = workspace.area_list.AreaCount();
  if (font.size > 0) {
    const QFontMetricsF metrics(DataListQFont(font, kPrintDotsPerInch));
    const auto count = static_cast<std::size_t>(std::max(request.area_count, 0));
    request.name_width = WidestOf(workspace.area_list.AreaNames, count, metrics);
    request.value_width = WidestOf(workspace.data.DataValues, count, metrics);
  }
  return request;
}

Status PrintDataList(QPrinter& printer, const Workspace& workspace, const DataListFont& font,
                     const std::function<bool()>& aborted) {
  const DataListPlan plan = PlanDataList(DataListRequestFor(printer, workspace, font));
  if (!plan.ok()) return {StatusCode::kRefused, plan.refusal};
  const QFont qfont = DataListQFont(font, kPrintDotsPerInch);
  PageSource source;
  source.pages_per_copy = plan.layout.pages;
  source.copies = workspace.print.Copies;
  source.draw = [&](QPainter& painter, int page) {
    DrawPage(painter, qfont, workspace, plan.layout, page + 1);
  };
  return RunPrintJob(printer, source, aborted).status;
}

}  // namespace kartela::output
