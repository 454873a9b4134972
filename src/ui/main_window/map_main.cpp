#include "ui/main_window/map_main.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <array>
#include <string_view>

#include "base/sjis.h"
#include "gdi/qt/font_substitution.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/settings_file.h"
#include "model/startup.h"
#include "model/value_syntax.h"
#include "model/window_metrics.h"
#include "ui/base_maps/base_map_commands.h"
#include "ui/data/data_commands.h"
#include "ui/data/data_exchange_commands.h"
#include "ui/data/data_window.h"
#include "ui/drawing/drawing_commands.h"
#include "ui/drawing/text_commands.h"
#include "ui/main_window/about_dialog.h"
#include "ui/main_window/help_window.h"
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
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"

// The icons are compiled into this static library: register them.
static void InitIconResources() {
  Q_INIT_RESOURCE(icons);
}

namespace kartela {
namespace {

// The height of the main window's font ("ＭＳ 明朝"): its metrics are the
// units of the layout and of dialog placement, and the current-area number
// is drawn with it.
constexpr int kMainFontHeight = -13;
constexpr int kResizeMilliseconds = 20;
constexpr double kFirstStartShare = 0.8;  // of the screen, without a stored placement
constexpr const char* kUnsavedQuestion = "更新されたデータがあります。保存しますか？";
// A menu of four ideographic spaces: the room the area number used to take.
constexpr const char* kNumberMenuCaption = "\u3000\u3000\u3000\u3000";

// The items of the decoration tools, in the order of their modes 1..9.
constexpr std::array<const char*, kDecorationToolCount> kToolItemNames = {
    "DecChar1",  "DecChar2",  "DecLine", "DecDot",  "DecRect",
    "DecCircle", "DecSquare", "DecTri",  "DecCross"};

}  // namespace

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
  return states;
}

TMapMain::TMapMain(AppContext& context, const std::vector<std::string>& arguments, QWidget* parent)
    : QMainWindow(parent), context_(context), workspace_(context.workspace) {
  InitIconResources();
  Init(arguments);
  CreateChildren();
  ConnectCommands();
}

TMapMain::~TMapMain() {
  closing_ = true;
  if (context_.main_window == this) context_.main_window = nullptr;
}

// The creation handler: start-up, then the menus, the user tools, the
// metafile captions, the window bounds and the hints.
void TMapMain::Init(const std::vector<std::string>& arguments) {
  setWindowTitle(QStringLiteral("KartelaII"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/kartela.svg")));
  context_.main_window = this;
  CaptureScreenColors();
  open_on_start_ = StartUp(context_.paths, arguments, workspace_.settings, workspace_.area_list);
  context_.metrics = TextMetricsOf(kMainFontHeight);
  BuildMenus();
  BuildSpeedButtons();
  BuildUserTools();
  ApplyEmfMode();
  ApplyWindowBounds();
  ApplyHints();

  timer1_.setSingleShot(true);
  timer1_.setInterval(kResizeMilliseconds);
  connect(&timer1_, &QTimer::timeout, this, &TMapMain::DoneResize);
}

void TMapMain::CaptureScreenColors() {
  const QPalette palette = QApplication::palette();
  const auto color_of = [&palette](QPalette::ColorRole role) {
    const QColor color = palette.color(QPalette::Active, role);
    return gdi::Color{static_cast<std::uint8_t>(color.red()),
                      static_cast<std::uint8_t>(color.green()),
                      static_cast<std::uint8_t>(color.blue())};
  };
  workspace_.screen_colors.window = color_of(QPalette::Base);
  workspace_.screen_colors.window_text = color_of(QPalette::Text);
}

// --- menus -------------------------------------------------------------

QAction* TMapMain::AddItem(QMenu& menu, const char* name, const char* caption) {
  QAction* item = menu.addAction(QString::fromUtf8(caption));
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

QAction* TMapMain::Item(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name));
}

void TMapMain::SetItemEnabled(const char* name, bool enabled) {
  Item(name)->setEnabled(enabled);
}

namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption) {
  QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

void TMapMain::BuildMenus() {
  BuildDataMenu();
  BuildPictureMenu();
  BuildBaseMenu();
  BuildConditionMenu();
  BuildDrawMenu();
  BuildDecorationMenu();
  BuildHelpMenu();
  QMenu* number_menu = AddMenu(*menuBar(), "menu8", kNumberMenuCaption);
  number_menu->setEnabled(false);
  BuildRowNumberLabel();
}

void TMapMain::BuildDataMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menu1", "データ(&F)");
  AddItem(*menu, "NewDataBas", "新規データ[基本地図] (&N)");
  AddItem(*menu, "NewDataSel", "新規データ[地図選択] (&I)");
  AddItem(*menu, "ReadDataFile", "データファイル読み込み (&O)");
  AddItem(*menu, "ReadTable", "表から読み込み... (&B)");
  AddItem(*menu, "SaveData", "名前を付けて保存 (&S)");
  AddItem(*menu, "SaveOver", "上書き保存 (&W)");
  QMenu* settings = menu->addMenu(QStringLiteral("ﾃﾞｰﾀﾃﾞｨﾚｸﾄﾘ等の設定 (&H)"));
  settings->setObjectName(QStringLiteral("submenu1"));
  AddItem(*settings, "DefDataDir", "データディレクトリの設定 (&D)");
  AddItem(*settings, "DefDataExt", "データファイル拡張子の指定 (&E)");
  AddItem(*settings, "DefAreaLength", "区域名表示の長さ変更 (&L)");
  menu->addSeparator();
  AddItem(*menu, "CopyData", "コピー（→ｸﾘｯﾌﾟﾎﾞｰﾄﾞ） (&C)");
  AddItem(*menu, "PasteData", "貼付け（←ｸﾘｯﾌﾟﾎﾞｰﾄﾞ） (&P)");
  AddItem(*menu, "FindArea", "区域名の検索 (&F)");
  AddItem(*menu, "PrintData", "データの印刷 (&T)");
  menu->addSeparator();
  AddItem(*menu, "Quit", "終了 (&X)");
  connect(menu, &QMenu::aboutToShow, this, &TMapMain::MenuCheck);
}

