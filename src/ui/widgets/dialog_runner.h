// How the commands show their modal dialogs: normally with exec(); tests put
// a runner in its place that answers without blocking.
#pragma once

#include <QDialog>
#include <functional>

namespace kartela {

using DialogRunner = std::function<int(QDialog& dialog)>;

inline int ExecModal(QDialog& dialog) {
  return dialog.exec();
}

}  // namespace kartela
