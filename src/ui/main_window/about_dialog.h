// The about box: the program's name, version and licence.
#pragma once

#include <QDialog>

namespace kartela {

class TAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutDialog(QWidget* parent = nullptr);
};

}  // namespace kartela