void TMapMain::BuildPictureMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menu2", "画像(&I)");
  AddItem(*menu, "KTDSave", "Kartela形式 保存 (&S)");
  AddItem(*menu, "KTDLoad", "Kartela形式 読み込み (&L)");
  AddItem(*menu, "WMetaSave", "ＷＭＦ形式 保存 (&W)");
  AddItem(*menu, "WMetaLoad", "ＷＭＦ形式 読み込み (&R)");
  AddItem(*menu, "SvgSave", "SVG形式 保存 (&V)");
  AddItem(*menu, "PdfSave", "PDF形式 保存 (&A)");
  AddItem(*menu, "PngSave", "PNG形式 保存 (&N)");
  menu->addSeparator();
  AddItem(*menu, "WMetaCopy", "コピー (WMF形式) (&C)");
  AddItem(*menu, "WMetaSepCopy", "コピー (WMF/TEXT分離) (&T)");
  AddItem(*menu, "BMapCopy", "コピー (ﾋﾞｯﾄﾏｯﾌﾟ) (&D)");
  menu->addSeparator();
  AddItem(*menu, "LineColorChange", "保存･コピー時の(境界線)色変換 (&Q)");
  menu->addSeparator();
  AddItem(*menu, "PrintMap", "地図の印刷 (&P)");
  AddItem(*menu, "FullScreen", "全画面表示 (&F)");
  connect(menu, &QMenu::aboutToShow, this, &TMapMain::MenuCheck);
}

void TMapMain::BuildBaseMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menu3", "基本(&B)");
  AddItem(*menu, "AboutBaseMap", "基本地図について (&R)");
  AddItem(*menu, "SelectBase", "基本地図選択 (&M)");
  AddItem(*menu, "MakeBaseMap", "基本地図の作成... (&C)");
  menu->addSeparator();
  AddItem(*menu, "DefHint", "ｽﾋﾟｰﾄﾞﾎﾞﾀﾝのヒント(&H)")->setCheckable(true);
  menu->addSeparator();
  AddItem(*menu, "DefINIFile", "初期化ファイルの設定 (&E)");
}

void TMapMain::BuildConditionMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menu4", "条件(&C)");
  AddItem(*menu, "DefDrawSize", "描画倍率 (&S)");
  AddItem(*menu, "FitWholeMap", "全体表示 (&W)");
  AddItem(*menu, "DefDrawPosition", "描画位置 (&B)");
  menu->addSeparator();
  AddItem(*menu, "DefSepNumber", "塗り分け区分数 (&K)");
  AddItem(*menu, "DefPaintStyle", "塗り分け模様 (&P)");
  menu->addSeparator();
  AddItem(*menu, "DefTitle", "タイトル位置/フォント (&F)");
  AddItem(*menu, "DefIndex", "インデックス設定/フォント (&I)");
  AddItem(*menu, "DefLegendOptions", "凡例の表示項目 (&L)");
  AddItem(*menu, "DefDecor", "修飾フォント (&D)");
  AddItem(*menu, "DefAreaName", "区域名の記入/フォント (&N)");
  menu->addSeparator();
  AddItem(*menu, "LineWidth", "境界線の設定(&T)");
}

