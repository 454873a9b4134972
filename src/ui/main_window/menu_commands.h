// The main window's menus and speed buttons, declared once. One table per
// menu lists its lines in order (items, separators, the submenu), each item
// with its object name, caption, shortcut, handler and the menu state that
// enables it; TMapMain makes, connects and enables the items from these
// tables alone. Code names an item by its MenuItem, never by a string, and
// every MenuItem is in the tables exactly once (checked at compile time), so
// no command can reach an item that does not exist. The speed buttons run
// the same handlers. MenuCommands owns the command objects the handlers call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "render/workspace.h"
#include "ui/main_window/speed_buttons.h"
#include "ui/widgets/app_context.h"

class QAction;
class QMdiArea;
class QStatusBar;

namespace kartela {

class BaseMapCommands;
class ClipboardCommands;
class CurrentPrinter;
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
class SettingsCommands;
class TDataWindow;
class TDrawWindow;
class TMapMain;
class TextCommands;

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
  bool tool_in_use = false;     // DecFree: a map or a picture, and a tool in use
};

// The number of areas 1..AreaCount whose value text reads as a number.
int CountNumericValues(const Workspace& workspace);

MenuStates ComputeMenuStates(const Workspace& workspace, bool clipboard_has_text);

// Every item of the menus, in menu order. The user tools and the window list
// of the help menu are made at run time and are not among them.
enum class MenuItem : std::uint8_t {
  // データ
  kNewDataBas,
  kNewDataSel,
  kReadDataFile,
  kReadTable,
  kCalcData,
  kSaveData,
  kSaveOver,
  kDefDataDir,
  kDefDataExt,
  kDefAreaLength,
  kCopyData,
  kPasteData,
  kFindArea,
  kPrintData,
  kQuit,
  // 画像
  kKTDSave,
  kKTDLoad,
  kWMetaSave,
  kEmfSave,
  kWMetaLoad,
  kSvgSave,
  kPdfSave,
  kPngSave,
  kWMetaCopy,
  kWMetaSepCopy,
  kBMapCopy,
  kLineColorChange,
  kPrintMap,
  kFullScreen,
  // 基本
  kAboutBaseMap,
  kSelectBase,
  kMakeBaseMap,
  kDefHint,
  kDefINIFile,
  // 条件
  kDefDrawSize,
  kFitWholeMap,
  kDefDrawPosition,
  kDefSepNumber,
  kDefPaintStyle,
  kDefTitle,
  kDefIndex,
  kDefLegendOptions,
  kDefDecor,
  kDefAreaName,
  kLineWidth,
  // 描画
  kMePaintMap,
  kMeCircleMap,
  kMeGlyphMap,
  kWhiteBaseMap,
  kWhiteDataMap,
  kWhiteSelMap,
  kRedrawMap,
  kClearMap,
  // 修飾
  kDecChar1,
  kDecChar2,
  kDecLine,
  kDecDot,
  kDecRect,
  kDecCircle,
  kDecSquare,
  kDecTri,
  kDecCross,
  kDecArrow,
  kDecNorth,
  kDecFree,
  // ﾍﾙﾌﾟ
  kMapHelp,
  kTechHelp,
  kAboutKartela,
};
inline constexpr std::size_t kMenuItemCount = static_cast<std::size_t>(MenuItem::kAboutKartela) + 1;

constexpr std::size_t IndexOf(MenuItem item) {
  return static_cast<std::size_t>(item);
}

struct MenuCommands;
// What a menu item or a speed button runs.
using CommandHandler = void (*)(MenuCommands&);

// One line of a menu.
struct MenuEntry {
  enum class Kind : std::uint8_t { kItem, kSeparator, kSubmenu };
  Kind kind = Kind::kItem;
  MenuItem item{};
  const char* name = nullptr;     // the object name of the item or the submenu
  const char* caption = nullptr;  // UTF-8, "&" before the access key
  const char* shortcut =
      nullptr;  // a key sequence such as "Ctrl+Z" (ShortcutOf adds the standard keys)
  CommandHandler handler = nullptr;
  bool MenuStates::*enabled_when = nullptr;  // none: always enabled
  bool checkable = false;
  std::span<const MenuEntry> submenu{};  // the lines of a submenu
};

// One menu of the menu bar.
struct MenuDefinition {
  const char* name;
  const char* caption;
  std::span<const MenuEntry> entries;
  bool checks_states;  // MenuCheck runs before it opens
  bool lists_windows;  // the frame's window menu: the child windows follow its items
};

// The menus with items, left to right.
std::span<const MenuDefinition> MainMenus();
// The table entry of `item`.
const MenuEntry& EntryOf(MenuItem item);
// The key sequence of `entry`: its own, else the standard key of the
// commands used most (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+P, F5, F11); nullptr for
// none.
const char* ShortcutOf(const MenuEntry& entry);
// What `button` runs: for most buttons the handler of a menu item.
CommandHandler SpeedButtonHandler(SpeedButton button);

// The menu items, made from the tables; none is null once the menus exist.
using MenuItemActions = std::array<QAction*, kMenuItemCount>;

// The command objects behind the menus and speed buttons, made once the
// menu items and both child windows exist. The handlers of the tables call
// them; the main window calls some of them itself.
struct MenuCommands {
  MenuCommands(AppContext& context, TMapMain& main, QMdiArea& children, TDataWindow& data_window,
               TDrawWindow& draw_window, const MenuItemActions& items, QStatusBar& status_bar);
  ~MenuCommands();
  MenuCommands(const MenuCommands&) = delete;
  MenuCommands& operator=(const MenuCommands&) = delete;

  // Runs a data command and activates the next child window when it
  // replaced the data.
  void RunReplacingCommand(bool (DataCommands::*command)());
  // Runs `handler` of a menu item or a speed button, recorded for undo with
  // the parts of the workspace its item changes.
  void Run(CommandHandler handler);

  AppContext& context;
  TMapMain& main;
  QMdiArea& children;
  TDataWindow& data_window;
  TDrawWindow& draw_window;
  std::unique_ptr<DataCommands> data;
  std::unique_ptr<MapCommands> map;
  std::unique_ptr<PictureGraphCommands> picture_graph;
  std::unique_ptr<DrawingCommands> drawing;
  std::unique_ptr<TextCommands> text;
  std::unique_ptr<BaseMapCommands> base_maps;
  std::unique_ptr<SettingsCommands> settings;
  std::unique_ptr<DataExchangeCommands> data_exchange;
  std::unique_ptr<DecorationCommands> decorations;
  std::unique_ptr<PictureCommands> pictures;
  std::unique_ptr<ClipboardCommands> clipboard;
  std::unique_ptr<DocumentCommands> documents;
  std::unique_ptr<CurrentPrinter> printer;  // before the commands that print on it
  std::unique_ptr<PrintCommands> print;
  std::unique_ptr<DataPrintCommands> data_print;
};

}  // namespace kartela
