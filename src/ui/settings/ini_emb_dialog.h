// TIniEmbDialog: which changed settings are written back to the settings
// file when the program ends, one check box per saved value.
#pragma once

#include <QDialog>
#include <array>

#include "model/settings_rules.h"

class QCheckBox;

namespace kartela {

class TIniEmbDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TIniEmbDialog(QWidget* parent = nullptr);

  void Load(const SaveMaskChecks& checks);
  SaveMaskChecks Checks() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::array<QCheckBox*, kSaveMaskBoxBits.size()> check_boxes_{};
};

}  // namespace kartela
