#include "ui/map/map_commands.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "model/base_map_file.h"
#include "model/test_support.h"
#include "ui/base_maps/idt_select_dialog.h"
#include "ui/data/data_window.h"
#include "ui/map/circle_info_dialog.h"
#include "ui/map/data_info_dialog.h"
#include "ui/map/draw_window.h"
#include "ui/map/value_histogram.h"
#include "ui/square_map.h"

namespace kartela {
namespace {

using test::Sjis;

constexpr const char* kDataMap = "市町.IDT";  // the base map of the data
constexpr const char* kOtherMap = "県.IDT";   // the base map of the settings
const QColor kYellowFill(255, 255, 0);        // class 1 of 3 by the default order

QLineEdit& Box(QDialog& dialog, const QString& name) {
  auto* box = dialog.findChild<QLineEdit*>(name);
  EXPECT_NE(box, nullptr) << name.toStdString();
  return *box;
}

QString LabelText(QDialog& dialog, const QString& name) {
  const auto* label = dialog.findChild<QLabel*>(name);
  return label != nullptr ? label->text() : QString("<missing %1>").arg(name);
}

// The map commands over a data set of three squares. Dialogs answer at once:
// the data information dialog runs `edit_boundaries` and ends with
// `dialog_result`; the base-map chooser returns `chosen_name`.
class MapCommandsTest : public testing::Test {
 protected:
  MapCommandsTest() {
    dir_.Write(kDataMap, test::SquaresIdt({"東", "中", "西"}));
    dir_.Write(kOtherMap, test::SquaresIdt({"北", "南"}));
    workspace_.settings.BaseMapFile = Sjis(kOtherMap);
    workspace_.settings.LegendStyle = 0;  // no legend over the squares
    workspace_.settings.ClassCount = 3;
    EXPECT_TRUE(ReadBaseMapHeader(dir_.path() / kDataMap, workspace_.area_list).ok());
    workspace_.area_list.CurrentBaseMapFile = Sjis(kDataMap);
    data_window_ = std::make_unique<TDataWindow>(context_);
    draw_window_ = std::make_unique<TDrawWindow>(context_);
    draw_window_->resize(200, 120);
    commands_ = std::make_unique<MapCommands>(context_, *data_window_, *draw_window_);
    commands_->SetDialogRunner([this](QDialog& dialog) {
      if (auto* chooser = qobject_cast<TIdtSelectDialog*>(&dialog)) return Choose(*chooser);
      ++dialogs_run_;
      if (auto* info = qobject_cast<TDataInfoDialog*>(&dialog); info && edit_boundaries_)
        edit_boundaries_(*info);
      if (auto* circle = qobject_cast<TCircleInfoDialog*>(&dialog); circle && edit_circle_)
        edit_circle_(*circle);
      dialog.done(dialog_result_);
      return dialog.result();
    });
  }

  // Notes how the chooser was set up and picks `chosen_name_`, or cancels
  // without one.
  int Choose(TIdtSelectDialog& chooser) {
    chooser_caption_ = chooser.windowTitle();
    chooser_preset_ = chooser.SelectedName();
    chooser.show();  // lists the directory
    chooser_list_.clear();
    for (const QListWidgetItem* item :
         chooser.findChild<QListWidget*>("FileListBox")->findItems("*", Qt::MatchWildcard))
      chooser_list_.push_back(item->text());
    Box(chooser, "IdtName").setText(chosen_name_.value_or(""));
    chooser.done(chosen_name_ ? QDialog::Accepted : QDialog::Rejected);
    return chooser.result();
  }

  void SetValues(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      workspace_.data.DataValues[i] = Sjis(values[i]);
    data_window_->LoadEdits();
  }

  void AddDecorations() {
    workspace_.decorations.ShapeCount = 2;
    workspace_.decorations.TextDecorationCount = 1;
  }
  bool DecorationsEmpty() const {
    return workspace_.decorations.ShapeCount == 0 &&
           workspace_.decorations.TextDecorationCount == 0;
  }

  void Corrupt(const char* name) { dir_.Write(name, "not a base map"); }
  void ShowBackground() {
    workspace_.view.Background = BackgroundMode::kSize;
    workspace_.view.BackgroundSize = {100, 50};
  }

  MapKind Kind() const { return workspace_.view.Kind; }
  const std::string& Loaded() const { return workspace_.base_map.LoadedMapFile; }

