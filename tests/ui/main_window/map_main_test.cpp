#include "ui/main_window/map_main.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <memory>
#include <set>

#include "gdi/wmf_writer.h"
#include "model/test_support.h"
#include "ui/data/data_window.h"
#include "ui/data_test_support.h"
#include "ui/main_window/delay_dialog.h"
#include "ui/main_window/qt_reporter.h"
#include "ui/map/draw_window.h"

namespace kartela {
namespace {

using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;

// A base map whose areas each have a small square outline.
std::string BaseMapBytes(std::string_view title, std::initializer_list<std::string_view> names) {
  std::string bytes = Sjis(title) + "\r\n";
  for (const std::string_view name : names)
    bytes += Sjis(name) + "=10,10\r\n";
  bytes += "@RESOLUTION=100,100\r\n@STARTOFPOINTS\r\n";
  bytes.push_back('\0');
  const auto point = [&bytes](std::int16_t x, std::int16_t y) {
    for (const std::int16_t value : {x, y}) {
      bytes.push_back(static_cast<char>(value & 0xFF));
      bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
    }
  };
  std::int16_t left = 5;
  for (std::size_t i = 0; i < names.size(); ++i, left += 20) {
    point(0, 1);
    point(left, 5);
    point(left + 15, 5);
    point(left + 15, 20);
    point(left, 5);
  }
  point(0, 0);
  return bytes;
}

// Runs the event loop until `done` holds or `milliseconds` have passed.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 2000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > milliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

class MapMainTest : public testing::Test {
 protected:
  MapMainTest() { dir_.Write("全国２.IDT", BaseMapBytes("日本", {"北", "中", "南"})); }

  TMapMain& Start(const std::vector<std::string>& arguments = {}) {
    window_ = std::make_unique<TMapMain>(context_, arguments);
    return *window_;
  }

  // Puts values into the data set as if typed and loaded into the grid.
  void SetValues(std::initializer_list<std::string> values) {
    int i = 0;
    for (const std::string& value : values)
      workspace_->data.DataValues[i++] = value;
    window_->DataWindow().LoadEdits();
  }

  bool Enabled(const char* name) const {
    return window_->findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
  }
  QAction* Item(const char* name) const {
    return window_->findChild<QAction*>(QString::fromLatin1(name));
  }
  QMenu* Menu(const char* name) const {
    return window_->findChild<QMenu*>(QString::fromLatin1(name));
  }

