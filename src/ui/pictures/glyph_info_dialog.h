// TGlyphInfoDialog: the settings of the picture graph ("絵グラフの設定"): the
// largest and smallest values for reference, the reference picture's height,
// the reference and base values, and the picture chosen among the metafiles
// of the program directory, with a preview. OK refuses, naming the box, a
// height that is no whole number, a base value that is no number, and a
// reference value the graph cannot be drawn with.
#pragma once

#include <QString>
#include <filesystem>

#include "render/picture_graph.h"
#include "ui/widgets/checked_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace kartela {

class TGlyphInfoDialog : public CheckedDialog {
  Q_OBJECT

 public:
  TGlyphInfoDialog(Reporter& reporter, std::filesystem::path program_dir,
                   QWidget* parent = nullptr);

  // The texts (Shift-JIS) shown and edited.
  void SetFields(const PictureFields& fields);
  // The edited texts; a box Shift-JIS cannot hold is empty (OK refuses it).
  PictureFields Fields() const;

  // The chosen picture: a full path, or empty for none.
  void SetSelectedPicture(const QString& path) { selected_ = path; }
  const QString& SelectedPicture() const { return selected_; }

  // Shows the file list (the "絵" button, or a click on the preview).
  void ShowFileList();
  bool FileListShown() const;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Lists the program directory's metafiles, hides the list and previews
  // the selected picture.
  void Init();
  void FileListBoxClick(QListWidgetItem* item);
  // Draws the picture into the preview; hides the preview when it cannot.
  bool Preview(const QString& path);
  // Whether the reference and base values as typed can draw the graph.
  bool ReferenceValueTaken() const;

  std::filesystem::path program_dir_;
  QString selected_;
  QLabel* max_;
  QLabel* min_;
  QLabel* file_name_;
  QLineEdit* rad_;
  QLineEdit* dat_;
  QLineEdit* bas_;
  QLabel* image_;
  QListWidget* file_list_;
};

}  // namespace kartela
