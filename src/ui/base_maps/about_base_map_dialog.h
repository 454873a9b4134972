// TAboutBaseMapDialog: what the base map is, and which file it is now.
#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace kartela {

class TAboutBaseMapDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBaseMapDialog(QWidget* parent = nullptr);

  // Shows the base map's file name `base_map_file` (Shift-JIS).
  void SetBaseName(const std::string& base_map_file);

 private:
  QLabel* base_name_;
};

}  // namespace kartela