  ScratchDir dir_;
  std::unique_ptr<Workspace> workspace_ = std::make_unique<Workspace>();
  RecordingReporter reporter_;
  AppContext context_{*workspace_, ProgramPathsOf(dir_.path() / "kartela"), reporter_, {}};
  std::unique_ptr<TMapMain> window_;
};

// --- menus ---------------------------------------------------------------

TEST_F(MapMainTest, TheMapItemsFollowTheNumberOfValues) {
  Start();
  Menu("menu5")->aboutToShow();
  EXPECT_FALSE(Enabled("MePaintMap"));
  EXPECT_FALSE(ComputeMenuStates(*workspace_, false).symbol_maps);

  SetValues({"12", "", "abc"});
  Menu("menu5")->aboutToShow();
  EXPECT_FALSE(Enabled("MePaintMap"));
  EXPECT_TRUE(ComputeMenuStates(*workspace_, false).symbol_maps);

  SetValues({"12", "-3.5"});
  Menu("menu5")->aboutToShow();
  EXPECT_TRUE(Enabled("MePaintMap"));
}

TEST_F(MapMainTest, OnlyValuesOfListedAreasCount) {
  Start();
  workspace_->data.DataValues[3] = "7";  // beyond the three areas
  workspace_->data.DataValues[4] = "8";
  EXPECT_EQ(CountNumericValues(*workspace_), 0);
}

TEST_F(MapMainTest, CopyDataNeedsATitleOrAValue) {
  Start();
  EXPECT_FALSE(ComputeMenuStates(*workspace_, false).copy_data);
  workspace_->data.DataTitle = Sjis("人口");
  EXPECT_TRUE(ComputeMenuStates(*workspace_, false).copy_data);
  workspace_->data.DataTitle.clear();
  workspace_->data.DataValues[1] = "5";
  EXPECT_TRUE(ComputeMenuStates(*workspace_, false).copy_data);
  EXPECT_TRUE(ComputeMenuStates(*workspace_, true).paste_data);
}

TEST_F(MapMainTest, TheWhiteMapsNeedABaseMapOrAreas) {
  Start();
  Menu("menu5")->aboutToShow();
  EXPECT_TRUE(Enabled("WhiteBaseMap"));
  EXPECT_TRUE(Enabled("WhiteDataMap"));

  workspace_->settings.BaseMapFile.clear();
  workspace_->area_list.AreaNames.clear();
  window_->DataWindow().LoadEdits();
  Menu("menu5")->aboutToShow();
  EXPECT_FALSE(Enabled("WhiteBaseMap"));
  EXPECT_FALSE(Enabled("WhiteDataMap"));
}

TEST_F(MapMainTest, RedrawNeedsAMapOrAPicture) {
  Start();
  Menu("menu5")->aboutToShow();
  EXPECT_FALSE(Enabled("RedrawMap"));
  workspace_->view.Kind = MapKind::kWhiteMap;
  Menu("menu5")->aboutToShow();
  EXPECT_TRUE(Enabled("RedrawMap"));
  workspace_->view.Kind = MapKind::kNone;
  workspace_->view.Background = BackgroundMode::kSize;
  const MenuStates states = ComputeMenuStates(*workspace_, false);
  EXPECT_TRUE(states.map_or_picture);
  EXPECT_FALSE(states.map_drawn);  // a picture alone is no map to save
}

// The access key of a caption: the letter after a single "&", upper case.
QChar AccessKey(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toUpper();
    ++i;
  }
  return {};
}

// Alt and a letter open a menu, a letter picks an item: two lines of one
// menu (or two menus of the bar) sharing a letter would make it pick neither.
TEST_F(MapMainTest, EveryMenuLineHasAnAccessKeyOfItsOwn) {
  Start();
  std::vector<std::pair<QString, QList<QAction*>>> lists = {
      {"menu bar", window_->menuBar()->actions()}};
  for (const QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
    lists.emplace_back(menu->title(), menu->actions());
  int checked = 0;
  for (const auto& [title, actions] : lists) {
    std::map<QChar, QString> taken;
    for (const QAction* action : actions) {
      // The window list and the blank menu of the area number have no key.
      if (action->isSeparator() || action->actionGroup() != nullptr ||
          action->text().trimmed().isEmpty())
        continue;
      const QChar key = AccessKey(action->text());
      EXPECT_FALSE(key.isNull()) << title.toStdString() << ": " << action->text().toStdString();
      if (key.isNull()) continue;
      const auto [place, added] = taken.emplace(key, action->text());
      EXPECT_TRUE(added) << title.toStdString() << ": " << action->text().toStdString() << " and "
                         << place->second.toStdString();
      ++checked;
    }
  }
  EXPECT_GT(checked, 60);
}

// The standard keys run their items, checked against the state of now: a
// map drawn since the menu was last open can be redrawn with F5.
TEST_F(MapMainTest, StandardKeysRunTheirItemsInTheStateOfNow) {
  Start();
  const std::pair<const char*, QKeySequence> keys[] = {
      {"NewDataSel", QKeySequence("Ctrl+N")}, {"ReadDataFile", QKeySequence("Ctrl+O")},
      {"SaveOver", QKeySequence("Ctrl+S")},   {"PrintMap", QKeySequence("Ctrl+P")},
      {"RedrawMap", QKeySequence("F5")},      {"FullScreen", QKeySequence("F11")},
  };
  for (const auto& [name, key] : keys)
    EXPECT_EQ(Item(name)->shortcut(), key) << name;

  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  Menu("menu5")->aboutToShow();
  ASSERT_FALSE(Enabled("RedrawMap"));
  workspace_->view.Kind = MapKind::kWhiteMap;
  const QSignalSpy redraws(Item("RedrawMap"), &QAction::triggered);
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr ? focus : window_.get(), Qt::Key_F5);
  EXPECT_EQ(redraws.count(), 1);
}

// The map just made takes the keyboard: typed keys no longer go to the
// data window's boxes, and Alt opens the menus.
TEST_F(MapMainTest, AMapMadeTakesTheKeyboardFromTheDataWindow) {
  Start();
  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  auto* title = window_->DataWindow().findChild<QLineEdit*>(QStringLiteral("TitleEdit"));
  ASSERT_NE(title, nullptr);
  title->setFocus();
  ASSERT_TRUE(title->hasFocus());
  Item("WhiteDataMap")->trigger();
  ASSERT_EQ(workspace_->view.Kind, MapKind::kWhiteMap);
  EXPECT_FALSE(window_->DataWindow().isAncestorOf(QApplication::focusWidget()));
  EXPECT_TRUE(window_->DrawWindow().isAncestorOf(QApplication::focusWidget()) ||
              QApplication::focusWidget() == &window_->DrawWindow());
}

TEST_F(MapMainTest, EveryCommandIsAvailableOnceThereIsAMap) {
  Start();
  SetValues({"1", "2", "3"});
  workspace_->data.DataTitle = "T";
  workspace_->view.Kind = MapKind::kPaintMap;
  for (const char* menu : {"menu1", "menu2", "menu5", "menu6"})
    Menu(menu)->aboutToShow();
  for (const char* name :
       {"NewDataBas",   "SaveOver",     "Quit",         "KTDSave",         "KTDLoad",
        "MePaintMap",   "MeCircleMap",  "DecLine",      "DefDecor",        "DefHint",
        "MapHelp",      "CopyData",     "DefDrawSize",  "SelectBase",      "SpeedOpenBtn",
        "SpeedPMapBtn", "SpeedCMapBtn", "SpeedGMapBtn", "MeGlyphMap",      "SpeedExLargeBtn",
        "PrintData",    "FullScreen",   "PrintMap",     "SpeedMapPrintBtn"}) {
    EXPECT_TRUE(Enabled(name)) << name;
  }
}

// A tool is for a map or a picture: without one, and after a clear, no tool
// is in use and none is checked.
TEST_F(MapMainTest, DecorationToolsNeedAMapAndAClearPutsThemAway) {
  Start();
  workspace_->view.Kind = MapKind::kWhiteMap;
  Menu("menu6")->aboutToShow();
  EXPECT_FALSE(Enabled("DecFree")) << "no tool in use";
  Item("DecLine")->trigger();
  Menu("menu6")->aboutToShow();
  EXPECT_TRUE(Item("DecLine")->isChecked());
  EXPECT_TRUE(Enabled("DecFree"));

  Item("ClearMap")->trigger();
  EXPECT_EQ(workspace_->decoration_tools.Mode, DecorationMode::kNone);
  EXPECT_FALSE(Item("DecLine")->isChecked());

  workspace_->view.Kind = MapKind::kWhiteMap;
  Item("DecRect")->trigger();
  workspace_->view.Kind = MapKind::kNone;
  Menu("menu6")->aboutToShow();
  EXPECT_EQ(workspace_->decoration_tools.Mode, DecorationMode::kNone);
  for (const char* name : {"DecChar1", "DecRect", "DecCross", "DecFree"}) {
    EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_FALSE(Item(name)->isChecked()) << name;
  }
}

TEST_F(MapMainTest, MenusCarryTheirCaptionsAndSeparators) {
  Start();
  EXPECT_EQ(window_->windowTitle(), "Kartela");
  EXPECT_EQ(Menu("menu5")->title(), "描画(&M)");
  EXPECT_EQ(Item("WhiteDataMap")->text(), "白地図(データ領域)  (&B)");
  EXPECT_EQ(Menu("menu8")->title(), "\u3000\u3000\u3000\u3000");
  QStringList layout;
  for (QAction* action : Menu("menu5")->actions()) {
    layout << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
  }
  EXPECT_EQ(layout.join(' '),
            "MePaintMap MeCircleMap MeGlyphMap - WhiteBaseMap WhiteDataMap WhiteSelMap - "
            "RedrawMap ClearMap");
}

// --- hints and the metafile mode -------------------------------------------

TEST_F(MapMainTest, HintsShowExactlyWhenShowHintIsOdd) {
  Start();
  QAction* save = Item("SpeedSaveBtn");
  EXPECT_TRUE(Item("DefHint")->isChecked());
  EXPECT_EQ(save->toolTip(), "データ保存");

  Item("DefHint")->trigger();
  EXPECT_EQ(workspace_->settings.ShowHint, 2);
  EXPECT_FALSE(Item("DefHint")->isChecked());
  EXPECT_TRUE(save->toolTip().isEmpty());

  Item("DefHint")->trigger();
  EXPECT_EQ(workspace_->settings.ShowHint, 3);
  EXPECT_TRUE(Item("DefHint")->isChecked());
  EXPECT_EQ(save->toolTip(), "データ保存");
}

TEST_F(MapMainTest, HintsOffInTheSettingsFileStartOff) {
  dir_.Write("kartela.INI", "ShowHint = 0\r\n");
  Start();
  EXPECT_FALSE(Item("DefHint")->isChecked());
  EXPECT_TRUE(Item("SpeedNewDataBtn")->toolTip().isEmpty());
}

TEST_F(MapMainTest, EnhancedMetafileModeChangesCaptionsAndTheCopyHint) {
  dir_.Write("kartela.INI", "Zflag = 3\r\n");
  Start();
  EXPECT_EQ(Item("WMetaSave")->text(), "WMF/EMF形式 保存 (&W)");
  EXPECT_EQ(Item("WMetaLoad")->text(), "WMF/EMF形式 読み込み (&R)");
  EXPECT_EQ(Item("SpeedMCopyBtn")->toolTip(), "地図ｺﾋﾟｰ(拡張ﾒﾀﾌｧｲﾙ)");
}

TEST_F(MapMainTest, SpeedButtonsAre27PixelsSquare) {
  Start();
  auto* bar = window_->findChild<QToolBar*>(QStringLiteral("Panel1"));
  QWidget* button = bar->widgetForAction(Item("SpeedPMapBtn"));
  EXPECT_EQ(button->size(), QSize(27, 27));
}

// --- user tools ------------------------------------------------------------

TEST_F(MapMainTest, UserToolsSitBetweenTheHelpItemsAndTheAboutItem) {
  std::string tools = "; a comment line=ignored\r\n";
  for (int i = 1; i <= 12; ++i)
    tools += "Tool" + std::to_string(i) + "=tool" + std::to_string(i) + "\r\n";
  dir_.Write("kartela.MNU", tools);
  Start();
  QStringList names;
  for (QAction* action : Menu("menu7")->actions())
    names << action->objectName();
  ASSERT_EQ(names.size(), 2 + 11 + 1);
  EXPECT_EQ(names.first(), "MapHelp");
  EXPECT_EQ(names[1], "TechHelp");
  EXPECT_EQ(Item("UserTool1")->text(), "Tool1");
  EXPECT_EQ(names[12], "UserTool11");
  EXPECT_EQ(names.last(), "AboutKartela");
  ASSERT_EQ(window_->UserTools().size(), 11u);
  const std::string program_dir = (dir_.path() / "").string();
  EXPECT_EQ(window_->UserTools()[0].command, program_dir + "tool1");
}

TEST_F(MapMainTest, AUserToolRunsItsCommandLine) {
  const auto marker = dir_.path() / "ran";
  dir_.Write("kartela.MNU", "Touch = /usr/bin/touch \"" + marker.string() + "\"\r\n");
  Start();
  Item("UserTool1")->trigger();
  EXPECT_TRUE(WaitUntil([&marker] { return std::filesystem::exists(marker); }));
}

// --- opening by extension ----------------------------------------------------

TEST_F(MapMainTest, ABaseMapNamedInLowerCaseOpensNothing) {
  const auto other = dir_.Write("other.idt", BaseMapBytes("別", {"甲", "乙"}));
  Start({other.string()});
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_EQ(workspace_->area_list.AreaCount(), 3);  // the default base map
  EXPECT_EQ(workspace_->area_list.CurrentBaseMapFile, workspace_->settings.BaseMapFile);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(MapMainTest, ABaseMapFileShowsItsAreas) {
  const auto other = dir_.Write("OTHER.IDT", BaseMapBytes("別", {"甲", "乙"}));
  Start({other.string()});
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_EQ(workspace_->area_list.AreaCount(), 2);
  EXPECT_EQ(workspace_->area_list.CurrentBaseMapFile, other.string());
}

TEST_F(MapMainTest, ADataFileIsRead) {
  const auto data = dir_.Write("POP.DAT", Sjis("全国２.IDT\r\n人口\r\n10\r\n20\r\n30\r\n"));
  Start({data.string()});
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_EQ(workspace_->data.DataTitle, Sjis("人口"));
  EXPECT_EQ(workspace_->data.DataValues[2], "30");
  EXPECT_EQ(workspace_->data.DataFileName, data);
  EXPECT_FALSE(workspace_->data.DataModified);
}

TEST_F(MapMainTest, ADataFileThatFailsFallsBackToTheDefaultBaseMap) {
  Start({(dir_.path() / "MISSING.DAT").string()});
  EXPECT_EQ(workspace_->area_list.AreaCount(), 0);  // start-up left it to the file
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_EQ(workspace_->area_list.AreaCount(), 3);
  EXPECT_EQ(workspace_->area_list.CurrentBaseMapFile, workspace_->settings.BaseMapFile);
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{6});
}

TEST_F(MapMainTest, WithoutAnyBaseMapTheUserIsTold) {
  std::filesystem::remove(dir_.path() / "全国２.IDT");
  Start({(dir_.path() / "MISSING.DAT").string()});
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{6, 2}));
  EXPECT_TRUE(workspace_->settings.BaseMapFile.empty());
}

