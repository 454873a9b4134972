#include "ui/main_window/help_window.h"
#include "ui/widgets/qt_text.h"

#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace kartela {
namespace {

constexpr int kHelpWidth = 640;
constexpr int kHelpHeight = 600;

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("ヘルプ"));
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(kHelpWidth, kHelpHeight);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(browser_->documentTitle()); });
}

void THelpWindow::ShowHelpFile(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) {
    browser_->setSource(QUrl::fromLocalFile(PathText(path)));
  } else {
    browser_->setSource(QUrl());
    browser_->setHtml(QStringLiteral("<p>ヘルプファイル %1 が見つかりません。</p>")
                          .arg(PathText(path).toHtmlEscaped()));
    setWindowTitle(QStringLiteral("ヘルプ"));
  }
  if (!isVisible()) PlaceBesideParent();
  show();
  raise();
  activateWindow();
}

QString THelpWindow::Source() const {
  return browser_->source().toLocalFile();
}

// To the right of the main window when the screen has room there, else over
// its right part, so that the map stays in view while reading.
void THelpWindow::PlaceBesideParent() {
  const QWidget* main = parentWidget();
  if (main == nullptr || main->screen() == nullptr) return;
  const QRect screen = main->screen()->availableGeometry();
  const QRect frame = main->frameGeometry();
  const int left = std::min(frame.right() + 1, screen.right() + 1 - width());
  move(std::max(left, screen.left()), std::max(frame.top(), screen.top()));
}

}  // namespace kartela