void TMapMain::BuildDrawMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menu5", "描画(&M)");
  AddItem(*menu, "MePaintMap", "塗り分け地図 (&M)");
  AddItem(*menu, "MeCircleMap", "円(面積)グラフ (&E)");
  AddItem(*menu, "MeGlyphMap", "絵グラフ (&P)");
  menu->addSeparator();
  AddItem(*menu, "WhiteBaseMap", "白地図（基本地図） (&W)");
  AddItem(*menu, "WhiteDataMap", "白地図(データ領域)  (&B)");
  AddItem(*menu, "WhiteSelMap", "白地図（地図選択） (&S)");
  menu->addSeparator();
  AddItem(*menu, "RedrawMap", "再描画 (&R)");
  AddItem(*menu, "ClearMap", "クリア (&C)");
  connect(menu, &QMenu::aboutToShow, this, &TMapMain::MenuCheck);
}

void TMapMain::BuildDecorationMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menu6", "修飾(&D)");
  AddItem(*menu, "DecChar1", "文字入力（背景クリア） (&C)");
  AddItem(*menu, "DecChar2", "文字入力（背景透過） (&T)");
  menu->addSeparator();
  AddItem(*menu, "DecLine", "直線 (&L)");
  AddItem(*menu, "DecDot", "点線 (&D)");
  AddItem(*menu, "DecRect", "四角 (&R)");
  AddItem(*menu, "DecCircle", "円 (&W)");
  AddItem(*menu, "DecSquare", "正方形 (&S)");
  AddItem(*menu, "DecTri", "正三角形 (&R)");
  AddItem(*menu, "DecCross", "×印 (&B)");
  menu->addSeparator();
  AddItem(*menu, "DecFree", "解除 (&Q)");
  connect(menu, &QMenu::aboutToShow, this, &TMapMain::MenuCheck);
}

// The help menu is also the window menu: the list of child windows follows
// its items, as the platform's multiple-document frames do.
void TMapMain::BuildHelpMenu() {
  help_menu_ = AddMenu(*menuBar(), "menu7", "ﾍﾙﾌﾟ(&H)");
  AddItem(*help_menu_, "MapHelp", "操作の説明 (&H)");
  AddItem(*help_menu_, "TechHelp", "技術的説明 (&T)");
  about_item_ = AddItem(*help_menu_, "AboutKartela", "Kartela について (&A)");
  connect(help_menu_, &QMenu::aboutToShow, this, &TMapMain::UpdateWindowList);
}

// The tools follow MapHelp and TechHelp in file order and precede the about
// item.
void TMapMain::BuildUserTools() {
  const std::filesystem::path file =
      context_.paths.ConfigDir() / (context_.paths.ProgramName + ".MNU");
  const std::string program_dir =
      sjis::FromUtf8(PathText(context_.paths.ToolDir() / "").toStdString()).value_or("");
  user_tools_ = ReadUserTools(file, program_dir);
  for (std::size_t i = 0; i < user_tools_.size(); ++i) {
    auto* item = new QAction(Utf8Text(sjis::ToUtf8Lossy(user_tools_[i].caption)), help_menu_);
    item->setObjectName(QStringLiteral("UserTool%1").arg(i + 1));
    help_menu_->insertAction(about_item_, item);
    connect(item, &QAction::triggered, this, [this, i] { NewMenuClick(i); });
  }
}

void TMapMain::UpdateWindowList() {
  for (QAction* item : window_list_)
    delete item;
  window_list_.clear();
  if (mdi_area_ == nullptr) return;
  window_list_.push_back(help_menu_->addSeparator());
  // One group for the life of the menu: a deleted item leaves it by itself.
  if (window_group_ == nullptr) window_group_ = new QActionGroup(help_menu_);
  int number = 1;
  for (QMdiSubWindow* window : mdi_area_->subWindowList()) {
    QAction* item =
        help_menu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
    item->setActionGroup(window_group_);
    item->setCheckable(true);
    item->setChecked(window == mdi_area_->activeSubWindow());
    connect(item, &QAction::triggered, this,
            [this, window] { mdi_area_->setActiveSubWindow(window); });
    window_list_.push_back(item);
  }
}

// The current-area number, in the menu bar's right corner: nine columns
// of the main window's font, as wide as the longest aligned number.
void TMapMain::BuildRowNumberLabel() {
  LogFont font;
  font.Height = kMainFontHeight;
  row_number_ = new QLabel(menuBar());
  row_number_->setObjectName(QStringLiteral("RowNumber"));
  row_number_->setFont(gdi::MakeQFont(font, 1.0, gdi::InstalledFamilies()));
  row_number_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  row_number_->setFixedWidth(row_number_->fontMetrics().horizontalAdvance(QString(9, '0')));
  menuBar()->setCornerWidget(row_number_, Qt::TopRightCorner);
}

void TMapMain::BuildSpeedButtons() {
  speed_buttons_ = kartela::BuildSpeedButtons(this);
  addToolBar(Qt::TopToolBarArea, speed_buttons_.bar);
}