TEST_F(MapMainTest, AfterAStartWithAFileTheBoxesAreLoadedAsAfterARead) {
  dir_.Write("OTHER.IDT", BaseMapBytes("別", {"甲", "乙"}));
  dir_.Write("lower.dat", Sjis("全国２.IDT\r\n人口\r\n10\r\n"));
  dir_.Write("BROKEN.DAT", Sjis("NONE.IDT\r\n人口\r\n10\r\n"));
  dir_.Write("POP.DAT", Sjis("全国２.IDT\r\n人口\r\n10\r\n"));
  const std::pair<const char*, const char*> cases[] = {{"POP.DAT", "10"},   {"OTHER.IDT", ""},
                                                       {"lower.dat", ""},   {"BROKEN.DAT", ""},
                                                       {"MISSING.DAT", ""}, {"MAP.KTD", ""}};
  for (const auto& [file, first_value] : cases) {
    workspace_->data = DataSet{};  // as at a fresh start
    workspace_->area_list = AreaList{};
    Start({(dir_.path() / file).string()});
    window_->show();
    window_->OpenByExtension(window_->OpenOnStart());
    auto* value = window_->DataWindow().findChild<QLineEdit*>(QStringLiteral("ValueEdit"));
    EXPECT_TRUE(value->isVisible()) << file;
    EXPECT_EQ(value->text(), first_value) << file;
    EXPECT_EQ(window_->DataWindow().ValueRow(), 1) << file;
    EXPECT_GT(workspace_->area_list.AreaCount(), 0) << file;
    window_.reset();
  }
}

