// How every file dialog of the program looks: Qt's own dialog, so that it is
// Japanese whatever the desktop, in the detail view with sizes and dates in
// the Japanese form, and large enough to show name, size, type and date.
#pragma once

#include <QString>

#include "model/settings.h"

class QFileDialog;
class QWidget;

namespace kartela {

// Call before the dialog is shown; the dialog owns what this adds.
void PrepareFileDialog(QFileDialog& dialog);

// The folder a dialog of `kind` opens in: where the last one of that kind was
// left, while it still exists; `fallback` before that.
QString StartFolder(const Settings& settings, FolderKind kind, const QString& fallback);

// Keeps the folder of the file `chosen` as the last one of `kind`, for the
// next dialog and the next run (a folder Shift-JIS cannot hold is not kept).
void RememberFolder(Settings& settings, FolderKind kind, const QString& chosen);

// One existing file chosen in such a dialog; empty when the user cancels.
QString ChooseExistingFile(QWidget* parent, const QString& caption, const QString& start,
                           const QString& filter);

}  // namespace kartela
