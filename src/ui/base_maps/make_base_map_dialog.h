// TMakeBaseMapDialog: a base map from the user's own boundary file. The
// user chooses the file (browsed, typed, pasted or dropped), its layer, the
// fields that name, group and order the areas and, optionally, the field
// whose values make a data file on the new map; each field shows a few of
// its values, decoded as the import will decode them, so that garbled names
// show before anything is made. A source without a coordinate system is
// given one, or taken as plane coordinates.
#pragma once

#include <QDialog>
#include <filesystem>

#include "geodata/basemap/importer.h"

class QCheckBox;
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
  // Shows why the import the choices describe was refused.
  void ShowRefusal(const QString& reason);

 protected:
  // A file dropped on the file box becomes the source.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ChooseFile();
  void TakeTypedFile();
  void ShowLayer(const QString& layer);
  void UpdateOk();

  QLineEdit* file_;
  QComboBox* layer_;
  QComboBox* name_field_;
  QComboBox* group_field_;
  QComboBox* order_field_;
  QComboBox* value_field_;
  QLineEdit* source_system_;
  QCheckBox* planar_;
  QLineEdit* title_;
  QLabel* status_;
  QDialogButtonBox* buttons_;
  QString shown_file_;  // the file whose layers and fields the lists hold
};

}  // namespace kartela
