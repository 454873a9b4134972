// TMyOpenDialog: the file-open dialog with a comment panel that shows one
// line of the selected file (the title line of a data file).
#pragma once

#include <QFileDialog>
#include <algorithm>
#include <filesystem>
#include <string>

class QLabel;

namespace kartela {

// One line of a text file, as the previews show it.
struct TextLine {
  bool ok = false;    // the file could be read
  std::string text;   // Shift-JIS, without its ending; empty when the file is shorter
  std::string error;  // why the file could not be read (UTF-8)
};

// Line `line_number` (1 or more) of the file at `path`. Only the start of
// the file is read, so a large or binary file costs no more than a text.
// The line is Shift-JIS, also from a file typed as UTF-8 (DecodeFileText).
TextLine ReadTextLine(const std::filesystem::path& path, int line_number);

class TMyOpenDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit TMyOpenDialog(QWidget* parent = nullptr);

  // The line of the selected file that the comment shows (1 or more).
  void SetPreviewLine(int line) { preview_line_ = std::max(line, 1); }
  int PreviewLine() const { return preview_line_; }
  QString Comment() const;

  void done(int result) override;

 private:
  void ShowComment(const QString& path);

  int preview_line_ = 1;
  QLabel* comment_label_;
};

}  // namespace kartela
