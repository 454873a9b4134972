// Buttons that end a dialog with a result of their own, for the dialogs
// that offer more than OK and Cancel.
#pragma once

#include <QPushButton>
#include <QString>

class QDialog;
class QLayout;

namespace kartela {

// Results beside QDialog::Accepted (OK) and QDialog::Rejected (Cancel).
inline constexpr int kResultYes = 6;  // the modal result Yes
inline constexpr int kResultAll = 8;  // the modal result All

// A button named `name` in `layout` that ends `dialog` with `result`.
QPushButton* AddResultButton(QDialog& dialog, QLayout& layout, const char* name,
                             const QString& caption, int result);

}  // namespace kartela
