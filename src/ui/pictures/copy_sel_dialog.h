// TCopySelDialog: copy the map's picture without its texts ("画像", result
// OK, the initial choice) or its title and legend as text ("文字", result
// Yes).
#pragma once

#include <QDialog>

namespace kartela {

class TCopySelDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TCopySelDialog(QWidget* parent = nullptr);
};

}  // namespace kartela
