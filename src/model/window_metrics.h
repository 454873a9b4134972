// Text metrics of the main window's font, dialog placement, and the window
// placement recorded at shutdown.
#pragma once

#include <cstdint>

#include "model/settings.h"

namespace kartela {

// Metrics of a font of height `font_height` (negative: character height in
// pixels). For the main window's -13: FontH 13, CharW 7, RowH 19.
int FontH(int font_height);
int CharW(int font_height);
int RowH(int font_height);

// The three metrics together, the units of dialog placement, of the window
// layout and of the data grid.
struct TextMetrics {
  int FontH = 13;
  int CharW = 7;
  int RowH = 19;
};
TextMetrics TextMetricsOf(int font_height);

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// What every dialog is placed against.
struct DialogFrame {
  int main_left = 0;  // the main window's left edge on the screen
  int main_top = 0;   // the main window's top edge on the screen
  int screen_width = 0;
  int char_w = 0;  // CharW of the main window's font
  int font_h = 0;  // FontH of the main window's font
};

// The top-left corner of a dialog `dialog_width` wide: `columns` characters
// right of the main window's left edge, but never reaching past the screen's
// right edge, and `rows` text heights below its top edge.
ScreenPoint PlaceDialog(const DialogFrame& frame, int dialog_width, int columns, int rows);

// The main window's normal (not maximised) rectangle.
struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// `window` moved, and shrunk where it is larger, so that it lies wholly in
// `screen` (a screen's available area): a placement stored on a larger
// screen or at a smaller scale factor would run past the edges.
WindowRect FitOnScreen(const WindowRect& window, const WindowRect& screen);

// Whether the program entry maximises the main window: the stored state is "MAX".
bool StartsMaximized(const Settings& settings);

// Stores the final placement of the main window in `settings`, setting the
// window bit of ChangedMask when the rectangle or the maximised state differs
// from the stored one.
void RecordWindowPlacement(const WindowRect& normal_rect, bool maximized, Settings& settings);

}  // namespace kartela
