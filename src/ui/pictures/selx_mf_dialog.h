// TSelxMFDialog: which metafile form a name without .emf or .wmf is saved
// in: "ＥＭＦ" (result OK) or "ＷＭＦ" (result Yes).
#pragma once

#include <QDialog>

namespace kartela {

class TSelxMFDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TSelxMFDialog(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace kartela