void TMapMain::ApplyEmfMode() {
  const std::uint8_t mode = workspace_.settings.EmfMode;
  if ((mode & 1) != 0) {
    Item("WMetaSave")->setText(QStringLiteral("WMF/EMF形式 保存 (&W)"));
    Item("WMetaLoad")->setText(QStringLiteral("WMF/EMF形式 読み込み (&R)"));
  }
  if ((mode & 3) == 3) {
    speed_buttons_.hints[kSpeedMapCopyMetafile] = QString::fromUtf8(kEnhancedMetafileCopyHint);
  }
}

// The stored placement is that of the window's frame (position) and inside
// (size). A placement that no screen shows, such as the old "MAXIMUM" and
// "ICON" markers, puts the window back at the default position.
void TMapMain::ApplyWindowBounds() {
  const Settings& settings = workspace_.settings;
  if (settings.RawSettingLines[kRawPosition].empty()) {
    ApplyFirstStartBounds();
    return;
  }
  const Settings defaults = DefaultSettings({});
  const QRect stored(settings.WindowLeft, settings.WindowTop, std::max(settings.WindowWidth, 1),
                     std::max(settings.WindowHeight, 1));
  const auto screens = QGuiApplication::screens();
  const bool visible = std::any_of(screens.begin(), screens.end(), [&stored](QScreen* screen) {
    return screen->availableGeometry().intersects(stored);
  });
  resize(stored.size());
  move(visible ? stored.topLeft() : QPoint(defaults.WindowLeft, defaults.WindowTop));
  normal_rect_ = QRect(pos(), size());
}

// Without a stored placement the window takes four fifths of the screen,
// centred (the default 620 x 380 suits a 640 x 480 screen, not a map of
// 1000 x 700), and the first map drawn is shown whole.
void TMapMain::ApplyFirstStartBounds() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QSize size = available.size() * kFirstStartShare;
  resize(size);
  move(available.center() - QPoint(size.width() / 2, size.height() / 2));
  normal_rect_ = QRect(pos(), size);
  context_.fit_first_map = true;
}

// Keeps the placement of the normal (not maximised) window for the settings.
// The check waits for the window manager's state change that may follow a
// move or resize, so that maximising does not count as a normal placement.
void TMapMain::NoteNormalPlacement() {
  QTimer::singleShot(0, this, [this] {
    if (isVisible() && windowState() == Qt::WindowNoState) normal_rect_ = QRect(pos(), size());
  });
}

void TMapMain::ApplyHints() {
  const bool show = workspace_.settings.ShowHint % 2 != 0;
  Item("DefHint")->setChecked(show);
  kartela::ApplyHints(speed_buttons_, show);
}

// --- children and commands ----------------------------------------------

void TMapMain::CreateChildren() {
  mdi_area_ = new QMdiArea(this);
  mdi_area_->setObjectName(QStringLiteral("ClientArea"));
  mdi_area_->setBackground(Qt::white);  // the frame's colour, behind the children
  setCentralWidget(mdi_area_);

  draw_window_ = new TDrawWindow(context_);
  draw_sub_window_ = mdi_area_->addSubWindow(draw_window_);
  draw_sub_window_->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowMinMaxButtonsHint);
  data_window_ = new TDataWindow(context_);
  data_sub_window_ = mdi_area_->addSubWindow(data_window_);
  data_sub_window_->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowMaximizeButtonHint);
  // The children live as long as the program: closing one minimises it.
  for (QMdiSubWindow* window : {draw_sub_window_, data_sub_window_}) {
    window->setWindowIcon(windowIcon());
    window->installEventFilter(this);
  }

  data_commands_ = std::make_unique<DataCommands>(context_, *data_window_);
  map_commands_ = std::make_unique<MapCommands>(context_, *data_window_, *draw_window_);
  picture_graph_commands_ = std::make_unique<PictureGraphCommands>(context_, *data_window_,
                                                                   *draw_window_, *map_commands_);
  drawing_commands_ = std::make_unique<DrawingCommands>(context_, *draw_window_);
  text_commands_ = std::make_unique<TextCommands>(context_, *draw_window_);
  base_map_commands_ = std::make_unique<BaseMapCommands>(context_);
  base_map_commands_->ShowBaseMapIn(*statusBar());
  settings_commands_ = std::make_unique<SettingsCommands>(context_, *data_window_);
  data_exchange_commands_ = std::make_unique<DataExchangeCommands>(context_, *data_window_);
  std::array<QAction*, kDecorationToolCount> tool_items{};
  for (std::size_t i = 0; i < tool_items.size(); ++i)
    tool_items[i] = Item(kToolItemNames[i]);
  decoration_commands_ = std::make_unique<DecorationCommands>(context_, tool_items, draw_window_);
  map_commands_->SetToolResetHandler(
      [this] { decoration_commands_->SetDecorationMode(DecorationMode::kNone); });
  picture_commands_ = std::make_unique<PictureCommands>(context_);
  clipboard_commands_ = std::make_unique<ClipboardCommands>(context_, *picture_commands_);
  document_commands_ =
      std::make_unique<DocumentCommands>(context_, *data_window_, *draw_window_, *map_commands_);
  current_printer_ = std::make_unique<CurrentPrinter>();
  print_commands_ = std::make_unique<PrintCommands>(context_, *current_printer_);
  data_print_commands_ = std::make_unique<DataPrintCommands>(context_, *current_printer_);
  connect(data_window_, &TDataWindow::ClearMapRequested, this,
          [this](bool keep_background) { map_commands_->ClearMap(keep_background); });
  connect(data_window_, &TDataWindow::RowNumberChanged, row_number_, &QLabel::setText);
  // The mouse position shares the place of the area number, while the map
  // window is the active one.
  connect(draw_window_, &TDrawWindow::PositionChanged, row_number_, [this](const QString& text) {
    if (mdi_area_->activeSubWindow() == draw_sub_window_) row_number_->setText(text);
  });
  draw_window_->SetInputBarPanel(speed_buttons_.bar);
  connect(decoration_commands_.get(), &DecorationCommands::ModeChanged, draw_window_,
          &TDrawWindow::ApplyDecorationCursor);
}

