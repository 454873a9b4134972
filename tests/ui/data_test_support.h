// What the data window and data command tests share: a workspace on a
// scratch program directory that holds small base maps, and the context the
// window runs in.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "model/test_support.h"
#include "ui/widgets/app_context.h"

namespace kartela::test {

// The bytes of a base-map file with the title "テスト地図", the given areas
// (UTF-8 names) and an empty point section.
// The shipped base maps and samples in the source tree.
inline const std::filesystem::path kShippedBaseMaps =
    std::filesystem::path(KARTELA_SOURCE_DIR) / "basemaps";

// The child widget of `parent` named `name`, which the test expects.
template <typename Widget>
Widget& Child(QWidget& parent, const char* name) {
  auto* child = parent.findChild<Widget*>(name);
  EXPECT_NE(child, nullptr) << name;
  return *child;
}

inline std::string BaseMapBytes(const std::vector<std::string>& area_names) {
  std::string bytes = Sjis("テスト地図") + "\r\n";
  for (const auto& name : area_names)
    bytes += Sjis(name) + "=10,10\r\n";
  return bytes + "@STARTOFPOINTS\r\n" + std::string(4, '\0');
}

struct DataTestBed {
  DataTestBed() {
    workspace.settings.ItemLength = 26;
    workspace.settings.DataExt = ".DAT";
  }

  // Writes a base map into the program directory and makes its areas the
  // rows of the data.
  void UseBaseMap(const std::string& file_name, const std::vector<std::string>& area_names) {
    program_dir.Write(file_name, BaseMapBytes(area_names));
    workspace.area_list.AreaNames.clear();
    for (const auto& name : area_names)
      workspace.area_list.AreaNames.push_back(Sjis(name));
    workspace.area_list.CurrentBaseMapFile = file_name;
  }

  ScratchDir program_dir;
  Workspace workspace;
  RecordingReporter reporter;
  AppContext context{workspace, ProgramPaths{program_dir.path(), "kartela"}, reporter,
                     TextMetrics{13, 7, 19}};
};

// Shows `window` and makes it the active window, so that focus works.
inline void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::processEvents();
}

// Answers the next file dialog as a user does: types `typed` into the box
// that has its focus (the name box), then presses Enter. A dialog still open
// a while later is cancelled, so that a test fails instead of waiting.
inline void TypeIntoNextFileDialog(const QString& typed) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, typed] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible() || dialog->focusWidget() == nullptr) return;
    poll->stop();
    poll->deleteLater();
    QWidget* box = dialog->focusWidget();
    for (const QChar character : typed) {
      QKeyEvent key(QEvent::KeyPress, character.toUpper().unicode(), Qt::NoModifier,
                    QString(character));
      QApplication::sendEvent(box, &key);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QTimer::singleShot(3000, dialog, [dialog] { dialog->reject(); });
  });
  poll->start();
}

}  // namespace kartela::test
