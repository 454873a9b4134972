// TMetaHelpDialog: why a metafile may be saved or copied without its texts.
#pragma once

#include <QDialog>

namespace kartela {

class TMetaHelpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TMetaHelpDialog(QWidget* parent = nullptr);
};

}  // namespace kartela