bool TMapMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && !closing_ &&
      (watched == data_sub_window_ || watched == draw_sub_window_)) {
    event->ignore();
    static_cast<QMdiSubWindow*>(watched)->showMinimized();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

template <typename Command>
void TMapMain::ConnectItem(const char* name, Command command) {
  connect(Item(name), &QAction::triggered, this, command);
}

void TMapMain::RunReplacingCommand(bool (DataCommands::*command)()) {
  if (((*data_commands_).*command)()) mdi_area_->activateNextSubWindow();
}

void TMapMain::ConnectCommands() {
  ConnectItem("NewDataBas", [this] { RunReplacingCommand(&DataCommands::NewDataBasClick); });
  ConnectItem("NewDataSel", [this] { RunReplacingCommand(&DataCommands::NewDataSelClick); });
  ConnectItem("ReadDataFile", [this] { RunReplacingCommand(&DataCommands::ReadDataFileClick); });
  ConnectItem("SaveData", [this] { data_commands_->SaveDataClick(); });
  ConnectItem("SaveOver", [this] { data_commands_->SaveOverClick(); });
  ConnectItem("Quit", [this] { close(); });
  ConnectItem("DefHint", &TMapMain::DefHintClick);
  ConnectItem("MePaintMap", [this] { map_commands_->MePaintMapClick(); });
  ConnectItem("MeCircleMap", [this] { map_commands_->MeCircleMapClick(); });
  ConnectItem("WhiteBaseMap", [this] { map_commands_->WhiteBaseMapClick(); });
  ConnectItem("WhiteDataMap", [this] { map_commands_->WhiteDataMapClick(); });
  ConnectItem("WhiteSelMap", [this] { map_commands_->WhiteSelMapClick(); });
  ConnectItem("RedrawMap", [this] { map_commands_->RedrawMapClick(); });
  ConnectItem("ClearMap", [this] { map_commands_->ClearMapClick(); });
  ConnectItem("MeGlyphMap", [this] { picture_graph_commands_->MeGlyphMapClick(); });
  ConnectItem("WMetaLoad", [this] { picture_graph_commands_->WMetaLoadClick(); });
  ConnectItem("MapHelp", &TMapMain::MapHelpClick);
  ConnectItem("TechHelp", &TMapMain::TechHelpClick);
  ConnectItem("AboutKartela", &TMapMain::AboutKartelaClick);
  ConnectSettingCommands();
  ConnectDecorationCommands();
  ConnectPictureCommands();
  ConnectSpeedButtons();
}

void TMapMain::ConnectDecorationCommands() {
  for (std::size_t i = 0; i < kToolItemNames.size(); ++i) {
    const auto mode = static_cast<DecorationMode>(i + 1);
    ConnectItem(kToolItemNames[i], [this, mode] { decoration_commands_->ChooseTool(mode); });
  }
  ConnectItem("DecFree", [this] { decoration_commands_->ChooseTool(DecorationMode::kNone); });
  ConnectItem("DefDecor", [this] { text_commands_->DefDecorClick(); });
}

void TMapMain::ConnectPictureCommands() {
  ConnectItem("KTDSave", [this] { document_commands_->KTDSaveClick(); });
  ConnectItem("KTDLoad", [this] { document_commands_->KTDLoadClick(); });
  ConnectItem("WMetaSave", [this] { picture_commands_->WMetaSaveClick(); });
  ConnectItem("SvgSave", [this] { picture_commands_->SvgSaveClick(); });
  ConnectItem("PdfSave", [this] { picture_commands_->PdfSaveClick(); });
  ConnectItem("PngSave", [this] { picture_commands_->PngSaveClick(); });
  ConnectItem("LineColorChange", [this] { picture_commands_->LineColorChangeClick(); });
  ConnectItem("WMetaCopy", [this] { clipboard_commands_->WMetaCopyClick(); });
  ConnectItem("WMetaSepCopy", [this] { clipboard_commands_->WMetaSepCopyClick(); });
  ConnectItem("BMapCopy", [this] { clipboard_commands_->BMapCopyClick(); });
  ConnectItem("PrintData", [this] { data_print_commands_->PrintDataClick(); });
  ConnectItem("FullScreen", [this] {
    RunFullScreenView(*this, workspace_, draw_window_->resources(),
                      &draw_window_->MeasuringContext());
  });
  ConnectItem("PrintMap", [this] { print_commands_->PrintMapClick(); });
}

void TMapMain::ConnectSettingCommands() {
  ConnectItem("DefDataDir", [this] { settings_commands_->DefDataDirClick(); });
  ConnectItem("DefDataExt", [this] { settings_commands_->DefDataExtClick(); });
  ConnectItem("DefAreaLength", [this] { settings_commands_->DefAreaLengthClick(); });
  ConnectItem("DefINIFile", [this] { settings_commands_->DefINIFileClick(); });
  ConnectItem("CopyData", [this] { data_exchange_commands_->CopyDataClick(); });
  ConnectItem("PasteData", [this] { data_exchange_commands_->PasteDataClick(); });
  ConnectItem("ReadTable", [this] { data_exchange_commands_->ReadTableClick(); });
  ConnectItem("FindArea", [this] { data_exchange_commands_->FindAreaClick(); });
  ConnectItem("AboutBaseMap", [this] { base_map_commands_->AboutBaseMapClick(); });
  ConnectItem("SelectBase", [this] { base_map_commands_->SelectBaseClick(); });
  ConnectItem("MakeBaseMap", [this] { base_map_commands_->MakeBaseMapClick(); });
  ConnectItem("DefDrawSize", [this] { drawing_commands_->DefDrawSizeClick(); });
  ConnectItem("FitWholeMap", [this] { drawing_commands_->FitWholeMap(); });
  ConnectItem("DefDrawPosition", [this] { drawing_commands_->DefDrawPositionClick(); });
  ConnectItem("DefSepNumber", [this] { drawing_commands_->DefSepNumberClick(); });
  ConnectItem("DefPaintStyle", [this] { drawing_commands_->DefPaintStyleClick(); });
  ConnectItem("LineWidth", [this] { drawing_commands_->LineWidthClick(); });
  ConnectItem("DefTitle", [this] { text_commands_->DefTitleClick(); });
  ConnectItem("DefIndex", [this] { text_commands_->DefIndexClick(); });
  ConnectItem("DefLegendOptions", [this] { text_commands_->DefLegendOptionsClick(); });
  ConnectItem("DefAreaName", [this] { text_commands_->DefAreaNameClick(); });
}

void TMapMain::ConnectSpeedButtons() {
  const auto& buttons = speed_buttons_.actions;
  connect(buttons[kSpeedNewData], &QAction::triggered, this,
          [this] { RunReplacingCommand(&DataCommands::NewDataSelClick); });
  connect(buttons[kSpeedOpen], &QAction::triggered, this,
          [this] { document_commands_->SpeedOpenClick(); });
  connect(buttons[kSpeedSave], &QAction::triggered, this,
          [this] { document_commands_->SpeedSaveClick(); });
  connect(buttons[kSpeedPaintMap], &QAction::triggered, this,
          [this] { map_commands_->MePaintMapClick(); });
  connect(buttons[kSpeedCircleMap], &QAction::triggered, this,
          [this] { map_commands_->MeCircleMapClick(); });
  connect(buttons[kSpeedGlyphMap], &QAction::triggered, this,
          [this] { picture_graph_commands_->MeGlyphMapClick(); });
  connect(buttons[kSpeedWhiteMap], &QAction::triggered, this,
          [this] { map_commands_->WhiteDataMapClick(); });
  connect(buttons[kSpeedDataCopy], &QAction::triggered, this,
          [this] { data_exchange_commands_->CopyDataClick(); });
  connect(buttons[kSpeedMapCopyMetafile], &QAction::triggered, this,
          [this] { clipboard_commands_->SpeedMetaCopyClick(); });
  connect(buttons[kSpeedMapPrint], &QAction::triggered, this,
          [this] { print_commands_->PrintMapClick(); });
  connect(buttons[kSpeedMapCopyBitmap], &QAction::triggered, this,
          [this] { clipboard_commands_->BMapCopyClick(); });
  connect(buttons[kSpeedDataPaste], &QAction::triggered, this,
          [this] { data_exchange_commands_->PasteDataClick(); });
  connect(buttons[kSpeedZoomIn], &QAction::triggered, this,
          [this] { drawing_commands_->ZoomIn(); });
  connect(buttons[kSpeedZoomOut], &QAction::triggered, this,
          [this] { drawing_commands_->ZoomOut(); });
  connect(buttons[kSpeedFitWholeMap], &QAction::triggered, this,
          [this] { drawing_commands_->FitWholeMap(); });
}

// --- MenuCheck -----------------------------------------------------------

void TMapMain::MenuCheck() {
  data_window_->CommitEdits();
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  const MenuStates states =
      ComputeMenuStates(workspace_, clipboard != nullptr && clipboard->hasText());
  SetItemEnabled("CopyData", states.copy_data);
  SetItemEnabled("PasteData", states.paste_data);
  SetItemEnabled("KTDSave", states.map_drawn);
  SetItemEnabled("WMetaSepCopy", states.map_drawn);
  for (const char* name : {"WMetaSave", "SvgSave", "PdfSave", "PngSave", "WMetaCopy", "BMapCopy",
                           "PrintMap", "FullScreen", "RedrawMap"}) {
    SetItemEnabled(name, states.map_or_picture);
  }
  SetItemEnabled("MePaintMap", states.paint_map);
  SetItemEnabled("MeCircleMap", states.symbol_maps);
  SetItemEnabled("MeGlyphMap", states.symbol_maps);
  SetItemEnabled("WhiteBaseMap", states.white_base_map);
  SetItemEnabled("WhiteDataMap", states.white_data_map);
  // Without a map or a picture there is nothing to decorate: no tool stays in use.
  for (const char* name : kToolItemNames)
    SetItemEnabled(name, states.map_or_picture);
  if (!states.map_or_picture && workspace_.decoration_tools.Mode != DecorationMode::kNone)
    decoration_commands_->SetDecorationMode(DecorationMode::kNone);
  SetItemEnabled("DecFree", states.map_or_picture &&
                                workspace_.decoration_tools.Mode != DecorationMode::kNone);
}

// --- opening and saving --------------------------------------------------

// Reads the header of the default base map into the area list, as start-up
// does; false when it cannot be read (the list is then empty).
bool TMapMain::ReadDefaultAreaList() {
  const Settings& settings = workspace_.settings;
  AreaList areas;
  const auto base_map = FindBaseMap(settings.BaseMapFile, context_.paths.ProgramDir);
  if (!base_map || ReadBaseMapHeader(base_map->path, areas) != BaseMapStatus::kOk) {
    workspace_.area_list.AreaNames.clear();
    return false;
  }
  workspace_.area_list = std::move(areas);
  return true;
}

// The tests are made on the whole path, case-sensitively and in this order;
// several may apply. A name that no test takes still gets the default base
// map's areas, as a start without a file does. Whatever was read, the edit
// boxes then show it as after the read command.
void TMapMain::OpenByExtension(const std::filesystem::path& path) {
  ApplyExtensionRules(path);
  data_window_->ShowDataSet();
}

void TMapMain::ApplyExtensionRules(const std::filesystem::path& path) {
  Settings& settings = workspace_.settings;
  AreaList& areas = workspace_.area_list;
  const QString name = PathText(path);
  const QString data_ext = Utf8Text(sjis::ToUtf8Lossy(settings.DataExt));
  bool opened = false;
  bool list_ready = true;
  bool list_read = false;
  if (!data_ext.isEmpty() && name.contains(data_ext)) {
    if (data_window_->OpenDataFile(path)) {
      opened = true;
    } else {
      list_ready = ReadDefaultAreaList();
      list_read = true;
    }
  }
  // A document of a map with data fills the data window; a white map or a
  // failed read leaves the default base map's areas there. The save command
  // names documents ".ktd", so the extension counts in any letter case.
  if (name.contains(QStringLiteral(".KTD")) || name.toUpper().endsWith(QStringLiteral(".KTD"))) {
    opened = document_commands_->OpenDocument(path) && workspace_.view.Kind != MapKind::kWhiteMap;
    if (!opened) {
      list_ready = ReadDefaultAreaList();
      list_read = true;
    }
  }
  // A metafile becomes the map window's background picture; the data window
  // keeps the default base map's areas.
  for (const QString& picture : {QStringLiteral(".WMF"), QStringLiteral(".EMF")}) {
    if (!name.contains(picture)) continue;
    picture_graph_commands_->LoadBackground(path);
    opened = false;
    list_ready = ReadDefaultAreaList();
    list_read = true;
    break;
  }
  if (name.contains(QStringLiteral(".IDT"))) {
    if (OpenBaseMapNamedAtStart(path)) {
      opened = list_ready = true;
    } else {
      opened = false;
      list_ready = ReadDefaultAreaList();
      list_read = true;
    }
  }
  if (list_ready && !opened) {
    if (!list_read) ReadDefaultAreaList();
    areas.CurrentBaseMapFile = settings.BaseMapFile;
  }
  if (!list_ready) {
    ShowMessage(context_.reporter, kMsgNoBaseMap);
    settings.BaseMapFile.clear();
  }
}

bool TMapMain::OpenBaseMapNamedAtStart(const std::filesystem::path& path) {
  AreaList read;
  BaseMapResult result = ReadBaseMapHeader(path, read);
  const auto reference = sjis::FromUtf8(DisplayPath(path));
  if (result == BaseMapStatus::kOk && !reference) {
    result = {BaseMapStatus::kCannotOpen, "名前を Shift-JIS で表せません"};
  }
  if (result != BaseMapStatus::kOk) {
    ShowMessageWithReason(context_.reporter, kMsgIdtReadFailed, DisplayPath(path), result.reason);
    return false;
  }
  read.CurrentBaseMapFile = *reference;
  workspace_.area_list = std::move(read);
  return true;
}

// --- settings, help and tools ------------------------------------------

void TMapMain::DefHintClick() {
  std::int32_t& show_hint = workspace_.settings.ShowHint;
  show_hint = show_hint % 2 != 0 ? 2 : 3;
  ApplyHints();
}

void TMapMain::ShowHelpFile(const std::string& suffix) {
  if (help_window_ == nullptr) help_window_ = new THelpWindow(this);
  help_window_->ShowHelpFile(context_.paths.ProgramDir /
                             (context_.paths.ProgramName + suffix + ".html"));
}

void TMapMain::MapHelpClick() {
  ShowHelpFile("");
}

void TMapMain::TechHelpClick() {
  ShowHelpFile("T");
}

void TMapMain::AboutKartelaClick() {
  if (about_dialog_ == nullptr) about_dialog_ = new TAboutDialog(this);
  PlaceDialog(context_, *about_dialog_, 50, 5);
  about_dialog_->exec();
}

// A tool that cannot be started is not reported.
void TMapMain::NewMenuClick(std::size_t index) {
  if (index >= user_tools_.size()) return;
  QStringList words =
      QProcess::splitCommand(Utf8Text(sjis::ToUtf8Lossy(user_tools_[index].command)));
  if (words.isEmpty()) return;
  const QString program = words.takeFirst();
  QProcess::startDetached(program, words);
}

// --- layout ------------------------------------------------------------------

void TMapMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  NoteNormalPlacement();
  WindowSize();
}

