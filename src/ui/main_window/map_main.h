// TMapMain: the frame window. It runs start-up, makes the menus and the
// speed buttons from their tables (menu_commands.h) and adds the user tools,
// keeps the data window (left) and the map window (right) tiled side by side,
// decides before a menu opens which commands are available, and asks about
// unsaved data when the user quits.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/user_tools.h"
#include "render/workspace.h"
#include "render/workspace_state.h"
#include "ui/main_window/menu_commands.h"
#include "ui/main_window/speed_buttons.h"
#include "ui/widgets/app_context.h"

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kartela {

class TAboutDialog;
class TDataWindow;
class TDrawWindow;
class THelpWindow;
class UndoHistory;

class TMapMain : public QMainWindow {
  Q_OBJECT

 public:
  // Runs start-up with the command line `arguments` (without the program
  // name) and creates the two child windows.
  TMapMain(AppContext& context, const std::vector<std::string>& arguments,
           QWidget* parent = nullptr);
  ~TMapMain() override;

  // The file named on the command line, empty when there is none.
  const std::filesystem::path& OpenOnStart() const { return open_on_start_; }
  // Opens the file named on the command line by the text of its name.
  void OpenByExtension(const std::filesystem::path& path);

  // Takes over the data window's edits and enables the menu items.
  void MenuCheck();

  // Closes the main window, which first asks about unsaved data.
  void QuitClick();
  void DefHintClick();
  void MapHelpClick();
  void TechHelpClick();
  void AboutKartelaClick();
  // Runs the command line of user tool `index`.
  void NewMenuClick(std::size_t index);
  const std::vector<UserTool>& UserTools() const { return user_tools_; }

  // Whether the program may close: asks about unsaved data.
  bool CanQuit();

  TDataWindow& DataWindow() { return *data_window_; }
  TDrawWindow& DrawWindow() { return *draw_window_; }
  MenuCommands& Commands() { return *commands_; }
  UndoHistory& History() { return *history_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Init(const std::vector<std::string>& arguments);
  void CaptureScreenColors();
  void BuildMenus();
  // Adds the items, separators and submenus of `lines` to `menu`.
  void BuildMenuLines(QMenu& menu, std::span<const MenuEntry> lines);
  void BuildEditMenu();
  // Shows the parts of the workspace an undo or a redo changed.
  void ShowRestored(WorkspaceParts parts);
  void BuildUserTools();
  void BuildSpeedButtons();
  void BuildRowNumberLabel();
  void CreateChildren();
  void ConnectCommands();
  void ApplyEmfMode();
  void ApplyWindowBounds();
  void ApplyFirstStartBounds();
  void NoteNormalPlacement();
  void ApplyHints();
  void UpdateWindowList();
  void RefreshBeforeShortcut(const QEvent& event);
  void ReactivateAfterDialog(QObject* closed);

  QAction* Item(MenuItem item) const { return items_[IndexOf(item)]; }
  // Runs `handler` when `action` is triggered.
  void Connect(QAction* action, CommandHandler handler);

  bool ReadDefaultAreaList();
  // OpenByExtension but for loading the edit boxes.
  void ApplyExtensionRules(const std::filesystem::path& path);
  // Makes the base map named on the command line the current area list;
  // false, after message 3 with the reason, when it cannot be read.
  bool OpenBaseMapNamedAtStart(const std::filesystem::path& path);
  void ShowHelpFile(const std::string& suffix);

  void WindowSize();
  void DoneResize();
  void QuitProg();

  AppContext& context_;
  Workspace& workspace_;
  std::unique_ptr<UndoHistory> history_;  // before the windows that record in it
  std::filesystem::path open_on_start_;
  std::vector<UserTool> user_tools_;
  SpeedButtonBar speed_buttons_;
  MenuItemActions items_{};
  QMenu* help_menu_ = nullptr;
  std::vector<QAction*> window_list_;
  QActionGroup* window_group_ = nullptr;
  QLabel* row_number_ = nullptr;

  QMdiArea* mdi_area_ = nullptr;
  TDataWindow* data_window_ = nullptr;
  TDrawWindow* draw_window_ = nullptr;
  QMdiSubWindow* data_sub_window_ = nullptr;
  QMdiSubWindow* draw_sub_window_ = nullptr;
  std::unique_ptr<MenuCommands> commands_;
  QPointer<THelpWindow> help_window_;
  QPointer<TAboutDialog> about_dialog_;

  QRect normal_rect_;  // the frame position and inside size of the normal window
  QTimer timer1_;      // the resize timer
  bool closing_ = false;
};

}  // namespace kartela
