// kartela: the desktop program.
//
//   kartela [FILE] [/Z | /Z2 | /Z-]
//
// With KARTELA_MEASURE_STARTUP set in the environment it prints, on standard
// error, the time from the start of main to the first paint of both child
// windows.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_dir.h"
#include "model/messages.h"
#include "model/window_metrics.h"
#include "render/workspace.h"
#include "ui/data/data_window.h"
#include "ui/main_window/map_main.h"
#include "ui/main_window/qt_reporter.h"
#include "ui/map/draw_window.h"
#include "ui/widgets/app_context.h"
#include "ui/widgets/wait_cursor.h"

namespace {

using Clock = std::chrono::steady_clock;

// Said at start when the program directory (or, installed, the documents
// folder) cannot be the default data directory, which the settings keep in
// Shift-JIS.
constexpr std::string_view kNoShiftJisProgramDir =
    "プログラムのフォルダ名に Shift-JIS で表せない文字があるため、"
    "データの既定フォルダは空になっています：\n";

// The standard buttons and dialogs of Qt in Japanese, when the translations
// are installed, with Japanese dates, sizes and file types whatever the
// locale the program was started in.
void InstallJapaneseTranslations(QApplication& application) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

// Reports once both child windows have painted with the layout done.
class StartupClock : public QObject {
 public:
  StartupClock(Clock::time_point start, const kartela::AppContext& context,
               kartela::TMapMain& main_window)
      : start_(start), context_(context) {
    data_view_ = &main_window.DataWindow();
    map_view_ = main_window.DrawWindow().viewport();
    data_view_->installEventFilter(this);
    map_view_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !context_.layout_pending) {
      data_painted_ = data_painted_ || watched == data_view_;
      map_painted_ = map_painted_ || watched == map_view_;
      if (data_painted_ && map_painted_ && !reported_) {
        reported_ = true;
        // Runs after the paint that is about to happen.
        QTimer::singleShot(0, this, [this] { Report(); });
      }
    }
    return false;
  }

 private:
  void Report() const {
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start_);
    std::fprintf(stderr, "startup: %.1f ms to the first paint of both windows\n", elapsed.count());
  }

  Clock::time_point start_;
  const kartela::AppContext& context_;
  QObject* data_view_ = nullptr;
  QObject* map_view_ = nullptr;
  bool data_painted_ = false;
  bool map_painted_ = false;
  bool reported_ = false;
};

// The user's directories: the XDG ones, and the documents folder the
// desktop names (xdg-user-dirs), else the home directory.
kartela::UserDirectories UserDirectoriesOfThisSession() {
  kartela::UserDirectories user = kartela::UserDirectoriesFromEnvironment();
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty() || !QFileInfo(documents).isDir()) documents = QDir::homePath();
  user.documents = std::filesystem::path(documents.toStdString());
  return user;
}

kartela::ProgramPaths PathsOfThisProgram(const char* argv0) {
  const std::filesystem::path directory = kartela::ExecutableDirectory(argv0);
  const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  return kartela::ProgramPathsOf(directory / name.toStdString(), UserDirectoriesOfThisSession());
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kartela"));
  InstallJapaneseTranslations(application);
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  auto workspace = std::make_unique<kartela::Workspace>();
  kartela::QtReporter reporter;
  kartela::AppContext context{*workspace, PathsOfThisProgram(argv[0]), reporter,
                              kartela::TextMetrics{}};
  std::unique_ptr<kartela::TMapMain> main_window;
  std::unique_ptr<StartupClock> clock;
  {
    const kartela::WaitCursor wait;  // while the windows are made
    main_window = std::make_unique<kartela::TMapMain>(context, arguments);
    reporter.SetOwner(main_window.get());
    if (qEnvironmentVariableIsSet("KARTELA_MEASURE_STARTUP")) {
      clock = std::make_unique<StartupClock>(start, context, *main_window);
    }
    if (kartela::StartsMaximized(workspace->settings)) {
      main_window->showMaximized();
    } else {
      main_window->show();
    }
  }
  if (!context.paths.HasShiftJisForm()) {
    reporter.Show(
        {0, std::string(kNoShiftJisProgramDir) + kartela::DisplayPath(context.paths.DataDir()),
         "警告", kartela::MessageIcon::kWarning});
  }
  // Reading shows its own hourglass; its messages get the arrow.
  if (!main_window->OpenOnStart().empty()) {
    main_window->OpenByExtension(main_window->OpenOnStart());
  }
  const int result = QApplication::exec();
  clock.reset();
  main_window.reset();
  return result;
}
