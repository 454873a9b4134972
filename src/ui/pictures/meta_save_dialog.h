// TMetaSaveDialog: save the whole map ("全　部", result All) or the picture
// without its texts ("画像のみ", result Yes).
#pragma once

#include <QDialog>

namespace kartela {

class TMetaSaveDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TMetaSaveDialog(QWidget* parent = nullptr);
};

}  // namespace kartela