TEST_F(MapMainTest, UnreadableDocumentsAndMetafilesNamedAtStartSayWhy) {
  dir_.Write("NOISE.WMF", std::string(500, '\x5a'));
  for (const char* file : {"MAP.KTD", "PIC.WMF", "PIC.EMF", "NOISE.WMF"}) {
    reporter_.messages.clear();
    Start({(dir_.path() / file).string()});
    window_->OpenByExtension(window_->OpenOnStart());
    ASSERT_EQ(reporter_.Numbers(), std::vector<int>{4}) << file;
    EXPECT_NE(reporter_.messages[0].text.find('\n'), std::string::npos) << file << ": a reason";
    EXPECT_EQ(workspace_->view.Background, BackgroundMode::kNone) << file;
    EXPECT_EQ(workspace_->area_list.AreaCount(), 3) << file;  // the default base map
    window_.reset();
  }
}

TEST_F(MapMainTest, AMetafileNamedAtStartBecomesTheBackground) {
  const auto picture = dir_.Write("MAP.WMF", [] {
    gdi::WmfWriter writer(gdi::WmfFileOptions({300, 200}, 96));
    writer.Rectangle(gdi::Rect{0, 0, 300, 200});
    return writer.Finish().value();
  }());
  Start({picture.string()});
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(workspace_->view.Background, BackgroundMode::kBounds);
  EXPECT_EQ(workspace_->area_list.AreaCount(), 3);
}

