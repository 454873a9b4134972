// Places a dialog relative to the main window before it is shown.
#pragma once

class QRect;
class QScreen;
class QWidget;

namespace kartela {

struct AppContext;

// Left = main window left + `columns` character widths, but not past the
// screen's right edge; top = main window top + `rows` text heights. A
// dialog that would still leave the screen (a main window near the bottom,
// a dialog taller than the screen) is moved and shrunk onto it.
void PlaceDialog(const AppContext& context, QWidget& dialog, int columns, int rows);

// `rect` moved, and shrunk where larger, onto the available area of `screen`.
QRect FittedOn(const QRect& rect, const QScreen& screen);

}  // namespace kartela
