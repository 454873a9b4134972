#include "ui/main_window/menu_commands.h"

#include <QMdiArea>
#include <QStatusBar>
#include <algorithm>
#include <string_view>

#include "model/value_syntax.h"
#include "ui/base_maps/base_map_commands.h"
#include "ui/data/data_commands.h"
#include "ui/data/data_exchange_commands.h"
#include "ui/data/data_window.h"
#include "ui/drawing/drawing_commands.h"
#include "ui/drawing/text_commands.h"
#include "ui/main_window/map_main.h"
#include "ui/map/decoration_commands.h"
#include "ui/map/draw_window.h"
#include "ui/map/full_screen_view.h"
#include "ui/map/map_commands.h"
#include "ui/pictures/clipboard_commands.h"
#include "ui/pictures/document_commands.h"
#include "ui/pictures/picture_commands.h"
#include "ui/pictures/picture_graph_commands.h"
#include "ui/printing/current_printer.h"
#include "ui/printing/data_print_commands.h"
#include "ui/printing/print_commands.h"
#include "ui/settings/settings_commands.h"
#include "ui/widgets/undo_history.h"

namespace kartela {

int CountNumericValues(const Workspace& workspace) {
  const int area_count =
      std::min<int>(workspace.area_list.AreaCount(), workspace.data.DataValues.size());
  int count = 0;
  for (int i = 0; i < area_count; ++i) {
    if (ConvertValueText(workspace.data.DataValues[i]) != kMissingValue) ++count;
  }
  return count;
}

MenuStates ComputeMenuStates(const Workspace& workspace, bool clipboard_has_text) {
  const int numeric = CountNumericValues(workspace);
  MenuStates states;
  states.map_drawn = workspace.view.Kind != MapKind::kNone;
  states.map_or_picture = states.map_drawn || workspace.view.Background != BackgroundMode::kNone;
  states.copy_data = !workspace.data.DataTitle.empty() || numeric >= 1;
  states.paste_data = clipboard_has_text;
  states.paint_map = numeric >= 2;
  states.symbol_maps = numeric >= 1;
  states.white_base_map = !workspace.settings.BaseMapFile.empty();
  states.white_data_map = workspace.area_list.AreaCount() != 0;
  states.tool_in_use =
      states.map_or_picture && workspace.decoration_tools.Mode != DecorationMode::kNone;
  return states;
}

namespace {

// Short names keep each table line readable.
using M = MenuItem;
using C = MenuCommands;

constexpr MenuEntry Item(MenuItem item, const char* name, const char* caption,
                         CommandHandler handler, bool MenuStates::*enabled_when = nullptr) {
  MenuEntry entry;
  entry.item = item;
  entry.name = name;
  entry.caption = caption;
  entry.handler = handler;
  entry.enabled_when = enabled_when;
  return entry;
}

constexpr MenuEntry CheckItem(MenuItem item, const char* name, const char* caption,
                              CommandHandler handler) {
  MenuEntry entry = Item(item, name, caption, handler);
  entry.checkable = true;
  return entry;
}

constexpr MenuEntry Separator() {
  MenuEntry entry;
  entry.kind = MenuEntry::Kind::kSeparator;
  return entry;
}

constexpr MenuEntry Submenu(const char* name, const char* caption,
                            std::span<const MenuEntry> lines) {
  MenuEntry entry;
  entry.kind = MenuEntry::Kind::kSubmenu;
  entry.name = name;
  entry.caption = caption;
  entry.submenu = lines;
  return entry;
}

// The enabling rules of MenuCheck; the other items are always enabled.
constexpr bool MenuStates::*kCopyData = &MenuStates::copy_data;
constexpr bool MenuStates::*kPasteData = &MenuStates::paste_data;
constexpr bool MenuStates::*kMapDrawn = &MenuStates::map_drawn;
constexpr bool MenuStates::*kMapOrPicture = &MenuStates::map_or_picture;
constexpr bool MenuStates::*kPaintMap = &MenuStates::paint_map;
constexpr bool MenuStates::*kSymbolMaps = &MenuStates::symbol_maps;
constexpr bool MenuStates::*kWhiteBaseMap = &MenuStates::white_base_map;
constexpr bool MenuStates::*kWhiteDataMap = &MenuStates::white_data_map;
constexpr bool MenuStates::*kToolInUse = &MenuStates::tool_in_use;

// A decoration tool's item chooses its tool, whose mode follows its place.
template <DecorationMode mode>
constexpr CommandHandler kChooseTool = [](C& c) { c.decorations->ChooseTool(mode); };

constexpr MenuEntry kDataSettingsMenu[] = {
    Item(M::kDefDataDir, "DefDataDir", "データディレクトリの設定 (&D)",
         [](C& c) { c.settings->DefDataDirClick(); }),
    Item(M::kDefDataExt, "DefDataExt", "データファイル拡張子の指定 (&E)",
         [](C& c) { c.settings->DefDataExtClick(); }),
    Item(M::kDefAreaLength, "DefAreaLength", "区域名表示の長さ変更 (&L)",
         [](C& c) { c.settings->DefAreaLengthClick(); }),
};

constexpr MenuEntry kDataMenu[] = {
    Item(M::kNewDataBas, "NewDataBas", "新規データ[基本地図] (&N)",
         [](C& c) { c.RunReplacingCommand(&DataCommands::NewDataBasClick); }),
    Item(M::kNewDataSel, "NewDataSel", "新規データ[地図選択] (&I)",
         [](C& c) { c.RunReplacingCommand(&DataCommands::NewDataSelClick); }),
    Item(M::kReadDataFile, "ReadDataFile", "データファイル読み込み (&O)",
         [](C& c) { c.RunReplacingCommand(&DataCommands::ReadDataFileClick); }),
    Item(M::kReadTable, "ReadTable", "表から読み込み... (&B)",
         [](C& c) { c.data_exchange->ReadTableClick(); }),
    Item(M::kCalcData, "CalcData", "データの計算... (&K)",
         [](C& c) { c.data_exchange->CalcDataClick(); }),
    Item(M::kSaveData, "SaveData", "名前を付けて保存 (&S)", [](C& c) { c.data->SaveDataClick(); }),
    Item(M::kSaveOver, "SaveOver", "上書き保存 (&W)", [](C& c) { c.data->SaveOverClick(); }),
    Submenu("submenu1", "ﾃﾞｰﾀﾃﾞｨﾚｸﾄﾘ等の設定 (&H)", kDataSettingsMenu),
    Separator(),
    Item(
        M::kCopyData, "CopyData", "コピー（→ｸﾘｯﾌﾟﾎﾞｰﾄﾞ） (&C)",
        [](C& c) { c.data_exchange->CopyDataClick(); }, kCopyData),
    Item(
        M::kPasteData, "PasteData", "貼付け（←ｸﾘｯﾌﾟﾎﾞｰﾄﾞ） (&P)",
        [](C& c) { c.data_exchange->PasteDataClick(); }, kPasteData),
    Item(M::kFindArea, "FindArea", "区域名の検索 (&F)",
         [](C& c) { c.data_exchange->FindAreaClick(); }),
    Item(M::kPrintData, "PrintData", "データの印刷 (&T)",
         [](C& c) { c.data_print->PrintDataClick(); }),
    Separator(),
    Item(M::kQuit, "Quit", "終了 (&X)", [](C& c) { c.main.QuitClick(); }),
};

constexpr MenuEntry kPictureMenu[] = {
    Item(
        M::kKTDSave, "KTDSave", "Kartela形式 保存 (&S)", [](C& c) { c.documents->KTDSaveClick(); },
        kMapDrawn),
    Item(M::kKTDLoad, "KTDLoad", "Kartela形式 読み込み (&L)",
         [](C& c) { c.documents->KTDLoadClick(); }),
    Item(
        M::kWMetaSave, "WMetaSave", "ＷＭＦ形式 保存 (&W)",
        [](C& c) { c.pictures->WMetaSaveClick(); }, kMapOrPicture),
    Item(
        M::kEmfSave, "EmfSave", "EMF形式 保存 (&E)", [](C& c) { c.pictures->EmfSaveClick(); },
        kMapOrPicture),
    Item(M::kWMetaLoad, "WMetaLoad", "ＷＭＦ形式 読み込み (&R)",
         [](C& c) { c.picture_graph->WMetaLoadClick(); }),
    Item(
        M::kSvgSave, "SvgSave", "SVG形式 保存 (&V)", [](C& c) { c.pictures->SvgSaveClick(); },
        kMapOrPicture),
    Item(
        M::kPdfSave, "PdfSave", "PDF形式 保存 (&A)", [](C& c) { c.pictures->PdfSaveClick(); },
        kMapOrPicture),
    Item(
        M::kPngSave, "PngSave", "PNG形式 保存 (&N)", [](C& c) { c.pictures->PngSaveClick(); },
        kMapOrPicture),
    Separator(),
    Item(
        M::kWMetaCopy, "WMetaCopy", "コピー (WMF形式) (&C)",
        [](C& c) { c.clipboard->WMetaCopyClick(); }, kMapOrPicture),
    Item(
        M::kWMetaSepCopy, "WMetaSepCopy", "コピー (WMF/TEXT分離) (&T)",
        [](C& c) { c.clipboard->WMetaSepCopyClick(); }, kMapDrawn),
    Item(
        M::kBMapCopy, "BMapCopy", "コピー (ﾋﾞｯﾄﾏｯﾌﾟ) (&D)",
        [](C& c) { c.clipboard->BMapCopyClick(); }, kMapOrPicture),
    Separator(),
    Item(M::kLineColorChange, "LineColorChange", "保存･コピー時の(境界線)色変換 (&Q)",
         [](C& c) { c.pictures->LineColorChangeClick(); }),
    Separator(),
    Item(
        M::kPrintMap, "PrintMap", "地図の印刷 (&P)", [](C& c) { c.print->PrintMapClick(); },
        kMapOrPicture),
    Item(
        M::kFullScreen, "FullScreen", "全画面表示 (&F)",
        [](C& c) {
          RunFullScreenView(c.main, c.context.workspace, c.draw_window.resources(),
                            &c.draw_window.MeasuringContext());
        },
        kMapOrPicture),
};

constexpr MenuEntry kBaseMenu[] = {
    Item(M::kAboutBaseMap, "AboutBaseMap", "基本地図について (&R)",
         [](C& c) { c.base_maps->AboutBaseMapClick(); }),
    Item(M::kSelectBase, "SelectBase", "基本地図選択 (&M)",
         [](C& c) { c.base_maps->SelectBaseClick(); }),
    Item(M::kMakeBaseMap, "MakeBaseMap", "基本地図の作成... (&C)",
         [](C& c) { c.base_maps->MakeBaseMapClick(); }),
    Separator(),
    CheckItem(M::kDefHint, "DefHint", "ｽﾋﾟｰﾄﾞﾎﾞﾀﾝのヒント(&H)",
              [](C& c) { c.main.DefHintClick(); }),
    Separator(),
    Item(M::kDefINIFile, "DefINIFile", "初期化ファイルの設定 (&E)",
         [](C& c) { c.settings->DefINIFileClick(); }),
};

constexpr MenuEntry kConditionMenu[] = {
    Item(M::kDefDrawSize, "DefDrawSize", "描画倍率 (&S)",
         [](C& c) { c.drawing->DefDrawSizeClick(); }),
    Item(M::kFitWholeMap, "FitWholeMap", "全体表示 (&W)", [](C& c) { c.drawing->FitWholeMap(); }),
    Item(M::kDefDrawPosition, "DefDrawPosition", "描画位置 (&B)",
         [](C& c) { c.drawing->DefDrawPositionClick(); }),
    Separator(),
    Item(M::kDefSepNumber, "DefSepNumber", "塗り分け区分数 (&K)",
         [](C& c) { c.drawing->DefSepNumberClick(); }),
    Item(M::kDefPaintStyle, "DefPaintStyle", "塗り分け模様 (&P)",
         [](C& c) { c.drawing->DefPaintStyleClick(); }),
    Separator(),
    Item(M::kDefTitle, "DefTitle", "タイトル位置/フォント (&F)",
         [](C& c) { c.text->DefTitleClick(); }),
    Item(M::kDefIndex, "DefIndex", "インデックス設定/フォント (&I)",
         [](C& c) { c.text->DefIndexClick(); }),
    Item(M::kDefLegendOptions, "DefLegendOptions", "凡例の表示項目 (&L)",
         [](C& c) { c.text->DefLegendOptionsClick(); }),
    Item(M::kDefDecor, "DefDecor", "修飾フォント (&D)", [](C& c) { c.text->DefDecorClick(); }),
    Item(M::kDefAreaName, "DefAreaName", "区域名の記入/フォント (&N)",
         [](C& c) { c.text->DefAreaNameClick(); }),
    Separator(),
    Item(M::kLineWidth, "LineWidth", "境界線の設定(&T)", [](C& c) { c.drawing->LineWidthClick(); }),
};

constexpr MenuEntry kDrawMenu[] = {
    Item(
        M::kMePaintMap, "MePaintMap", "塗り分け地図 (&M)", [](C& c) { c.map->MePaintMapClick(); },
        kPaintMap),
    Item(
        M::kMeCircleMap, "MeCircleMap", "円(面積)グラフ (&E)",
        [](C& c) { c.map->MeCircleMapClick(); }, kSymbolMaps),
    Item(
        M::kMeGlyphMap, "MeGlyphMap", "絵グラフ (&P)",
        [](C& c) { c.picture_graph->MeGlyphMapClick(); }, kSymbolMaps),
    Separator(),
    Item(
        M::kWhiteBaseMap, "WhiteBaseMap", "白地図（基本地図） (&W)",
        [](C& c) { c.map->WhiteBaseMapClick(); }, kWhiteBaseMap),
    Item(
        M::kWhiteDataMap, "WhiteDataMap", "白地図(データ領域)  (&B)",
        [](C& c) { c.map->WhiteDataMapClick(); }, kWhiteDataMap),
    Item(M::kWhiteSelMap, "WhiteSelMap", "白地図（地図選択） (&S)",
         [](C& c) { c.map->WhiteSelMapClick(); }),
    Separator(),
    Item(
        M::kRedrawMap, "RedrawMap", "再描画 (&R)", [](C& c) { c.map->RedrawMapClick(); },
        kMapOrPicture),
    Item(M::kClearMap, "ClearMap", "クリア (&C)", [](C& c) { c.map->ClearMapClick(); }),
};

// The eleven tools are checkable; DecorationCommands keeps their marks.
constexpr MenuEntry kDecorationMenu[] = {
    Item(M::kDecChar1, "DecChar1", "文字入力（背景クリア） (&C)",
         kChooseTool<DecorationMode::kTextCleared>, kMapOrPicture),
    Item(M::kDecChar2, "DecChar2", "文字入力（背景透過） (&T)",
         kChooseTool<DecorationMode::kTextTransparent>, kMapOrPicture),
    Separator(),
    Item(M::kDecLine, "DecLine", "直線 (&L)", kChooseTool<DecorationMode::kLine>, kMapOrPicture),
    Item(M::kDecDot, "DecDot", "点線 (&D)", kChooseTool<DecorationMode::kDottedLine>,
         kMapOrPicture),
    Item(M::kDecRect, "DecRect", "四角 (&R)", kChooseTool<DecorationMode::kRectangle>,
         kMapOrPicture),
    Item(M::kDecCircle, "DecCircle", "円 (&W)", kChooseTool<DecorationMode::kCircle>,
         kMapOrPicture),
    Item(M::kDecSquare, "DecSquare", "正方形 (&S)", kChooseTool<DecorationMode::kSquare>,
         kMapOrPicture),
    Item(M::kDecTri, "DecTri", "正三角形 (&V)", kChooseTool<DecorationMode::kTriangle>,
         kMapOrPicture),
    Item(M::kDecCross, "DecCross", "×印 (&B)", kChooseTool<DecorationMode::kCross>, kMapOrPicture),
    Item(M::kDecArrow, "DecArrow", "矢印 (&A)", kChooseTool<DecorationMode::kArrow>, kMapOrPicture),
    Item(M::kDecNorth, "DecNorth", "方位記号 (&N)", kChooseTool<DecorationMode::kNorthArrow>,
         kMapOrPicture),
    Separator(),
    Item(M::kDecFree, "DecFree", "解除 (&Q)", kChooseTool<DecorationMode::kNone>, kToolInUse),
};

// The user tools are inserted before the about item.
constexpr MenuEntry kHelpMenu[] = {
    Item(M::kMapHelp, "MapHelp", "操作の説明 (&H)", [](C& c) { c.main.MapHelpClick(); }),
    Item(M::kTechHelp, "TechHelp", "技術的説明 (&T)", [](C& c) { c.main.TechHelpClick(); }),
    Item(M::kAboutKartela, "AboutKartela", "Kartela について (&A)",
         [](C& c) { c.main.AboutKartelaClick(); }),
};

constexpr MenuDefinition kMenus[] = {
    {"menu1", "データ(&F)", kDataMenu, true, false},
    {"menu2", "画像(&I)", kPictureMenu, true, false},
    {"menu3", "基本(&B)", kBaseMenu, false, false},
    {"menu4", "条件(&C)", kConditionMenu, false, false},
    {"menu5", "描画(&M)", kDrawMenu, true, false},
    {"menu6", "修飾(&D)", kDecorationMenu, true, false},
    {"menu7", "ﾍﾙﾌﾟ(&H)", kHelpMenu, false, true},
};

// The decoration tools' items, in the order of their modes 1..11.
constexpr std::array<MenuItem, kDecorationToolCount> kDecorationToolItems = {
    M::kDecChar1,  M::kDecChar2, M::kDecLine,  M::kDecDot,   M::kDecRect, M::kDecCircle,
    M::kDecSquare, M::kDecTri,   M::kDecCross, M::kDecArrow, M::kDecNorth};

// Each item's entry, found through the submenus.
constexpr const MenuEntry* FindEntry(std::span<const MenuEntry> lines, MenuItem item) {
  for (const MenuEntry& line : lines) {
    if (line.kind == MenuEntry::Kind::kItem && line.item == item) return &line;
    if (line.kind == MenuEntry::Kind::kSubmenu) {
      if (const MenuEntry* found = FindEntry(line.submenu, item)) return found;
    }
  }
  return nullptr;
}

constexpr const MenuEntry* FindEntry(MenuItem item) {
  for (const MenuDefinition& menu : kMenus) {
    if (const MenuEntry* found = FindEntry(menu.entries, item)) return found;
  }
  return nullptr;
}

constexpr CommandHandler HandlerOf(MenuItem item) {
  return FindEntry(item)->handler;
}

// The tables are checked as they are compiled: every item is there once,
// with a name of its own and a handler.
constexpr void CountLines(std::span<const MenuEntry> lines, std::array<int, kMenuItemCount>& seen,
                          std::array<std::string_view, kMenuItemCount + 8>& names,
                          std::size_t& name_count, bool& complete) {
  for (const MenuEntry& line : lines) {
    if (line.kind == MenuEntry::Kind::kSeparator) continue;
    if (line.name == nullptr || line.caption == nullptr || name_count == names.size()) {
      complete = false;
      continue;
    }
    names[name_count++] = line.name;
    if (line.kind == MenuEntry::Kind::kSubmenu) {
      CountLines(line.submenu, seen, names, name_count, complete);
    } else {
      ++seen[IndexOf(line.item)];
      if (line.handler == nullptr) complete = false;
    }
  }
}

constexpr bool TablesAreComplete() {
  std::array<int, kMenuItemCount> seen{};
  std::array<std::string_view, kMenuItemCount + 8> names{};
  std::size_t name_count = 0;
  bool complete = true;
  for (const MenuDefinition& menu : kMenus)
    CountLines(menu.entries, seen, names, name_count, complete);
  for (const int count : seen) {
    if (count != 1) return false;
  }
  for (std::size_t i = 0; i < name_count; ++i) {
    for (std::size_t j = i + 1; j < name_count; ++j) {
      if (names[i] == names[j]) return false;
    }
  }
  return complete;
}
static_assert(TablesAreComplete(), "every menu item once, with its own name and a handler");

struct SpeedButtonCommand {
  SpeedButton button;
  CommandHandler handler;
};

constexpr SpeedButtonCommand kSpeedButtonCommands[] = {
    {kSpeedNewData, HandlerOf(M::kNewDataSel)},
    {kSpeedOpen, [](C& c) { c.documents->SpeedOpenClick(); }},
    {kSpeedSave, [](C& c) { c.documents->SpeedSaveClick(); }},
    {kSpeedDataCopy, HandlerOf(M::kCopyData)},
    {kSpeedDataPaste, HandlerOf(M::kPasteData)},
    // An enhanced metafile or a Windows metafile, as EmfMode says.
    {kSpeedMapCopyMetafile, [](C& c) { c.clipboard->SpeedMetaCopyClick(); }},
    {kSpeedMapCopyBitmap, HandlerOf(M::kBMapCopy)},
    {kSpeedMapPrint, HandlerOf(M::kPrintMap)},
    {kSpeedPaintMap, HandlerOf(M::kMePaintMap)},
    {kSpeedCircleMap, HandlerOf(M::kMeCircleMap)},
    {kSpeedGlyphMap, HandlerOf(M::kMeGlyphMap)},
    {kSpeedWhiteMap, HandlerOf(M::kWhiteDataMap)},
    {kSpeedZoomIn, [](C& c) { c.drawing->ZoomIn(); }},
    {kSpeedZoomOut, [](C& c) { c.drawing->ZoomOut(); }},
    {kSpeedFitWholeMap, HandlerOf(M::kFitWholeMap)},
    {kSpeedNorthArrow, HandlerOf(M::kDecNorth)},
    {kSpeedArrow, HandlerOf(M::kDecArrow)},
};

// Standard keys of desktop programs; none clashes with an access key, since
// those go with Alt.
struct StandardKey {
  MenuItem item;
  const char* keys;
};
constexpr StandardKey kStandardKeys[] = {
    {M::kNewDataSel, "Ctrl+N"},  // as the speed button's new data
    {M::kReadDataFile, "Ctrl+O"}, {M::kSaveOver, "Ctrl+S"}, {M::kPrintMap, "Ctrl+P"},
    {M::kRedrawMap, "F5"},        {M::kFullScreen, "F11"},
};

constexpr bool EveryButtonInItsPlace() {
  if (std::size(kSpeedButtonCommands) != kSpeedButtonCount) return false;
  for (std::size_t i = 0; i < kSpeedButtonCount; ++i) {
    if (kSpeedButtonCommands[i].button != i || kSpeedButtonCommands[i].handler == nullptr)
      return false;
  }
  return true;
}
static_assert(EveryButtonInItsPlace(), "one handler for each speed button, in button order");

// The items whose changes undo takes back, with the parts of the workspace
// each may change. A new map clears the decorations and may fit the view.
struct UndoableItem {
  MenuItem item;
  WorkspaceParts parts;
};
constexpr WorkspaceParts kNewMap = kPartMap | kPartDecorations | kPartSettings;

constexpr UndoableItem kUndoableItems[] = {
    {M::kReadTable, kPartData},
    {M::kPasteData, kPartData},
    {M::kCalcData, kPartData},
    {M::kLineColorChange, kPartSettings},
    {M::kDefDrawSize, kPartSettings | kPartMap},
    {M::kDefDrawPosition, kPartSettings | kPartMap},
    {M::kDefSepNumber, kPartSettings | kPartMap},
    {M::kDefPaintStyle, kPartSettings},
    {M::kDefTitle, kPartSettings},
    {M::kDefIndex, kPartSettings},
    {M::kDefLegendOptions, kPartSettings},
    {M::kDefDecor, kPartSettings},
    {M::kDefAreaName, kPartSettings},
    {M::kLineWidth, kPartSettings},
    {M::kMePaintMap, kNewMap},
    {M::kMeCircleMap, kNewMap},
    {M::kMeGlyphMap, kNewMap},
    {M::kWhiteBaseMap, kNewMap},
    {M::kWhiteDataMap, kNewMap},
    {M::kWhiteSelMap, kNewMap},
    {M::kRedrawMap, kPartMap},  // the values as the data now hold them
    {M::kClearMap, kPartMap | kPartDecorations},
};

// The undoable item that runs `handler`, the speed buttons' included.
const UndoableItem* UndoableOf(CommandHandler handler) {
  for (const UndoableItem& undoable : kUndoableItems) {
    if (HandlerOf(undoable.item) == handler) return &undoable;
  }
  return nullptr;
}

}  // namespace

std::span<const MenuDefinition> MainMenus() {
  return kMenus;
}

const MenuEntry& EntryOf(MenuItem item) {
  return *FindEntry(item);
}

const char* ShortcutOf(const MenuEntry& entry) {
  if (entry.shortcut != nullptr || entry.kind != MenuEntry::Kind::kItem) return entry.shortcut;
  for (const StandardKey& key : kStandardKeys) {
    if (key.item == entry.item) return key.keys;
  }
  return nullptr;
}

CommandHandler SpeedButtonHandler(SpeedButton button) {
  return kSpeedButtonCommands[button].handler;
}

MenuCommands::MenuCommands(AppContext& context, TMapMain& main, QMdiArea& children,
                           TDataWindow& data_window, TDrawWindow& draw_window,
                           const MenuItemActions& items, QStatusBar& status_bar)
    : context(context),
      main(main),
      children(children),
      data_window(data_window),
      draw_window(draw_window) {
  data = std::make_unique<DataCommands>(context, data_window);
  map = std::make_unique<MapCommands>(context, data_window, draw_window);
  picture_graph = std::make_unique<PictureGraphCommands>(context, data_window, draw_window, *map);
  drawing = std::make_unique<DrawingCommands>(context, draw_window);
  text = std::make_unique<TextCommands>(context, draw_window);
  base_maps = std::make_unique<BaseMapCommands>(context);
  base_maps->ShowBaseMapIn(status_bar);
  base_maps->SetDataOpener([&data_window](const std::filesystem::path& path) {
    if (data_window.ConfirmDiscard()) data_window.OpenDataFile(path);
  });
  settings = std::make_unique<SettingsCommands>(context, data_window);
  data_exchange = std::make_unique<DataExchangeCommands>(context, data_window);
  std::array<QAction*, kDecorationToolCount> tool_items{};
  for (std::size_t i = 0; i < tool_items.size(); ++i)
    tool_items[i] = items[IndexOf(kDecorationToolItems[i])];
  decorations = std::make_unique<DecorationCommands>(context, tool_items, &draw_window);
  map->SetToolResetHandler([this] { decorations->SetDecorationMode(DecorationMode::kNone); });
  pictures = std::make_unique<PictureCommands>(context);
  clipboard = std::make_unique<ClipboardCommands>(context, *pictures);
  documents = std::make_unique<DocumentCommands>(context, data_window, draw_window, *map);
  printer = std::make_unique<CurrentPrinter>();
  print = std::make_unique<PrintCommands>(context, *printer);
  data_print = std::make_unique<DataPrintCommands>(context, *printer);
}

MenuCommands::~MenuCommands() = default;

void MenuCommands::Run(CommandHandler handler) {
  const UndoableItem* undoable = UndoableOf(handler);
  const QString name =
      undoable != nullptr ? StepNameOfCaption(EntryOf(undoable->item).caption) : QString();
  const WorkspaceParts parts = undoable != nullptr ? undoable->parts : 0;
  RecordChange(context.undo, name, parts, [this, handler] { handler(*this); });
}

void MenuCommands::RunReplacingCommand(bool (DataCommands::*command)()) {
  if (((*data).*command)()) children.activateNextSubWindow();
}

}  // namespace kartela