  test::ScratchDir dir_;
  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{dir_.path(), "kartela"}, reporter_, TextMetrics{}};
  std::unique_ptr<TDataWindow> data_window_;
  std::unique_ptr<TDrawWindow> draw_window_;
  std::unique_ptr<MapCommands> commands_;

  int dialogs_run_ = 0;
  int dialog_result_ = QDialog::Accepted;
  std::function<void(TDataInfoDialog&)> edit_boundaries_;
  std::function<void(TCircleInfoDialog&)> edit_circle_;
  std::optional<QString> chosen_name_;
  QString chooser_caption_;
  QString chooser_preset_;
  std::vector<QString> chooser_list_;
};

// The commands that make a new map.
struct NewMapCommand {
  const char* command;
  void (MapCommands::*run)();
};
constexpr NewMapCommand kNewMapCommands[] = {
    {"paint map", &MapCommands::MePaintMapClick},
    {"circle map", &MapCommands::MeCircleMapClick},
    {"white map of the settings", &MapCommands::WhiteBaseMapClick},
    {"white map of the data", &MapCommands::WhiteDataMapClick},
    {"white map of a chosen file", &MapCommands::WhiteSelMapClick},
};

// --- paint map -------------------------------------------------------------

TEST_F(MapCommandsTest, PaintMapRefusesDataItCannotClassify) {
  const struct {
    std::vector<std::string> values;
    int message;
  } cases[] = {
      {{"", "", ""}, 10},      // データがありません
      {{"", "7", "x"}, 12},    // データが少なすぎます。
      {{"1", "2", "1e3"}, 9},  // 指数表示形式のデータがあります。
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    reporter_.messages.clear();
    SetValues(c.values);
    commands_->MePaintMapClick();
    EXPECT_EQ(reporter_.Numbers(), std::vector<int>{c.message});
    EXPECT_EQ(dialogs_run_, 0) << "stopped before the dialog";
    EXPECT_EQ(Kind(), MapKind::kNone);
    EXPECT_TRUE(Loaded().empty()) << "the base map is not read";
  }
  EXPECT_EQ(reporter_.messages.at(0).text,
            "指数表示形式(例 2.0E15)のデータがあります。\n区域 3（西）の値「1e3」")
      << "the area to correct";
}

TEST_F(MapCommandsTest, PaintMapCancelledKeepsTheBoundariesInForce) {
  SetValues({"5", "15", "25"});
  workspace_.class_tables.ClassBreaks[0] = "old";
  dialog_result_ = QDialog::Rejected;
  edit_boundaries_ = [](TDataInfoDialog& dialog) {
    Box(dialog, "Sep1").setText("12");
    dialog.findChild<QRadioButton*>("Method2")->setChecked(true);
  };
  commands_->MePaintMapClick();
  EXPECT_EQ(dialogs_run_, 1);
  EXPECT_EQ(workspace_.class_tables.ClassBreaks[0], "old");
  EXPECT_EQ(workspace_.class_tables.ProposedBreaks[0], "12") << "the dialog stored its boxes";
  EXPECT_EQ(workspace_.class_tables.DivisionMethod, 2);
  EXPECT_EQ(Kind(), MapKind::kNone);
  EXPECT_TRUE(Loaded().empty());
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(MapCommandsTest, PaintMapConfirmedDrawsWithTheEditedBoundaries) {
  SetValues({"5", "15", "25"});
  AddDecorations();
  workspace_.view.ScrollReset = false;
  edit_boundaries_ = [](TDataInfoDialog& dialog) {
    EXPECT_EQ(Box(dialog, "Sep1").text(), " 15") << "proposed by equal counts";
    Box(dialog, "Sep1").setText("10");
    Box(dialog, "Sep2").setText("20");
  };
  commands_->MePaintMapClick();
  const BreakTexts& breaks = workspace_.class_tables.ClassBreaks;
  // Committed in the form the legend shows them.
  EXPECT_EQ(breaks[0], " 10");
  EXPECT_EQ(breaks[1], " 20");
  EXPECT_EQ(breaks[2], " ");
  EXPECT_EQ(Kind(), MapKind::kPaintMap);
  EXPECT_EQ(Loaded(), Sjis(kDataMap));
  EXPECT_TRUE(DecorationsEmpty());
  EXPECT_TRUE(workspace_.view.ScrollReset);
  EXPECT_TRUE(reporter_.messages.empty());

  const QImage image = draw_window_->viewport()->grab().toImage();
  const MapPoint anchor = test::SquareAnchor(2);
  EXPECT_EQ(image.pixelColor(anchor.x, anchor.y), kYellowFill) << "15 lies between 10 and 20";
}

TEST_F(MapCommandsTest, TwoPaintMapsReadTheBaseMapOnce) {
  SetValues({"5", "15", "25"});
  commands_->MePaintMapClick();
  ASSERT_EQ(Kind(), MapKind::kPaintMap);
  Corrupt(kDataMap);
  commands_->MePaintMapClick();
  EXPECT_EQ(Kind(), MapKind::kPaintMap);
  EXPECT_TRUE(reporter_.messages.empty()) << "the loaded map is not read again";
}

TEST_F(MapCommandsTest, UnreadableBaseMapClearsTheWindowButKeepsTheBackground) {
  SetValues({"5", "15", "25"});
  commands_->WhiteBaseMapClick();
  ShowBackground();
  AddDecorations();
  workspace_.area_list.CurrentBaseMapFile = Sjis("無い.IDT");
  commands_->MePaintMapClick();
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{3});
  EXPECT_NE(reporter_.messages[0].text.find("無い.IDT"), std::string::npos)
      << reporter_.messages[0].text;
  EXPECT_TRUE(Loaded().empty()) << "so that the next command reads again";
  EXPECT_EQ(Kind(), MapKind::kNone);
  EXPECT_TRUE(DecorationsEmpty());
  EXPECT_EQ(workspace_.view.Background, BackgroundMode::kSize);
}

// --- circle map --------------------------------------------------------------

auto SymbolFields(const SymbolSettings& s) {
  return std::make_tuple(s.RefRadius, s.BaseValue, s.RefValueText, s.PlusColour, s.MinusColour);
}

TEST_F(MapCommandsTest, CircleMapWithoutANonZeroValueStopsBeforeTheDialog) {
  for (const std::vector<std::string>& values :
       {std::vector<std::string>{"", "x", ""}, std::vector<std::string>{"0", "", "-0"}}) {
    reporter_.messages.clear();
    SetValues(values);
    commands_->MeCircleMapClick();
    EXPECT_EQ(reporter_.Numbers(), std::vector<int>{10});  // データがありません
    EXPECT_EQ(dialogs_run_, 0);
    EXPECT_EQ(Kind(), MapKind::kNone);
  }
}

// OK with settings that cannot be drawn keeps the dialog open with the
// reference value selected and stores nothing; Cancel then ends the command.
TEST_F(MapCommandsTest, CircleDialogRefusesWhatCannotBeDrawnAndCancelChangesNothing) {
  SetValues({"100", "-400", ""});
  AddDecorations();
  workspace_.symbols.RefValueText = Sjis("50");
  const auto before = SymbolFields(workspace_.symbols);
  const struct {
    const char* radius;
    const char* ref;
    const char* base;
    const char* selected;
  } cases[] = {
      {"20", "0", "0", "Dat"},       {"20", "", "0", "Dat"},     {"20", "abc", "0", "Dat"},
      {"20", "300", "300", "Dat"},   {"20", "1e3", "0", "Dat"},  {"20", "300", "😀", "Bas"},
      {"20", "300.0", "300", "Dat"}, {"abc", "300", "0", "Rad"}, {"8px", "300", "0", "Rad"},
      {"", "300", "0", "Rad"},
  };
  edit_circle_ = [&](TCircleInfoDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "円面積グラフ");
    EXPECT_EQ(LabelText(dialog, "Max"), "  400") << "as wide as the widest value";
    EXPECT_EQ(LabelText(dialog, "Min"), "  100");
    EXPECT_EQ(Box(dialog, "Rad").text(), "10");
    EXPECT_EQ(Box(dialog, "Dat").text(), "250") << "the proposal, not the previous text";
    EXPECT_EQ(Box(dialog, "Bas").text(), "0");
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("PB7")->isChecked()) << "blue";
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("MB2")->isChecked()) << "yellow";
    dialog.open();
    EXPECT_EQ(dialog.focusWidget(), &Box(dialog, "Rad"));
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.ref) + " / " + c.base);
      reporter_.messages.clear();
      Box(dialog, "Rad").setText(c.radius);
      Box(dialog, "Dat").setText(c.ref);
      Box(dialog, "Bas").setText(c.base);
      dialog.findChild<QRadioButton*>("PB6")->setChecked(true);
      dialog.done(QDialog::Accepted);
      EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
      EXPECT_EQ(reporter_.Numbers(), std::vector<int>{13});  // 設定データに誤りがあります。
      const std::string box_name(c.selected);
      const std::string named = box_name == "Dat" ? "「基準円のデータ値」には"
                                : box_name == "Rad" ? "「基準円の半径」には -32768～32767 の整数"
                                                    : "「基底値」に Shift-JIS";
      EXPECT_NE(reporter_.messages[0].text.find(named), std::string::npos) << "the box and why";
      QLineEdit& selected = Box(dialog, c.selected);
      EXPECT_EQ(dialog.focusWidget(), &selected);
      EXPECT_EQ(selected.selectedText(), selected.text());
      EXPECT_EQ(SymbolFields(dialog.Symbols()), before) << "nothing stored";
    }
    reporter_.messages.clear();
  };
  dialog_result_ = QDialog::Rejected;
  commands_->MeCircleMapClick();
  EXPECT_EQ(dialogs_run_, 1);
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(SymbolFields(workspace_.symbols), before);
  EXPECT_EQ(Kind(), MapKind::kNone);
  EXPECT_TRUE(Loaded().empty());
  EXPECT_FALSE(DecorationsEmpty());
}

