// The help window: the program's own HTML help files, which lie beside the
// program, shown in a browser window next to the main window.
#pragma once

#include <QWidget>
#include <filesystem>

class QTextBrowser;

namespace kartela {

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows the help file at `path` from its beginning; a missing file shows
  // a short note naming it instead.
  void ShowHelpFile(const std::filesystem::path& path);
  // The file shown, empty when none is.
  QString Source() const;

 private:
  void PlaceBesideParent();

  QTextBrowser* browser_ = nullptr;
};

}  // namespace kartela
