#include "model/window_metrics.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace kartela {
namespace {

constexpr const char* kMaximizedState = "MAX";

}  // namespace

// The metrics take the magnitude of the height, so that a positive (cell)
// height gives the same positive units as the usual negative one.
int FontH(int font_height) {
  return std::abs(font_height);
}

int CharW(int font_height) {
  return (1 + FontH(font_height)) / 2;
}

int RowH(int font_height) {
  return FontH(font_height) * 15 / 10;
}

TextMetrics TextMetricsOf(int font_height) {
  return TextMetrics{FontH(font_height), CharW(font_height), RowH(font_height)};
}

ScreenPoint PlaceDialog(const DialogFrame& frame, int dialog_width, int columns, int rows) {
  const int left = frame.main_left + columns * frame.char_w;
  return {std::min(left, frame.screen_width - dialog_width), frame.main_top + rows * frame.font_h};
}

WindowRect FitOnScreen(const WindowRect& window, const WindowRect& screen) {
  WindowRect fitted = window;
  fitted.width = std::clamp(window.width, 1, std::max(screen.width, 1));
  fitted.height = std::clamp(window.height, 1, std::max(screen.height, 1));
  fitted.left = std::clamp(window.left, screen.left, screen.left + screen.width - fitted.width);
  fitted.top = std::clamp(window.top, screen.top, screen.top + screen.height - fitted.height);
  return fitted;
}

bool StartsMaximized(const Settings& settings) {
  return settings.WindowState.substr(0, kMaxWindowStateBytes) == kMaximizedState;
}

void RecordWindowPlacement(const WindowRect& normal_rect, bool maximized, Settings& settings) {
  const bool moved =
      normal_rect.left != settings.WindowLeft || normal_rect.top != settings.WindowTop ||
      normal_rect.width != settings.WindowWidth || normal_rect.height != settings.WindowHeight;
  if (moved) {
    settings.WindowLeft = normal_rect.left;
    settings.WindowTop = normal_rect.top;
    settings.WindowWidth = normal_rect.width;
    settings.WindowHeight = normal_rect.height;
  }
  const std::string state = maximized ? kMaximizedState : "";
  if (moved || settings.WindowState != state) settings.ChangedMask |= kChangedWindow;
  settings.WindowState = state;
}

}  // namespace kartela