TEST_F(MapCommandsTest, CircleMapStoresTheSettingsAndDrawsTheCircles) {
  SetValues({"100", "400", "-100"});
  AddDecorations();
  workspace_.view.ScrollReset = false;
  edit_circle_ = [](TCircleInfoDialog& dialog) {
    Box(dialog, "Rad").setText("8");
    Box(dialog, "Dat").setText(" 200");
    Box(dialog, "Bas").setText("100");
    dialog.findChild<QRadioButton*>("PB6")->setChecked(true);  // red
    dialog.findChild<QRadioButton*>("MB4")->setChecked(true);  // green
  };
  commands_->MeCircleMapClick();
  EXPECT_EQ(reporter_.questions.size(), 1u) << "asked before the decorations went";
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(SymbolFields(workspace_.symbols),
            std::make_tuple(std::int16_t{8}, 100.0, std::string(" 200"), std::int16_t{5},
                            std::int16_t{3}));
  EXPECT_EQ(Kind(), MapKind::kCircleGraph);
  EXPECT_EQ(Loaded(), Sjis(kDataMap));
  EXPECT_TRUE(DecorationsEmpty());
  EXPECT_TRUE(workspace_.view.ScrollReset);
  EXPECT_EQ(workspace_.settings.ChangedMask & kChangedDrawSize, 0u) << "not the first map";

  // 400 is 300 above the base: radius 8 × √3 ≈ 14, red; 100 lies on the
  // base and draws no circle; −100 is 200 below it: radius 8 × √2 ≈ 11, green.
  const QImage image = draw_window_->viewport()->grab().toImage();
  const MapPoint first = test::SquareAnchor(1);
  const MapPoint second = test::SquareAnchor(2);
  const MapPoint third = test::SquareAnchor(3);
  EXPECT_EQ(image.pixelColor(first.x - 7, first.y - 7), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(second.x - 13, second.y), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(third.x - 10, third.y), QColor(0, 255, 0));
  EXPECT_NE(image.pixelColor(third.x - 12, third.y), QColor(0, 255, 0));
}