// The save command names documents ".ktd": that name opens too.
TEST_F(MapMainTest, ADocumentNamedAtStartShowsItsMapDataAndCaption) {
  const auto document = dir_.Write(
      "pop.ktd", Sjis("@P\r\n人口\r\n全国２.IDT\r\n1\r\n3\r\n1\r\n1\r\n2\r\n\r\n\r\n\r\n"
                      "\r\n\r\n\r\n#\r\n3\r\n1\r\n2\r\n3\r\n1\r\n1\r\n2\r\n3\r\n4\r\n16\r\n0\r\n"));
  Start({document.string()});
  window_->OpenByExtension(window_->OpenOnStart());
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(workspace_->view.Kind, MapKind::kPaintMap);
  EXPECT_EQ(workspace_->view.MapFileName, document);
  EXPECT_EQ(workspace_->data.DataTitle, Sjis("人口"));
  EXPECT_EQ(workspace_->data.DataValues[2], "3");
  EXPECT_EQ(workspace_->decorations.ShapeCount, 1);
  EXPECT_EQ(window_->DrawWindow().windowTitle(), QStringLiteral("地図 pop.ktd"));
}

TEST_F(MapMainTest, ABrokenBaseMapNamedAtStartSaysWhyAndKeepsTheDefault) {
  dir_.Write("BROKEN.IDT", "not a base map\r\n");
  Start({(dir_.path() / "BROKEN.IDT").string()});
  window_->OpenByExtension(window_->OpenOnStart());
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{3});
  EXPECT_NE(reporter_.messages[0].text.find('\n'), std::string::npos) << "a reason line";
  EXPECT_EQ(workspace_->area_list.AreaCount(), 3);  // the default base map
}

// The speed buttons run the menu commands: the same dialogs, checks and
// messages.
TEST_F(MapMainTest, SpeedOpenOfAMissingFileShowsMessage6) {
  Start();
  workspace_->settings.DataDir = DisplayPath(dir_.path());
  test::TypeIntoNextFileDialog("NONE.DAT");
  Item("SpeedOpenBtn")->trigger();
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{6});
}

TEST_F(MapMainTest, SpeedOpenOfABrokenMapDocumentSaysWhyAndChangesNothing) {
  Start();
  workspace_->settings.DataDir = DisplayPath(dir_.path());
  dir_.Write("MAP.KTD", "KTD");
  test::TypeIntoNextFileDialog("MAP.KTD");
  Item("SpeedOpenBtn")->trigger();
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{4});
  EXPECT_NE(reporter_.messages[0].text.find("を知りません"), std::string::npos);
  EXPECT_EQ(workspace_->view.Kind, MapKind::kNone);
  EXPECT_TRUE(workspace_->view.MapFileName.empty());
}

TEST_F(MapMainTest, SpeedSaveWithoutDataShowsMessage10BeforeAnyDialog) {
  Start();
  Item("SpeedSaveBtn")->trigger();
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{10});
}

TEST_F(MapMainTest, SpeedSaveAddsTheDataExtensionToABareName) {
  Start();
  workspace_->settings.DataDir = DisplayPath(dir_.path());
  SetValues({"1", "2", "3"});
  test::TypeIntoNextFileDialog("NEW");
  Item("SpeedSaveBtn")->trigger();
  EXPECT_NE(dir_.Read("NEW.DAT"), "<missing>");
  EXPECT_EQ(workspace_->data.DataFileName, dir_.path() / "NEW.DAT");
  EXPECT_TRUE(reporter_.questions.empty());
}

TEST_F(MapMainTest, SpeedSaveAsksBeforeReplacingAnotherFile) {
  Start();
  workspace_->settings.DataDir = DisplayPath(dir_.path());
  SetValues({"1", "2", "3"});
  dir_.Write("OLD.DAT", "old");
  reporter_.ok_answer = false;
  test::TypeIntoNextFileDialog("OLD");
  Item("SpeedSaveBtn")->trigger();
  EXPECT_EQ(dir_.Read("OLD.DAT"), "old");
  ASSERT_EQ(reporter_.questions.size(), 1u);

  // The file the data came from is written back without a question.
  workspace_->data.DataFileName = dir_.path() / "OLD.DAT";
  test::TypeIntoNextFileDialog("OLD");
  Item("SpeedSaveBtn")->trigger();
  EXPECT_NE(dir_.Read("OLD.DAT"), "old");
  EXPECT_EQ(reporter_.questions.size(), 1u);
}

