// TMapMain: the frame window. It runs start-up, carries the menus, the
// speed buttons and the user tools, keeps the data window (left) and the map
// window (right) tiled side by side, decides before a menu opens which
// commands are available, and asks about unsaved data when the user quits.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/user_tools.h"
#include "render/workspace.h"
#include "ui/main_window/speed_buttons.h"
#include "ui/widgets/app_context.h"

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kartela {

class BaseMapCommands;
class ClipboardCommands;
class DataCommands;
class DataExchangeCommands;
class DataPrintCommands;
class DecorationCommands;
class DocumentCommands;
class DrawingCommands;
class MapCommands;
class PictureCommands;
class PictureGraphCommands;
class PrintCommands;
class CurrentPrinter;
class SettingsCommands;
class TextCommands;
class TAboutDialog;
class TDataWindow;
class TDrawWindow;
class THelpWindow;

// Which menu items the state of the model allows (MenuCheck).
struct MenuStates {
  bool copy_data = false;       // CopyData: a title or some data
  bool paste_data = false;      // PasteData: the clipboard holds text
  bool map_drawn = false;       // KTDSave, WMetaSepCopy
  bool map_or_picture = false;  // the output items, RedrawMap and the drawing tools
  bool paint_map = false;       // MePaintMap: two values or more
  bool symbol_maps = false;     // MeCircleMap, MeGlyphMap: one value or more
  bool white_base_map = false;  // WhiteBaseMap: a default base map is set
  bool white_data_map = false;  // WhiteDataMap: the data have areas
};

// The number of areas 1..AreaCount whose value text reads as a number.
int CountNumericValues(const Workspace& workspace);

MenuStates ComputeMenuStates(const Workspace& workspace, bool clipboard_has_text);

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

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Init(const std::vector<std::string>& arguments);
  void CaptureScreenColors();
  void BuildMenus();
  void BuildDataMenu();
  void BuildPictureMenu();
  void BuildBaseMenu();
  void BuildConditionMenu();
  void BuildDrawMenu();
  void BuildDecorationMenu();
  void BuildHelpMenu();
  void BuildUserTools();
  void BuildSpeedButtons();
  void BuildRowNumberLabel();
  void CreateChildren();
  void ConnectCommands();
  void ConnectSpeedButtons();
  void ConnectSettingCommands();
  void ConnectDecorationCommands();
  void ConnectPictureCommands();
  void ApplyEmfMode();
  void ApplyWindowBounds();
  void ApplyFirstStartBounds();
  void NoteNormalPlacement();
  void ApplyHints();
  void UpdateWindowList();

  QAction* AddItem(QMenu& menu, const char* name, const char* caption);
  QAction* Item(const char* name) const;
  void SetItemEnabled(const char* name, bool enabled);
  template <typename Command>
  void ConnectItem(const char* name, Command command);
  // Runs a data command and activates the next child window when it
  // replaced the data.
  void RunReplacingCommand(bool (DataCommands::*command)());

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
  std::filesystem::path open_on_start_;
  std::vector<UserTool> user_tools_;
  SpeedButtonBar speed_buttons_;
  QMenu* help_menu_ = nullptr;
  QAction* about_item_ = nullptr;
  std::vector<QAction*> window_list_;
  QActionGroup* window_group_ = nullptr;
  QLabel* row_number_ = nullptr;

  QMdiArea* mdi_area_ = nullptr;
  TDataWindow* data_window_ = nullptr;
  TDrawWindow* draw_window_ = nullptr;
  QMdiSubWindow* data_sub_window_ = nullptr;
  QMdiSubWindow* draw_sub_window_ = nullptr;
  std::unique_ptr<DataCommands> data_commands_;
  std::unique_ptr<MapCommands> map_commands_;
  std::unique_ptr<PictureGraphCommands> picture_graph_commands_;
  std::unique_ptr<DrawingCommands> drawing_commands_;
  std::unique_ptr<TextCommands> text_commands_;
  std::unique_ptr<BaseMapCommands> base_map_commands_;
  std::unique_ptr<SettingsCommands> settings_commands_;
  std::unique_ptr<DataExchangeCommands> data_exchange_commands_;
  std::unique_ptr<DecorationCommands> decoration_commands_;
  std::unique_ptr<PictureCommands> picture_commands_;
  std::unique_ptr<ClipboardCommands> clipboard_commands_;
  std::unique_ptr<DocumentCommands> document_commands_;
  std::unique_ptr<CurrentPrinter> current_printer_;  // before the commands that print on it
  std::unique_ptr<PrintCommands> print_commands_;
  std::unique_ptr<DataPrintCommands> data_print_commands_;
  QPointer<THelpWindow> help_window_;
  QPointer<TAboutDialog> about_dialog_;

  QRect normal_rect_;  // the frame position and inside size of the normal window
  QTimer timer1_;      // the resize timer
  bool closing_ = false;
};

}  // namespace kartela
