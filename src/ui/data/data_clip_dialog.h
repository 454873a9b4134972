// TDataClipDialog: what the data copy puts on the clipboard besides the
// values, the title and the area names.
#pragma once

#include <QDialog>

#include "model/data_clipboard.h"

class QCheckBox;

namespace kartela {

class TDataClipDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDataClipDialog(QWidget* parent = nullptr);

  // The check boxes as the dialog ended.
  DataClipOptions Options() const;

 protected:
  // Every showing starts with the title on and the names off.
  void showEvent(QShowEvent* event) override;

 private:
  QCheckBox* title_on_;
  QCheckBox* area_on_;
};

}  // namespace kartela