// A name ending in .ktd saves the map as a document, and only a drawn map.
TEST_F(MapMainTest, SpeedSaveWritesADocumentForAKtdName) {
  Start();
  workspace_->settings.DataDir = DisplayPath(dir_.path());
  SetValues({"1", "2", "3"});
  test::TypeIntoNextFileDialog("MAP.ktd");
  Item("SpeedSaveBtn")->trigger();
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{15});
  EXPECT_EQ(dir_.Read("MAP.ktd"), "<missing>");

  workspace_->view.Kind = MapKind::kWhiteMap;
  test::TypeIntoNextFileDialog("MAP.ktd");
  Item("SpeedSaveBtn")->trigger();
  EXPECT_EQ(dir_.Read("MAP.ktd").rfind("@", 0), 0u) << "a map document";
  EXPECT_EQ(workspace_->view.MapFileName, dir_.path() / "MAP.ktd");
  EXPECT_TRUE(workspace_->data.DataFileName.empty()) << "the data were not saved";
}

// --- layout ----------------------------------------------------------------

TEST_F(MapMainTest, TheChildrenAreTiledAfterTheResizeTimer) {
  Start();
  window_->show();
  window_->resize(900, 500);
  EXPECT_TRUE(context_.layout_pending);
  ASSERT_TRUE(WaitUntil([this] { return !context_.layout_pending; }));
  auto* area = window_->findChild<QMdiArea*>();
  const auto windows = area->subWindowList();
  auto* data = qobject_cast<QMdiSubWindow*>(window_->DataWindow().parentWidget());
  ASSERT_NE(data, nullptr);
  QMdiSubWindow* map = windows.front() == data ? windows.back() : windows.front();
  const int width = data->width();
  EXPECT_EQ(data->geometry().topLeft(), QPoint(0, 0));
  EXPECT_GT(width, 7 * (26 + 15));  // names, values and the scroll bar
  EXPECT_EQ(map->geometry().left(), width);
  EXPECT_EQ(map->height(), data->height());
  EXPECT_LE(map->geometry().right(), area->viewport()->width());
}

TEST_F(MapMainTest, TheCurrentAreaNumberShowsInTheMenuBarCorner) {
  Start();
  window_->show();
  window_->DataWindow().ShowRowNumber(12);
  auto* label = window_->findChild<QLabel*>(QStringLiteral("RowNumber"));
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->text().contains("12"));
  EXPECT_TRUE(label->isVisible());
  // Wide enough for nine columns however short the text was at first.
  EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
}

// The map window's mouse position takes the same place, but only while the
// map window is the active child.
TEST_F(MapMainTest, TheMousePositionShowsInTheCornerWhileTheMapWindowIsActive) {
  Start();
  window_->show();
  workspace_->decoration_tools.Mode = DecorationMode::kLine;
  auto* label = window_->findChild<QLabel*>(QStringLiteral("RowNumber"));
  auto* area = window_->findChild<QMdiArea*>();
  QWidget& map = *window_->DrawWindow().viewport();
  const auto move_to = [&map](QPoint at) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), map.mapToGlobal(QPointF(at)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&map, &event);
  };
  area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window_->DataWindow().parentWidget()));
  window_->DataWindow().ShowRowNumber(12);
  const QString area_number = label->text();
  move_to(QPoint(10, 20));
  EXPECT_EQ(label->text(), area_number);
  window_->DrawWindow().Activate();
  move_to(QPoint(10, 20));
  EXPECT_EQ(label->text(), "  10:20  ");
}

TEST_F(MapMainTest, ClosingAChildWindowMinimisesIt) {
  Start();
  window_->show();
  auto* area = window_->findChild<QMdiArea*>();
  for (QMdiSubWindow* child : area->subWindowList()) {
    EXPECT_FALSE(child->close());
    EXPECT_TRUE(child->isMinimized());
  }
  EXPECT_EQ(area->subWindowList().size(), 2);
}

TEST_F(MapMainTest, TheClientAreaIsWhite) {
  Start();
  EXPECT_EQ(window_->findChild<QMdiArea*>()->background().color(), QColor(Qt::white));
}

TEST_F(MapMainTest, TheWindowListKeepsOneGroupHoweverOftenTheMenuOpens) {
  Start();
  for (int i = 0; i < 5; ++i)
    Menu("menu7")->aboutToShow();
  EXPECT_EQ(Menu("menu7")->findChildren<QActionGroup*>().size(), 1);
  int listed = 0;
  for (const QAction* item : Menu("menu7")->actions())
    listed += item->actionGroup() != nullptr ? 1 : 0;
  EXPECT_EQ(listed, 2);  // the data window and the map window
}

// --- the help files ---------------------------------------------------------