// The first map after a start without a stored placement is shown whole,
// whichever kind it is.
TEST_F(MapCommandsTest, TheFirstMapOfEveryKindIsFitted) {
  SetValues({"100", "400", "-100"});
  const auto& commands = kNewMapCommands;
  chosen_name_ = QString::fromUtf8(kOtherMap);
  draw_window_->resize(400, 300);
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    context_.fit_first_map = true;
    workspace_.settings.ChangedMask = 0;
    ((*commands_).*c.run)();
    EXPECT_FALSE(context_.fit_first_map);
    EXPECT_EQ(workspace_.settings.ChangedMask & kChangedDrawSize, kChangedDrawSize);
  }
}

// --- the question before decorations go ----------------------------------------

TEST_F(MapCommandsTest, NewMapsAskBeforeTheDecorationsGoAndCancelKeepsEverything) {
  SetValues({"100", "400", "-100"});
  const auto& commands = kNewMapCommands;
  chosen_name_ = QString::fromUtf8(kOtherMap);
  AddDecorations();
  reporter_.ok_answer = false;
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    reporter_.questions.clear();
    dialogs_run_ = 0;
    ((*commands_).*c.run)();
    EXPECT_EQ(reporter_.questions, std::vector<std::string>{"修飾を消去してもよろしいですか？"});
    EXPECT_EQ(dialogs_run_, 0) << "asked before the settings dialog";
    EXPECT_FALSE(DecorationsEmpty());
    EXPECT_EQ(Kind(), MapKind::kNone);
    EXPECT_TRUE(Loaded().empty());
  }
  reporter_.ok_answer = true;
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    AddDecorations();
    ((*commands_).*c.run)();
    EXPECT_TRUE(DecorationsEmpty());
    EXPECT_NE(Kind(), MapKind::kNone);
  }
  reporter_.questions.clear();
  commands_->WhiteDataMapClick();
  EXPECT_TRUE(reporter_.questions.empty()) << "nothing to lose, nothing asked";
  EXPECT_TRUE(reporter_.messages.empty());
}