void TMapMain::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  NoteNormalPlacement();
}

void TMapMain::WindowSize() {
  if (data_sub_window_ == nullptr || closing_) return;
  context_.layout_pending = true;
  timer1_.start();
}

// The data window on the left, wide enough for the names and values; the
// map window fills the rest.
void TMapMain::DoneResize() {
  timer1_.stop();
  const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
  const int scroll_bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const QSize client = mdi_area_->viewport()->size();
  const int width =
      2 * frame + context_.metrics.CharW * (workspace_.settings.ItemLength + 15) + 5 + scroll_bar;
  const int height = client.height() - frame;
  const bool map_active = mdi_area_->activeSubWindow() == draw_sub_window_;
  for (QMdiSubWindow* window : {data_sub_window_, draw_sub_window_}) {
    if (window->isMinimized()) continue;  // an icon keeps its place
    const bool maximized = window->isMaximized();
    if (maximized) window->showNormal();
    if (window == data_sub_window_) {
      window->setGeometry(0, 0, width, height);
    } else {
      window->setGeometry(width, 0, client.width() - width - frame, height);
    }
    if (maximized) window->showMaximized();
  }
  if (map_active) mdi_area_->setActiveSubWindow(draw_sub_window_);
  context_.layout_pending = false;
  data_window_->update();
  draw_window_->Invalidate();
}

// --- quitting ----------------------------------------------------------------

bool TMapMain::CanQuit() {
  data_window_->CommitEdits();
  if (!workspace_.data.DataModified) return true;
  switch (context_.reporter.AskYesNoCancel(kUnsavedQuestion, kProgramTitle)) {
    case Answer::kYes:
      return data_commands_->SaveOverClick();
    case Answer::kNo:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

void TMapMain::closeEvent(QCloseEvent* event) {
  if (!CanQuit()) {
    event->ignore();
    return;
  }
  QuitProg();
  event->accept();
}

// Shutdown: the help window goes, the placement of the main window is
// recorded and the settings file rewritten when a saved value changed.
void TMapMain::QuitProg() {
  closing_ = true;
  timer1_.stop();
  if (help_window_ != nullptr) help_window_->close();
  const QRect normal = windowState() == Qt::WindowNoState ? QRect(pos(), size()) : normal_rect_;
  RecordWindowPlacement({normal.left(), normal.top(), normal.width(), normal.height()},
                        isMaximized(), workspace_.settings);
  EnsureSettingsDirectory(context_.paths);
  WriteSettings(context_.paths.SettingsFile(), workspace_.settings);
}

}  // namespace kartela