// A caption as the menu shows it: "&F" is drawn as an underlined F.
QString ShownCaption(QString caption) {
  return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
      .remove(QLatin1Char('&'))
      .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QString HelpText(const char* name) {
  QFile file(QStringLiteral(KARTELA_SOURCE_DIR "/help/") + QLatin1String(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return QString::fromUtf8(file.readAll()).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// Every 「menu」→「item」 the help names is there as the user sees it, with
// no access-key markup.
TEST_F(MapMainTest, TheHelpNamesMenusAndItemsAsTheUserSeesThem) {
  Start();
  std::set<QString> menus;
  std::set<QString> items;
  for (const QMenu* menu : window_->findChildren<QMenu*>()) {
    menus.insert(ShownCaption(menu->title()));
    for (const QAction* item : menu->actions())
      items.insert(ShownCaption(item->text()));
  }
  const QRegularExpression path(QStringLiteral("「([^」]+)」→「([^」]+)」"));
  int paths = 0;
  for (const char* name : {"kartela.html", "kartelaT.html"}) {
    const QString help = HelpText(name);
    EXPECT_FALSE(help.contains(QStringLiteral("(&"))) << name;
    for (const auto& match : path.globalMatch(help)) {
      ++paths;
      EXPECT_TRUE(menus.contains(match.captured(1))) << match.captured(1).toStdString();
      EXPECT_TRUE(menus.contains(match.captured(2)) || items.contains(match.captured(2)))
          << match.captured(2).toStdString();
    }
  }
  EXPECT_GT(paths, 10);
}

// The texts of the help's headings of class `kind` ("item" or "button").
std::set<QString> HelpHeadings(const QString& help, const QString& kind) {
  const QRegularExpression heading(QStringLiteral("<h4 class=\"%1\">([^<]+)</h4>").arg(kind));
  std::set<QString> texts;
  for (const auto& match : heading.globalMatch(help))
    texts.insert(match.captured(1));
  return texts;
}

// Every menu item and speed button has its section in the help, and every
// such section is of an item or a button there is; the keys are listed.
TEST_F(MapMainTest, TheHelpHasASectionForEveryItemAndButton) {
  Start();
  std::set<QString> items;
  for (const QMenu* menu : window_->menuBar()->findChildren<QMenu*>()) {
    for (const QAction* item : menu->actions()) {
      if (!item->isSeparator() && item->actionGroup() == nullptr)
        items.insert(ShownCaption(item->text()));
    }
  }
  std::set<QString> buttons;
  const auto* bar = window_->findChild<QToolBar*>(QStringLiteral("Panel1"));
  for (QAction* button : bar->actions()) {
    if (!button->isSeparator()) buttons.insert(bar->widgetForAction(button)->accessibleName());
  }
  ASSERT_EQ(buttons.size(), kSpeedButtonCount);
  const QString help = HelpText("kartela.html");
  const std::set<QString> item_sections = HelpHeadings(help, "item");
  const std::set<QString> button_sections = HelpHeadings(help, "button");
  for (const QString& item : items)
    EXPECT_TRUE(item_sections.contains(item)) << "no section for " << item.toStdString();
  for (const QString& section : item_sections)
    EXPECT_TRUE(items.contains(section)) << "no item for " << section.toStdString();
  EXPECT_EQ(button_sections, buttons);
  for (const QAction* item : window_->menuBar()->findChildren<QAction*>()) {
    if (!item->shortcut().isEmpty()) {
      EXPECT_TRUE(help.contains("<kbd>" + item->shortcut().toString() + "</kbd>"))
          << item->shortcut().toString().toStdString();
    }
  }
}

// As the help says: with fewer than two valid values the menu item is grey,
// and the speed button tells why.
TEST_F(MapMainTest, WithOneValueThePaintMapItemIsGreyAndItsButtonSaysWhy) {
  Start();
  SetValues({"12", "abc"});
  Menu("menu5")->aboutToShow();
  EXPECT_FALSE(Enabled("MePaintMap"));
  Item("SpeedPMapBtn")->trigger();
  SetValues({"", "abc"});
  Item("SpeedPMapBtn")->trigger();
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{12, 10}));
}

// --- quitting --------------------------------------------------------------

class QuitTest : public MapMainTest {
 protected:
  void StartWithModifiedData() {
    Start();
    SetValues({"1", "2", "3"});
    workspace_->data.DataModified = true;
  }
};

TEST_F(QuitTest, UnmodifiedDataQuitsWithoutAsking) {
  Start();
  EXPECT_TRUE(window_->close());
  EXPECT_TRUE(reporter_.questions.empty());
}

TEST_F(QuitTest, CancelKeepsTheProgramRunning) {
  StartWithModifiedData();
  reporter_.yes_no_answer = Answer::kCancel;
  EXPECT_FALSE(window_->close());
  ASSERT_EQ(reporter_.questions.size(), 1u);
  EXPECT_EQ(reporter_.questions[0], "更新されたデータがあります。保存しますか？");
  EXPECT_EQ(reporter_.question_titles[0], "Kartela") << "not the file name of the program";
}

TEST_F(QuitTest, NoQuitsWithoutSaving) {
  StartWithModifiedData();
  reporter_.yes_no_answer = Answer::kNo;
  EXPECT_TRUE(window_->close());
}

TEST_F(QuitTest, YesSavesAndQuits) {
  StartWithModifiedData();
  workspace_->data.DataFileName = dir_.path() / "SAVED.DAT";
  reporter_.yes_no_answer = Answer::kYes;
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(dir_.Read("SAVED.DAT"), Sjis("全国２.IDT\r\n\r\n1\r\n2\r\n3\r\n"));
}

TEST_F(QuitTest, YesWithAFailingSaveKeepsTheProgramOpen) {
  StartWithModifiedData();
  workspace_->data.DataFileName = dir_.path() / "no-such-directory" / "SAVED.DAT";
  reporter_.yes_no_answer = Answer::kYes;
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{5});
}

TEST_F(QuitTest, TheSettingsFileHoldsWhatTheSaveMaskAllows) {
  Start();
  Settings& settings = workspace_->settings;
  settings.SaveMask = 0xFFDF & ~kChangedWindow;  // neither PrintSize nor the window
  settings.DrawResX = 2.0;
  settings.PrintSize = 3.0;
  settings.ChangedMask |= kChangedDrawSize | kChangedPrintSize;
  Item("DefHint")->trigger();
  ASSERT_TRUE(window_->close());
  const std::string written = dir_.Read("kartela.INI");
  EXPECT_EQ(written,
            "ItemLength    = 26\r\n"
            "Embiroment    = 65501\r\n"
            "DrawSize      = 2.00,1.00\r\n"
            "ShowHint      = 0\r\n");
}

// A placement stored on a larger screen opens wholly on this one.
TEST_F(QuitTest, AStoredPlacementLargerThanTheScreenIsFittedOntoIt) {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  dir_.Write("kartela.INI", "Position = " + std::to_string(available.right() - 100) + ",50," +
                                std::to_string(available.width() + 500) + "," +
                                std::to_string(available.height() * 2) + "\r\n");
  Start();
  EXPECT_TRUE(available.contains(QRect(window_->pos(), window_->size())))
      << window_->pos().x() << "," << window_->pos().y() << " " << window_->width() << "x"
      << window_->height();
}

TEST_F(QuitTest, ARunWithoutChangesLeavesTheSettingsFileAlone) {
  const std::string original = "; my settings\r\nPosition = 10,10,620,380\r\nUnknown = 1\r\n";
  dir_.Write("kartela.INI", original);
  Start();
  ASSERT_TRUE(window_->close());
  EXPECT_EQ(dir_.Read("kartela.INI"), original);
}

// --- the reporter of the desktop program -----------------------------------

// Answers the next message box by its button `button` and records it.
struct BoxRecord {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
};

void AnswerNextBox(BoxRecord& record, QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [&record, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    record = {box->windowTitle(), box->text(), box->icon(),
              static_cast<int>(box->buttons().size())};
    box->button(button)->click();
  });
}

