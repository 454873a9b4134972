// How every file dialog of the program looks: Qt's own dialog, so that it is
// Japanese whatever the desktop, in the detail view with sizes and dates in
// the Japanese form, and large enough to show name, size, type and date.
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace kartela {

// Call before the dialog is shown; the dialog owns what this adds.
void PrepareFileDialog(QFileDialog& dialog);

// One existing file chosen in such a dialog; empty when the user cancels.
QString ChooseExistingFile(QWidget* parent, const QString& caption, const QString& start,
                           const QString& filter);

}  // namespace kartela
