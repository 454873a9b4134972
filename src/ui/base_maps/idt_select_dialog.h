// TIdtSelectDialog: chooses a base map from the files of one directory,
// listed by the time of day of their time stamps, with the title line of the
// clicked one above the list.
#pragma once

#include <QDialog>
#include <QStringList>
#include <filesystem>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kartela {

class Reporter;

// The entries of `directory` matching `mask` (letter case ignored),
// directories included, ordered by the time of day (hh:mm:ss, local time) of
// their last write and then by name without letter case; the date plays no
// part.
QStringList ListByTimeOfDay(const std::filesystem::path& directory, const QString& mask);

class TIdtSelectDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TIdtSelectDialog(Reporter& reporter, QWidget* parent = nullptr);

  // Set by the caller before showing; the caller sets the caption too. The
  // entries of each directory follow those of the one before; a name an
  // earlier directory has already listed is not listed again.
  void SetDirectories(std::vector<std::filesystem::path> directories) {
    directories_ = std::move(directories);
  }
  void SetFileMask(const QString& mask) { mask_ = mask; }
  void SetSelectedName(const QString& name) { selected_name_ = name; }
  void ClearComment();
  // After closing: the text of the name box.
  const QString& SelectedName() const { return selected_name_; }
  // The file it names: in the first directory that holds it, else the first
  // directory.
  std::filesystem::path SelectedPath() const;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillList();
  void SelectEntry();

  Reporter& reporter_;
  std::filesystem::path PathOfName(const QString& name) const;

  std::vector<std::filesystem::path> directories_;
  QString mask_ = QStringLiteral("*.idt");
  QString selected_name_;
  QListWidget* file_list_;
  QLineEdit* idt_name_;
  QLabel* idt_comment_;
};

}  // namespace kartela