// --- white maps --------------------------------------------------------------

TEST_F(MapCommandsTest, WhiteMapsOfTheSettingsAndOfTheData) {
  AddDecorations();
  commands_->WhiteBaseMapClick();
  EXPECT_EQ(Kind(), MapKind::kWhiteMap);
  EXPECT_EQ(Loaded(), Sjis(kOtherMap));
  EXPECT_EQ(workspace_.base_map.MapAreaCount(), 2);
  EXPECT_TRUE(DecorationsEmpty());

  commands_->WhiteDataMapClick();
  EXPECT_EQ(Kind(), MapKind::kWhiteMap);
  EXPECT_EQ(Loaded(), Sjis(kDataMap));
  EXPECT_EQ(workspace_.base_map.MapAreaCount(), 3);

  Corrupt(kDataMap);
  commands_->WhiteDataMapClick();
  EXPECT_TRUE(reporter_.messages.empty()) << "two white maps of one file read it once";
}

TEST_F(MapCommandsTest, WhiteMapWithoutABaseMapSaysSo) {
  workspace_.settings.BaseMapFile.clear();
  commands_->WhiteBaseMapClick();
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{2});
  EXPECT_EQ(Kind(), MapKind::kNone);
}

TEST_F(MapCommandsTest, WhiteMapOfAChosenFileReadsItEveryTime) {
  chosen_name_ = QString::fromUtf8(kOtherMap);
  commands_->WhiteSelMapClick();
  EXPECT_EQ(chooser_caption_, "白地図：地図選択");
  EXPECT_EQ(chooser_preset_, kOtherMap) << "the base map of the settings";
  EXPECT_EQ(chooser_list_.size(), 2u) << "the base maps of the program directory";
  EXPECT_EQ(Kind(), MapKind::kWhiteMap);
  EXPECT_EQ(Loaded(), *sjis::FromUtf8(DisplayPath(dir_.path() / kOtherMap)));

  Corrupt(kOtherMap);
  commands_->WhiteSelMapClick();
  ASSERT_EQ(reporter_.Numbers(), std::vector<int>{3});
  EXPECT_NE(reporter_.messages[0].text.find(DisplayPath(dir_.path() / kOtherMap)),
            std::string::npos);
  EXPECT_TRUE(Loaded().empty());
  EXPECT_EQ(Kind(), MapKind::kWhiteMap) << "the map kind stays";
}

TEST_F(MapCommandsTest, WhiteMapOfAChosenFileIgnoresWhatNamesNoFile) {
  for (const std::optional<QString>& name :
       {std::optional<QString>(), std::optional<QString>(""), std::optional<QString>("*.idt"),
        std::optional<QString>("?.IDT"), std::optional<QString>("無い.IDT")}) {
    chosen_name_ = name;
    commands_->WhiteSelMapClick();
  }
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(Kind(), MapKind::kNone);
  EXPECT_TRUE(Loaded().empty());
}

// --- redraw and clear --------------------------------------------------------

TEST_F(MapCommandsTest, RedrawOfAPaintMapChecksTheValuesAgain) {
  SetValues({"5", "15", "25"});
  commands_->MePaintMapClick();
  const BreakTexts breaks = workspace_.class_tables.ClassBreaks;
  AddDecorations();
  workspace_.view.ScrollReset = false;

  SetValues({"30", "15", "25"});
  commands_->RedrawMapClick();
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(workspace_.class_tables.NumericValues[0], 30) << "the new value is classified";
  EXPECT_EQ(workspace_.class_tables.ClassBreaks, breaks) << "with the old boundaries";
  EXPECT_FALSE(DecorationsEmpty());
  EXPECT_FALSE(workspace_.view.ScrollReset);

  SetValues({"", "15", ""});
  commands_->RedrawMapClick();
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{12});
  SetValues({"", "", ""});
  commands_->RedrawMapClick();
  EXPECT_EQ(reporter_.Numbers(), (std::vector<int>{12, 10}));
  EXPECT_EQ(Kind(), MapKind::kPaintMap);
}

