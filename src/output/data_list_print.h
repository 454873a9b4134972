// Prints the data set as a list on a printer: the layout of
// data_list_layout.h, drawn page by page by the one page loop of print_job.h
// in the fixed-pitch form of the chosen face (the Japanese faces'), which
// measures the names and values as they are drawn.
#pragma once

#include <QFont>
#include <QPrinter>
#include <cstdint>
#include <functional>
#include <string>

#include "output/data_list_layout.h"
#include "output/print_job.h"
#include "render/workspace.h"

namespace kartela::output {

// The font the dialog chose for this print; it is not kept.
struct DataListFont {
  std::string face;        // Shift-JIS
  std::int32_t size = 10;  // points
};

// The font the list is drawn with at `dots_per_inch`.
QFont DataListQFont(const DataListFont& font, int dots_per_inch);

// What a print job asks of `printer` with the choices of `workspace.print`
// and `font`, the widest name and value measured in that font.
DataListRequest DataListRequestFor(QPrinter& printer, const Workspace& workspace,
                                   const DataListFont& font);

// Prints the committed data of `workspace` in `workspace.print.Copies` copies.
// `aborted` is asked before every page; once it answers true the job is
// aborted (kCancelled) and nothing is printed. A request the page
// cannot hold is refused (kRefused) before the job begins.
Status PrintDataList(QPrinter& printer, const Workspace& workspace, const DataListFont& font,
                     const std::function<bool()>& aborted);

}  // namespace kartela::output
