#include "ui/widgets/place_dialog.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include "model/window_metrics.h"
#include "ui/widgets/app_context.h"

namespace kartela {

void PlaceDialog(const AppContext& context, QWidget& dialog, int columns, int rows) {
  const QWidget* main = context.main_window;
  if (main == nullptr) return;
  const QScreen* screen = main->screen();
  const DialogFrame frame{main->frameGeometry().left(), main->frameGeometry().top(),
                          screen != nullptr ? screen->availableGeometry().right() + 1 : 0,
                          context.metrics.CharW, context.metrics.FontH};
  dialog.adjustSize();
  const ScreenPoint at = PlaceDialog(frame, dialog.frameGeometry().width(), columns, rows);
  if (screen == nullptr) {
    dialog.move(at.x, at.y);
    return;
  }
  const QRect placed = FittedOn(QRect(QPoint(at.x, at.y), dialog.size()), *screen);
  if (placed.size() != dialog.size()) dialog.resize(placed.size());
  dialog.move(placed.topLeft());
}

QRect FittedOn(const QRect& rect, const QScreen& screen) {
  const QRect available = screen.availableGeometry();
  const WindowRect fitted =
      FitOnScreen({rect.left(), rect.top(), rect.width(), rect.height()},
                  {available.left(), available.top(), available.width(), available.height()});
  return {fitted.left, fitted.top, fitted.width, fitted.height};
}

}  // namespace kartela