TEST_F(MapCommandsTest, RedrawOfAGraphNeedsOnlyOneValue) {
  SetValues({"", "15", ""});
  workspace_.view.Kind = MapKind::kCircleGraph;
  commands_->RedrawMapClick();
  EXPECT_TRUE(reporter_.messages.empty());
  SetValues({"", "", ""});
  commands_->RedrawMapClick();
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{10});
}

TEST_F(MapCommandsTest, RedrawOfAWhiteMapOrOfNothingChecksNoValues) {
  SetValues({"", "", ""});
  commands_->RedrawMapClick();
  commands_->WhiteDataMapClick();
  commands_->RedrawMapClick();
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(Kind(), MapKind::kWhiteMap);
}

TEST_F(MapCommandsTest, ClearRemovesTheMapAndTheBackground) {
  commands_->WhiteDataMapClick();
  ShowBackground();
  AddDecorations();
  workspace_.view.ScrollReset = false;
  draw_window_->setWindowTitle("other");

  commands_->ClearMap(true);
  EXPECT_EQ(Kind(), MapKind::kNone);
  EXPECT_EQ(workspace_.view.Background, BackgroundMode::kSize) << "kept";
  EXPECT_TRUE(DecorationsEmpty());
  EXPECT_TRUE(workspace_.view.ScrollReset);
  EXPECT_EQ(draw_window_->windowTitle(), "地図");

  commands_->ClearMapClick();
  EXPECT_EQ(workspace_.view.Background, BackgroundMode::kNone);
  EXPECT_EQ(workspace_.view.BackgroundSize.width, 0);
  EXPECT_EQ(workspace_.view.BackgroundSize.height, 0);
  EXPECT_EQ(Loaded(), Sjis(kDataMap)) << "the base map stays loaded";
}

// --- the data information dialog --------------------------------------------

class DataInfoDialogTest : public testing::Test {
 protected:
  // Ten areas with the values 1..10, five classes proposed.
  DataInfoDialogTest() {
    DataSet data;
    for (int i = 0; i < 10; ++i) {
      data.DataValues[static_cast<std::size_t>(i)] = std::to_string(i + 1);
      workspace_.area_list.AreaNames.push_back("A" + std::to_string(i + 1));
    }
    EXPECT_EQ(ComputeDataStatistics(data, 10, 5, tables_), ValueSyntaxResult::kOk);
    dialog_.Load(tables_);
  }

  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{}, reporter_, TextMetrics{}};
  ClassTables tables_;
  TDataInfoDialog dialog_{context_};
};

TEST_F(DataInfoDialogTest, ShowsTheTablesOfTheData) {
  EXPECT_EQ(dialog_.windowTitle(), "データ情報＆区分指定");
  const std::vector<std::pair<const char*, const char*>> labels = {
      {"DataNum", "10"}, {"Sum", " 55"},    {"Max", " 10"},    {"Min", "  1"},
      {"Center", "  5"}, {"Abe", "5.50"},   {"Dis", "9.17"},   {"Dev", "3.03"},
      {"Invalid", "0"},  {"Tile10", "  1"}, {"Tile50", "  5"}, {"Tile90", "  9"},
  };
  for (const auto& [name, text] : labels)
    EXPECT_EQ(LabelText(dialog_, name), text) << name;
  const std::vector<QString> boundaries = {"  3", "  5", "  7", "  9", "", "", ""};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(Box(dialog_, QString("Sep%1").arg(i + 1)).text(),
              boundaries[static_cast<std::size_t>(i)]);
  EXPECT_TRUE(dialog_.findChild<QRadioButton*>("Method1")->isChecked());
  EXPECT_EQ(dialog_.findChild<QRadioButton*>("Method1")->text(), "以上(≦)～未満(＜)");
  EXPECT_EQ(dialog_.findChild<QRadioButton*>("Method2")->text(), "ｵｰﾊﾞｰ(＜)～以下(≦)");

  std::vector<QString> buttons;
  for (const QPushButton* button : dialog_.findChildren<QPushButton*>())
    buttons.push_back(button->text());
  EXPECT_NE(std::find(buttons.begin(), buttons.end(), "描画"), buttons.end());
  std::vector<QString> captions;
  for (const QLabel* label : dialog_.findChildren<QLabel*>())
    captions.push_back(label->text());
  for (const char* caption :
       {"有効データ数", "標準偏差", "無効データ数", "10％Tile:", "90％Tile:", "区分値："})
    EXPECT_NE(std::find(captions.begin(), captions.end(), caption), captions.end()) << caption;
}

