#include "ui/widgets/place_dialog.h"

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
  dialog.move(at.x, at.y);
}

}  // namespace kartela