TEST(QtReporterTest, CatalogueMessagesHaveTheirTitleIconAndOkOnly) {
  QtReporter reporter;
  BoxRecord record;
  AnswerNextBox(record, QMessageBox::Ok);
  ShowMessage(reporter, 17);
  EXPECT_EQ(record.title, "検索");
  EXPECT_EQ(record.text, "検索文字列がみつかりません。");
  EXPECT_EQ(record.icon, QMessageBox::Information);
  EXPECT_EQ(record.buttons, 1);

  AnswerNextBox(record, QMessageBox::Ok);
  ShowMessage(reporter, 5);
  EXPECT_EQ(record.title, "警告");
  EXPECT_EQ(record.icon, QMessageBox::Warning);
}

TEST(QtReporterTest, QuestionsReturnTheButtonPressed) {
  QtReporter reporter;
  BoxRecord record;
  AnswerNextBox(record, QMessageBox::No);
  EXPECT_EQ(reporter.AskYesNoCancel("保存しますか？", "kartela"), Answer::kNo);
  EXPECT_EQ(record.title, "kartela");
  EXPECT_EQ(record.icon, QMessageBox::Question);
  EXPECT_EQ(record.buttons, 3);

  AnswerNextBox(record, QMessageBox::Cancel);
  EXPECT_FALSE(reporter.AskOkCancel("上書きしますか？", "確認"));
  AnswerNextBox(record, QMessageBox::Ok);
  EXPECT_TRUE(reporter.AskOkCancel("上書きしますか？", "確認"));
}

TEST(QtReporterTest, TheNoticeClosesItselfAfterAboutASecond) {
  QWidget owner;
  QtReporter reporter;
  reporter.SetOwner(&owner);
  QString caption;
  QTimer::singleShot(100, [&caption] {
    if (auto* notice = qobject_cast<TDelayDialog*>(QApplication::activeModalWidget())) {
      caption = notice->windowTitle() + " " + notice->Comment();
    }
  });
  QElapsedTimer timer;
  timer.start();
  reporter.ShowNotice("保存しました。");
  EXPECT_GE(timer.elapsed(), 900);
  EXPECT_LT(timer.elapsed(), 3000);
  EXPECT_EQ(caption, "メッセージ 保存しました。");
}

}  // namespace
}  // namespace kartela