TEST_F(DataInfoDialogTest, CancelStillWritesTheBoxesBack) {
  Box(dialog_, "Sep2").setText("4.5");
  Box(dialog_, "Sep4").clear();
  Box(dialog_, "Sep6").setText("１２３４５６７８９０１２");  // 24 bytes in Shift-JIS
  dialog_.findChild<QRadioButton*>("Method2")->setChecked(true);
  dialog_.done(QDialog::Rejected);
  EXPECT_EQ(tables_.ProposedBreaks[0], "  3");
  EXPECT_EQ(tables_.ProposedBreaks[1], "4.5");
  EXPECT_EQ(tables_.ProposedBreaks[3], "");
  EXPECT_EQ(tables_.ProposedBreaks[5], Sjis("１２３４５６７８９０１")) << "cut to 22 bytes";
  EXPECT_EQ(tables_.DivisionMethod, 2);
}

TEST_F(DataInfoDialogTest, OkRefusesABoundaryShiftJisCannotHold) {
  Box(dialog_, "Sep3").setText("7😀");
  dialog_.open();
  dialog_.done(QDialog::Accepted);
  EXPECT_TRUE(dialog_.isVisible()) << "the dialog stays open";
  EXPECT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(tables_.ProposedBreaks[2], "  7");

  dialog_.done(QDialog::Rejected);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(tables_.ProposedBreaks[2], "  7") << "a box without a Shift-JIS form keeps its value";
}

