// Prints the data set as a list on a printer: the layout of
// data_list_layout.h, drawn page by page through the QPainter device context.
#pragma once

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

// What a print job asks of the printer `printer` with the choices `print`.
DataListRequest DataListRequestFor(const QPrinter& printer, const Workspace& workspace,
                                   const DataListFont& font);

// Prints the committed data of `workspace` in `workspace.print.Copies` copies.
// `aborted` is asked before every page; once it answers true the job is
// aborted (kCancelled) and nothing more is written. A request the page
// cannot hold is refused (kRefused) before the job begins.
Status PrintDataList(QPrinter& printer, const Workspace& workspace, const DataListFont& font,
                     const std::function<bool()>& aborted);

}  // namespace kartela::output
