#include "ui/settings/dir_select_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/widgets/text_boxes.h"

namespace kartela {
namespace {

constexpr int kTreeWidth = 360;
constexpr int kTreeHeight = 260;

// The root directories of the mounted volumes, "/" always among them.
QStringList MountPoints() {
  QStringList roots{QDir::rootPath()};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // Single files mounted into place are no drives.
    if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
      roots << volume.rootPath();
  }
  roots.removeDuplicates();
  roots.sort();
  return roots;
}

// Whether `directory` is `parent` or lies somewhere below it.
bool IsSameOrBelow(const QString& directory, const QString& parent) {
  const QString prefix = parent.endsWith(QLatin1Char('/')) ? parent : parent + QLatin1Char('/');
  return directory == parent || directory.startsWith(prefix);
}

}  // namespace

QString MountPointOf(const QString& directory, const QStringList& mount_points) {
  QString best = QDir::rootPath();
  for (const QString& point : mount_points) {
    if (IsSameOrBelow(directory, point) && point.size() > best.size()) best = point;
  }
  return best;
}

TDirSelectDialog::TDirSelectDialog(QWidget* parent)
    : QDialog(parent),
      directory_name_(new QLineEdit(this)),
      directories_(new QFileSystemModel(this)),
      directory_list_box_(new QTreeView(this)),
      drive_combo_box_(new QComboBox(this)) {
  setObjectName("TDirSelectDialog");
  setWindowTitle("データディレクトリの設定");
  directory_name_->setObjectName("DirectoryName");

  directories_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  directories_->setRootPath(QDir::rootPath());
  directory_list_box_->setObjectName("DirectoryListBox");
  directory_list_box_->setModel(directories_);
  directory_list_box_->setHeaderHidden(true);
  for (int column = 1; column < directories_->columnCount(); ++column)
    directory_list_box_->hideColumn(column);
  directory_list_box_->setMinimumSize(kTreeWidth, kTreeHeight);
  connect(directory_list_box_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { TreeDirectoryChanged(current); });
  // The tree lists and sorts directories in the background: the chosen one
  // is brought back into view after each step until the user moves the tree.
  connect(directories_, &QFileSystemModel::directoryLoaded, this, [this] { RevealCurrent(); });
  connect(directories_, &QAbstractItemModel::layoutChanged, this, [this] { RevealCurrent(); });
  connect(directory_list_box_, &QTreeView::expanded, this, &TDirSelectDialog::BranchExpanded);
  connect(directory_list_box_, &QTreeView::collapsed, this, [this] { reveal_pending_ = false; });
  connect(directory_list_box_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this] { reveal_pending_ = false; });

  drive_combo_box_->setObjectName("DriveComboBox");
  FillDrives();
  connect(drive_combo_box_, &QComboBox::activated, this, &TDirSelectDialog::DriveChanged);

  auto* form = new QFormLayout;
  form->addRow("ディレクトリ名(&N)：", directory_name_);
  form->addRow("ディレクトリ(&D)：", directory_list_box_);
  form->addRow("ドライブ(&V)：", drive_combo_box_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(*this));
}

void TDirSelectDialog::SetDirectory(const QString& directory) {
  SelectInTree(directory);
  SelectDrive(directory);
  directory_name_->setText(directory);
}

QString TDirSelectDialog::DirectoryText() const {
  return directory_name_->text();
}

void TDirSelectDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FillDrives();  // a volume may have come or gone since the last time
  directory_name_->setFocus();
  directory_name_->selectAll();
}

void TDirSelectDialog::FillDrives() {
  const QString current = drive_combo_box_->currentText();
  drive_combo_box_->clear();
  drive_combo_box_->addItems(MountPoints());
  if (!current.isEmpty()) drive_combo_box_->setCurrentText(current);
}

void TDirSelectDialog::SelectInTree(const QString& directory) {
  const QModelIndex index = directories_->index(directory);
  if (!index.isValid()) return;
  directory_list_box_->setCurrentIndex(index);
  directory_list_box_->scrollTo(index);  // opens its parents
  reveal_pending_ = true;
}

void TDirSelectDialog::RevealCurrent() {
  const QModelIndex current = directory_list_box_->currentIndex();
  if (reveal_pending_ && current.isValid())
    directory_list_box_->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

// Opening a branch off the way to the chosen directory is the user's own move.
void TDirSelectDialog::BranchExpanded(const QModelIndex& branch) {
  const QModelIndex current = directory_list_box_->currentIndex();
  if (!IsSameOrBelow(directories_->filePath(current), directories_->filePath(branch)))
    reveal_pending_ = false;
}

void TDirSelectDialog::SelectDrive(const QString& directory) {
  QStringList drives;
  for (int i = 0; i < drive_combo_box_->count(); ++i)
    drives << drive_combo_box_->itemText(i);
  drive_combo_box_->setCurrentText(MountPointOf(directory, drives));
}

void TDirSelectDialog::TreeDirectoryChanged(const QModelIndex& current) {
  reveal_pending_ = false;  // a directory picked in the tree is in view already
  if (!current.isValid()) return;
  const QString directory = directories_->filePath(current);
  directory_name_->setText(directory);
  SelectDrive(directory);
}

void TDirSelectDialog::DriveChanged(int index) {
  SelectInTree(drive_combo_box_->itemText(index));
}

}  // namespace kartela
