// TMakeBaseMapDialog: a base map from the user's own boundary file. The
// user chooses the file, its layer and the fields that name, group and order
// the areas; each field shows a few of its values, decoded as the import
// will decode them, so that garbled names show before anything is made.
#pragma once

#include <QDialog>
#include <filesystem>

#include "geodata/basemap/importer.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace kartela {

class TMakeBaseMapDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TMakeBaseMapDialog(QWidget* parent = nullptr);

  // Reads the layers and fields of `path` into the lists.
  void SetSource(const std::filesystem::path& path);
  // The import the choices describe.
  basemap::ImportOptions Options() const;

 private:
  void ChooseFile();
  void ShowLayer(const QString& layer);
  void UpdateOk();

  QLineEdit* file_;
  QComboBox* layer_;
  QComboBox* name_field_;
  QComboBox* group_field_;
  QComboBox* order_field_;
  QLineEdit* title_;
  QLabel* status_;
  QDialogButtonBox* buttons_;
};

}  // namespace kartela
