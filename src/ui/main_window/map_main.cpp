#include "ui/main_window/map_main.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <string_view>

#include "base/text_encoding.h"
#include "gdi/qt/font_substitution.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/messages.h"
#include "model/settings_file.h"
#include "model/startup.h"
#include "model/window_metrics.h"
#include "ui/data/data_commands.h"
#include "ui/data/data_window.h"
#include "ui/main_window/about_dialog.h"
#include "ui/main_window/help_window.h"
#include "ui/map/decoration_commands.h"
#include "ui/map/draw_window.h"
#include "ui/map/map_commands.h"
#include "ui/pictures/document_commands.h"
#include "ui/pictures/picture_graph_commands.h"
#include "ui/widgets/place_dialog.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/undo_history.h"

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

}  // namespace

TMapMain::TMapMain(AppContext& context, const std::vector<std::string>& arguments, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      workspace_(context.workspace),
      history_(std::make_unique<UndoHistory>(context.workspace)) {
  context_.undo = history_.get();
  InitIconResources();
  Init(arguments);
  CreateChildren();
  ConnectCommands();
  // Key presses of the whole program pass by, for the shortcuts' states.
  qApp->installEventFilter(this);
}

TMapMain::~TMapMain() {
  closing_ = true;
  if (context_.main_window == this) context_.main_window = nullptr;
  if (context_.undo == history_.get()) context_.undo = nullptr;
}

// The creation handler: start-up, then the menus, the user tools, the
// metafile captions, the window bounds and the hints.
void TMapMain::Init(const std::vector<std::string>& arguments) {
  setWindowTitle(QStringLiteral("Kartela"));
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

namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption) {
  QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

// The menus are made from their tables; the help menu is also the window
// menu: the list of child windows follows its items, as the platform's
// multiple-document frames do.
void TMapMain::BuildMenus() {
  for (const MenuDefinition& definition : MainMenus()) {
    QMenu* menu = AddMenu(*menuBar(), definition.name, definition.caption);
    BuildMenuLines(*menu, definition.entries);
    if (&definition == &MainMenus().front()) BuildEditMenu();
    if (definition.checks_states) connect(menu, &QMenu::aboutToShow, this, &TMapMain::MenuCheck);
    if (definition.lists_windows) {
      help_menu_ = menu;
      connect(menu, &QMenu::aboutToShow, this, &TMapMain::UpdateWindowList);
    }
  }
  QMenu* number_menu = AddMenu(*menuBar(), "menu8", kNumberMenuCaption);
  number_menu->setEnabled(false);
  BuildRowNumberLabel();
}

// 編集 follows the data menu, as in most programs; its two items are named
// after the step they take back or make again.
void TMapMain::BuildEditMenu() {
  QMenu* menu = AddMenu(*menuBar(), "menuEdit", kEditMenuCaption);
  menu->addAction(history_->MakeUndoAction(menu));
  menu->addAction(history_->MakeRedoAction(menu));
}

void TMapMain::BuildMenuLines(QMenu& menu, std::span<const MenuEntry> lines) {
  for (const MenuEntry& line : lines) {
    switch (line.kind) {
      case MenuEntry::Kind::kSeparator:
        menu.addSeparator();
        break;
      case MenuEntry::Kind::kSubmenu: {
        QMenu* submenu = menu.addMenu(QString::fromUtf8(line.caption));
        submenu->setObjectName(QString::fromLatin1(line.name));
        BuildMenuLines(*submenu, line.submenu);
        break;
      }
      case MenuEntry::Kind::kItem: {
        QAction* item = menu.addAction(QString::fromUtf8(line.caption));
        item->setObjectName(QString::fromLatin1(line.name));
        if (const char* keys = ShortcutOf(line))
          item->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        item->setCheckable(line.checkable);
        items_[IndexOf(line.item)] = item;
        break;
      }
    }
  }
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
    help_menu_->insertAction(Item(MenuItem::kAboutKartela), item);
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
    Item(MenuItem::kWMetaSave)->setText(QStringLiteral("WMF/EMF形式 保存 (&W)"));
    Item(MenuItem::kWMetaLoad)->setText(QStringLiteral("WMF/EMF形式 読み込み (&R)"));
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
  QRect stored(settings.WindowLeft, settings.WindowTop, std::max(settings.WindowWidth, 1),
               std::max(settings.WindowHeight, 1));
  // The screen showing most of the stored placement; none: the primary
  // screen, at the default corner.
  const QScreen* screen = nullptr;
  long long shown = 0;
  for (QScreen* candidate : QGuiApplication::screens()) {
    const QRect part = candidate->availableGeometry().intersected(stored);
    if (part.isEmpty() || static_cast<long long>(part.width()) * part.height() <= shown) continue;
    shown = static_cast<long long>(part.width()) * part.height();
    screen = candidate;
  }
  if (screen == nullptr) {
    stored.moveTopLeft(QPoint(defaults.WindowLeft, defaults.WindowTop));
    screen = QGuiApplication::primaryScreen();
  }
  if (screen != nullptr) stored = FittedOn(stored, *screen);
  resize(stored.size());
  move(stored.topLeft());
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
  Item(MenuItem::kDefHint)->setChecked(show);
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

  commands_ = std::make_unique<MenuCommands>(context_, *this, *mdi_area_, *data_window_,
                                             *draw_window_, items_, *statusBar());
  connect(data_window_, &TDataWindow::ClearMapRequested, this,
          [this](bool keep_background) { commands_->map->ClearMap(keep_background); });
  connect(data_window_, &TDataWindow::RowNumberChanged, row_number_, &QLabel::setText);
  // The mouse position shares the place of the area number, while the map
  // window is the active one.
  connect(draw_window_, &TDrawWindow::PositionChanged, row_number_, [this](const QString& text) {
    if (mdi_area_->activeSubWindow() == draw_sub_window_) row_number_->setText(text);
  });
  draw_window_->SetInputBarPanel(speed_buttons_.bar);
  connect(commands_->decorations.get(), &DecorationCommands::ModeChanged, draw_window_,
          &TDrawWindow::ApplyDecorationCursor);
  history_->SetPendingEditsHandler([this] { data_window_->CommitEdits(); });
  history_->SetRestoredHandler([this](WorkspaceParts parts) { ShowRestored(parts); });
  // The map shows the data's title: a new one shows at once, as after an undo.
  connect(history_.get(), &UndoHistory::StepRecorded, draw_window_, [this](WorkspaceParts parts) {
    if ((parts & kPartData) != 0) draw_window_->Invalidate();
  });
}

void TMapMain::ShowRestored(WorkspaceParts parts) {
  if ((parts & kPartData) != 0) {
    data_window_->LoadEdits();
    data_window_->Refresh();
  }
  if ((parts & kPartSettings) != 0) draw_window_->RecreateResources();
  draw_window_->Invalidate();
}

bool TMapMain::eventFilter(QObject* watched, QEvent* event) {
  // Once, at the widget with the focus, where the key goes first.
  if (event->type() == QEvent::ShortcutOverride && watched == QGuiApplication::focusObject())
    RefreshBeforeShortcut(*event);
  if (event->type() == QEvent::Hide) ReactivateAfterDialog(watched);
  if (event->type() == QEvent::Close && !closing_ &&
      (watched == data_sub_window_ || watched == draw_sub_window_)) {
    event->ignore();
    static_cast<QMdiSubWindow*>(watched)->showMinimized();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// The items are enabled as the menus open; a key of an item's shortcut
// checks them first, so that the key acts on the state of now (a map drawn
// since the menu was last open can be printed).
void TMapMain::RefreshBeforeShortcut(const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* item : items_) {
    if (item != nullptr && !item->shortcut().isEmpty() && item->shortcut() == pressed) {
      MenuCheck();
      return;
    }
  }
}

// A window manager may leave the main window inactive when a modal dialog
// closes; its keys would then reach the focused edit box as text (Alt+F
// typing "f") instead of opening the menus. The main window takes the
// keyboard back once no modal dialog is left.
void TMapMain::ReactivateAfterDialog(QObject* closed) {
  const auto* dialog = qobject_cast<QDialog*>(closed);
  if (dialog == nullptr || !dialog->isModal()) return;
  QTimer::singleShot(0, this, [this] {
    if (QApplication::activeModalWidget() == nullptr && isVisible() && !isActiveWindow())
      activateWindow();
  });
}

void TMapMain::Connect(QAction* action, CommandHandler handler) {
  connect(action, &QAction::triggered, this, [this, handler] { commands_->Run(handler); });
}

void TMapMain::ConnectCommands() {
  for (std::size_t i = 0; i < kMenuItemCount; ++i)
    Connect(items_[i], EntryOf(static_cast<MenuItem>(i)).handler);
  for (std::size_t i = 0; i < kSpeedButtonCount; ++i)
    Connect(speed_buttons_.actions[i], SpeedButtonHandler(static_cast<SpeedButton>(i)));
}

// --- MenuCheck -----------------------------------------------------------

void TMapMain::MenuCheck() {
  data_window_->CommitEdits();
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  const MenuStates states =
      ComputeMenuStates(workspace_, clipboard != nullptr && clipboard->hasText());
  for (std::size_t i = 0; i < kMenuItemCount; ++i) {
    const MenuEntry& entry = EntryOf(static_cast<MenuItem>(i));
    if (entry.enabled_when != nullptr) items_[i]->setEnabled(states.*entry.enabled_when);
  }
  // Without a map or a picture there is nothing to decorate: no tool stays in use.
  if (!states.map_or_picture && workspace_.decoration_tools.Mode != DecorationMode::kNone)
    commands_->decorations->SetDecorationMode(DecorationMode::kNone);
}

// --- opening and saving --------------------------------------------------

// Reads the header of the default base map into the area list, as start-up
// does; false when it cannot be read (the list is then empty).
bool TMapMain::ReadDefaultAreaList() {
  const Settings& settings = workspace_.settings;
  AreaList areas;
  const auto base_map = FindBaseMap(settings.BaseMapFile, context_.paths.ProgramDir);
  if (!base_map || !ReadBaseMapHeader(base_map->path, areas).ok()) {
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
    opened = commands_->documents->OpenDocument(path) && workspace_.view.Kind != MapKind::kWhiteMap;
    if (!opened) {
      list_ready = ReadDefaultAreaList();
      list_read = true;
    }
  }
  // A metafile becomes the map window's background picture; the data window
  // keeps the default base map's areas.
  for (const QString& picture : {QStringLiteral(".WMF"), QStringLiteral(".EMF")}) {
    if (!name.contains(picture)) continue;
    commands_->picture_graph->LoadBackground(path);
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
  Status result = ReadBaseMapHeader(path, read);
  const auto reference = sjis::FromUtf8(DisplayPath(path));
  if (result.ok() && !reference) {
    result = {StatusCode::kUnsupported, "名前を Shift-JIS で表せません"};
  }
  if (!result.ok()) {
    ShowMessageWithReason(context_.reporter, kMsgIdtReadFailed, DisplayPath(path), result.detail());
    return false;
  }
  read.CurrentBaseMapFile = *reference;
  workspace_.area_list = std::move(read);
  return true;
}

// --- settings, help and tools ------------------------------------------

void TMapMain::QuitClick() {
  close();
}

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
      return commands_->data->SaveOverClick();
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
  // A settings file that cannot be written is left as it was, silently.
  static_cast<void>(WriteSettings(context_.paths.SettingsFile(), workspace_.settings));
}

}  // namespace kartela
