// TPictureOpenDialog: the file-open dialog with a picture preview beside
// the list, for reading metafiles.
#pragma once

#include <QFileDialog>

class QLabel;

namespace kartela {

class TPictureOpenDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit TPictureOpenDialog(QWidget* parent = nullptr);

  // Whether the preview shows a picture.
  bool PreviewShown() const;

 private:
  void ShowPreview(const QString& path);

  QLabel* preview_;
};

}  // namespace kartela
