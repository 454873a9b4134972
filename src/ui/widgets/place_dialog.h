// Places a dialog relative to the main window before it is shown.
#pragma once

class QWidget;

namespace kartela {

struct AppContext;

// Left = main window left + `columns` character widths, but not past the
// screen's right edge; top = main window top + `rows` text heights.
void PlaceDialog(const AppContext& context, QWidget& dialog, int columns, int rows);

}  // namespace kartela