TEST_F(DataInfoDialogTest, OkRefusesBoundariesThatWouldNotGiveTheClassesShown) {
  struct Case {
    std::vector<QString> boxes;  // Sep1..Sep4; Sep5..Sep7 stay empty
    const char* selected;
    const char* named;  // part of the message
  };
  const std::vector<Case> cases = {
      {{"3", "3O17", "5000", "9000"}, "Sep2", "「3O17」は数値ではありません"},
      {{"3", "", "7", ""}, "Sep2", "区分値 2 が空欄です"},
      {{"3", "7", "5", "9"}, "Sep3", "区分値 3「5」が区分値 2「7」より大きくありません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.named);
    reporter_.messages.clear();
    dialog_.Load(tables_);
    for (std::size_t i = 0; i < c.boxes.size(); ++i)
      Box(dialog_, QString("Sep%1").arg(i + 1)).setText(c.boxes[i]);
    dialog_.open();
    dialog_.done(QDialog::Accepted);
    EXPECT_TRUE(dialog_.isVisible()) << "the dialog stays open";
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_NE(reporter_.messages[0].text.find(c.named), std::string::npos)
        << reporter_.messages[0].text;
    QLineEdit& selected = Box(dialog_, c.selected);
    EXPECT_EQ(dialog_.focusWidget(), &selected);
    EXPECT_EQ(selected.selectedText(), selected.text());
    dialog_.done(QDialog::Rejected);
  }
  // Fewer classes by emptying the last boxes, and ordered boundaries, draw.
  reporter_.messages.clear();
  dialog_.Load(tables_);
  Box(dialog_, "Sep3").setText("8");
  Box(dialog_, "Sep4").clear();
  dialog_.open();
  dialog_.done(QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
}

std::vector<QString> Counts(QDialog& dialog) {
  std::vector<QString> counts;
  for (int c = 1; c <= 8; ++c)
    counts.push_back(LabelText(dialog, QString("Count%1").arg(c)));
  return counts;
}

// Whether the histogram draws a boundary line through `value`.
bool LineAt(ValueHistogram& histogram, double value) {
  const QImage image = histogram.grab().toImage();
  return image.pixelColor(histogram.ColumnOf(value), 8) == QColor(192, 0, 0);
}

TEST_F(DataInfoDialogTest, CountsAndHistogramFollowTheTypedBoundaries) {
  auto& histogram = *dialog_.findChild<ValueHistogram*>("Histogram");
  histogram.resize(360, 90);
  EXPECT_EQ(Counts(dialog_), std::vector<QString>({"2", "2", "2", "2", "2", "", "", ""}));
  EXPECT_TRUE(LineAt(histogram, 3));
  EXPECT_FALSE(LineAt(histogram, 4.5));

  Box(dialog_, "Sep1").setText("4.5");
  Box(dialog_, "Sep4").clear();
  EXPECT_EQ(Counts(dialog_), std::vector<QString>({"4", "0", "2", "4", "", "", "", ""}));
  EXPECT_TRUE(LineAt(histogram, 4.5));
  EXPECT_FALSE(LineAt(histogram, 3));
  EXPECT_FALSE(LineAt(histogram, 9));

  // Values on a boundary change sides with the division method.
  dialog_.findChild<QRadioButton*>("Method2")->setChecked(true);
  EXPECT_EQ(Counts(dialog_), std::vector<QString>({"4", "1", "2", "3", "", "", "", ""}));
  Box(dialog_, "Sep2").setText("x");  // ends the classes, as painting would
  EXPECT_EQ(Counts(dialog_), std::vector<QString>({"4", "6", "", "", "", "", "", ""}));
}

TEST_F(DataInfoDialogTest, AChosenWayToProposeIsRememberedOnlyWhenChanged) {
  dialog_.done(QDialog::Rejected);
  EXPECT_EQ(workspace_.settings.ChangedMask, 0) << "untouched: the settings file stays as it is";
  EXPECT_TRUE(workspace_.settings.BreakMethod.empty());

  dialog_.Load(tables_);
  auto& proposal = *dialog_.findChild<QComboBox*>("BreakMethod");
  const int stddev = proposal.findData("stddev");
  proposal.setCurrentIndex(stddev);
  emit proposal.activated(stddev);
  // Mean 5.5, deviation 3.03: cuts 0.96, 3.99, 7.01, 10.04, each shown at the
  // next whole number, the data having no decimals.
  const std::vector<QString> cuts = {"  1", "  4", "  8", " 11", "", "", ""};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(Box(dialog_, QString("Sep%1").arg(i + 1)).text(), cuts[static_cast<std::size_t>(i)]);
  EXPECT_EQ(Counts(dialog_), std::vector<QString>({"0", "3", "4", "3", "0", "", "", ""}));
  dialog_.done(QDialog::Rejected);
  EXPECT_EQ(workspace_.settings.BreakMethod, "stddev");
  EXPECT_EQ(workspace_.settings.ChangedMask, kChangedDivision);

  // The next paint map proposes by the remembered way.
  workspace_.settings.ChangedMask = 0;
  dialog_.Load(tables_);
  EXPECT_EQ(Box(dialog_, "Sep4").text(), " 11");
  dialog_.findChild<QCheckBox*>("RoundBreaks")->click();
  EXPECT_EQ(Box(dialog_, "Sep4").text(), " 10") << "rounded";
  dialog_.done(QDialog::Accepted);
  EXPECT_EQ(workspace_.settings.RoundBreaks, 1);
}

TEST_F(DataInfoDialogTest, NamesTheAreasWhoseValuesAreInvalid) {
  EXPECT_FALSE(dialog_.findChild<QLabel*>("InvalidAreas")->isVisibleTo(&dialog_));
  DataSet data;
  workspace_.area_list.AreaNames.clear();
  for (int i = 0; i < 15; ++i) {
    workspace_.area_list.AreaNames.push_back(Sjis("区") + std::to_string(i + 1));
    // Eleven areas end up invalid: ten are named, one is counted.
    data.DataValues[static_cast<std::size_t>(i)] = i % 2 == 0 ? std::to_string(i) : "x";
  }
  data.DataValues[14] = "";
  for (const std::size_t i : {0u, 2u, 4u})
    data.DataValues[i] = Sjis("－");
  ClassTables tables;
  ASSERT_EQ(ComputeDataStatistics(data, 15, 5, tables), ValueSyntaxResult::kOk);
  dialog_.Load(tables);
  const QLabel* label = dialog_.findChild<QLabel*>("InvalidAreas");
  EXPECT_TRUE(label->isVisibleTo(&dialog_));
  EXPECT_EQ(label->text(),
            "無効データの区域：区1、区2、区3、区4、区5、区6、区8、区10、区12、区14 ほか 1 件");
  EXPECT_EQ(LabelText(dialog_, "Invalid"), "11");
}

}  // namespace
}  // namespace kartela
