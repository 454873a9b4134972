// TDirSelectDialog: chooses the data directory by typing its name or by
// picking it in the directory tree; the drive list holds the mounted volumes.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QTreeView;

namespace kartela {

// The mount point among `mount_points` that holds `directory`: the longest
// one that is `directory` itself or one of its parents; "/" when none is.
QString MountPointOf(const QString& directory, const QStringList& mount_points);

class TDirSelectDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDirSelectDialog(QWidget* parent = nullptr);

  // Shows the existing `directory` in the name box, the tree and the drive list.
  void SetDirectory(const QString& directory);
  // The text of the name box.
  QString DirectoryText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillDrives();
  void SelectInTree(const QString& directory);
  void RevealCurrent();
  void BranchExpanded(const QModelIndex& branch);
  void SelectDrive(const QString& directory);
  void TreeDirectoryChanged(const QModelIndex& current);
  void DriveChanged(int index);

  QLineEdit* directory_name_;
  QFileSystemModel* directories_;
  QTreeView* directory_list_box_;
  QComboBox* drive_combo_box_;
  // Set when a directory is chosen by name, until the user scrolls, opens
  // another branch or closes one.
  bool reveal_pending_ = false;
};

}  // namespace kartela
