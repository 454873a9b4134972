#include "ui/data/data_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <memory>

#include "ui/data_test_support.h"

namespace kartela {
namespace {

using test::DataTestBed;
using test::Sjis;

constexpr TextMetrics kMetrics{13, 7, 19};

// --- Geometry ---

TEST(DataGridGeometryTest, RowsFollowTheTextMetrics) {
  const DataGridGeometry grid(kMetrics, 26);
  EXPECT_EQ(grid.RowTop(0), 6);
  EXPECT_EQ(grid.RowTop(1), 25);
  EXPECT_EQ(grid.RowTop(2), 44);
  // A row reaches up to the gap above its text; y 0..24 is the title row.
  EXPECT_EQ(grid.RowAt(0, 0), 0);
  EXPECT_EQ(grid.RowAt(24, 0), 0);
  EXPECT_EQ(grid.RowAt(25, 0), 1);
  EXPECT_EQ(grid.RowAt(43, 0), 1);
  EXPECT_EQ(grid.RowAt(44, 0), 2);
  for (const int scroll : {0, 19, 38, 50}) {
    for (int row = 3; row < 8; ++row)
      EXPECT_EQ(grid.RowAt(grid.RowTop(row) - scroll, scroll), row) << scroll;
  }
  EXPECT_EQ(grid.ValueLeft(), 194);
  EXPECT_EQ(grid.TitleLeft(), 75);
  EXPECT_EQ(grid.TitleTop(), 3);
  EXPECT_EQ(grid.TitleWidth(400), 323);
}

TEST(DataGridGeometryTest, NamesAreCutWithoutSplittingACharacterAndLedToTheValues) {
  const DataGridGeometry grid(kMetrics, 26);
  // Byte 26 starts 漢: the name is drawn with 25 bytes and a one-column leader.
  const std::string starts_at_26 = std::string(25, 'A') + Sjis("漢abc");
  ASSERT_EQ(starts_at_26.size(), 30u);
  const std::string_view cut = grid.CutName(starts_at_26);
  EXPECT_EQ(cut, std::string(25, 'A'));
  const auto leader = grid.LeaderAfter(cut, 25);
  ASSERT_TRUE(leader.has_value());
  EXPECT_EQ(leader->x1, 182);
  EXPECT_EQ(leader->x2, 189);
  EXPECT_EQ(leader->y, 35);

  // Byte 26 is the second byte of ＝, whose code looks like a first byte.
  const std::string ends_at_26 = std::string(24, 'A') + Sjis("＝B");
  EXPECT_EQ(grid.CutName(ends_at_26), std::string(24, 'A') + Sjis("＝"));
  EXPECT_FALSE(grid.LeaderAfter(grid.CutName(ends_at_26), 25).has_value());

  const std::string short_name = Sjis("北海道");
  EXPECT_EQ(grid.LeaderAfter(short_name, 44)->x1, 49);
}

TEST(RowNumberTextTest, RightAlignsInSevenColumns) {
  EXPECT_EQ(RowNumberText(0), "\u3000\u3000\u3000 \u3000");
  EXPECT_EQ(RowNumberText(5), "\u3000\u3000\u30005\u3000");
  EXPECT_EQ(RowNumberText(12), "\u3000\u3000 12\u3000");
  EXPECT_EQ(RowNumberText(123), "\u3000\u3000123\u3000");
  EXPECT_EQ(RowNumberText(3440), "\u3000 3440\u3000");
}

// --- The window ---

class DataWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    bed_.UseBaseMap("T.IDT", {"北海道", "青森", "森岡", "宮城", "大森"});
    Values({"1", "2", "12345", "4", "5"});
    window_ = std::make_unique<TDataWindow>(bed_.context);
    QObject::connect(window_.get(), &TDataWindow::RowNumberChanged,
                     [this](const QString& text) { row_number_ = text; });
    window_->resize(400, 300);
    test::ShowActive(*window_);
  }

  void Values(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      data().DataValues[i] = values[i];
    data().DataModified = false;
  }

  DataSet& data() { return bed_.workspace.data; }
  QLineEdit& Title() { return *window_->findChild<QLineEdit*>("TitleEdit"); }
  QLineEdit& Value() { return *window_->findChild<QLineEdit*>("ValueEdit"); }
  static int ScrollOf(const TDataWindow& window) {
    // The title box moves up with the grid.
    return window.Geometry().TitleTop() - window.findChild<QLineEdit*>("TitleEdit")->y();
  }

  void Press(int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
  }
  // Text arriving as an input method commits it, through the box's checks.
  static void Type(QLineEdit& edit, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(&edit, &event);
  }
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(x, y);
    QMouseEvent event(QEvent::MouseButtonPress, at, window_->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &event);
  }
  // A point on the name column of `row`.
  void ClickRow(int row) { Click(20, window_->Geometry().RowTop(row) - ScrollOf(*window_) + 2); }

  DataTestBed bed_;
  std::unique_ptr<TDataWindow> window_;
  QString row_number_;
};

TEST_F(DataWindowTest, BoxesSitOnTheTitleRowAndOnTheCurrentRow) {
  EXPECT_EQ(Title().geometry().topLeft(), QPoint(75, 3));
  EXPECT_EQ(Title().height(), 19);
  const int client_width = 400 - window_->findChild<QScrollBar*>()->width();
  EXPECT_EQ(Title().width(), client_width - 75 - 7 / 3);
  EXPECT_EQ(Value().geometry(), QRect(194, 25, 70, 13));
  EXPECT_EQ(Value().text(), "1");
  ClickRow(3);
  EXPECT_EQ(Value().geometry(), QRect(194, 63, 70, 13));
  EXPECT_EQ(Value().text(), "12345");
  EXPECT_EQ(window_->windowTitle(), "データ");
}

TEST_F(DataWindowTest, PaintsLeadersFromShortNamesToTheValueColumn) {
  auto& names = bed_.workspace.area_list.AreaNames;
  names[0] = std::string(25, 'A') + Sjis("漢abc");
  names[2] = Sjis("一二三四五六七八九十一二三");  // fills the 26 bytes
  window_->Refresh();
  const QImage image = window_->grab().toImage();
  const QColor ink = window_->palette().color(QPalette::WindowText);
  EXPECT_EQ(image.pixelColor(185, 35), ink);  // row 1: the one column after 25 bytes
  EXPECT_EQ(image.pixelColor(100, 54), ink);  // row 2: after 青森
  EXPECT_NE(image.pixelColor(188, 73), ink);  // row 3: no leader
}

// A light band lies behind the name and the value of the current row only,
// and moves with it; the names stay in the ink.
TEST_F(DataWindowTest, TheCurrentRowIsMarkedBehindItsNameAndValue) {
  const auto band_rows = [this] {
    const QImage image = window_->grab().toImage();
    const QColor base = window_->palette().color(QPalette::Base);
    std::vector<int> rows;
    for (int row = 1; row <= 5; ++row) {
      const int y = window_->Geometry().RowTop(row) - 2;  // above the text, inside the band
      const bool name_side = image.pixelColor(2, y) != base;
      const bool value_side = image.pixelColor(Value().x() + Value().width() - 2, y + 4) != base;
      EXPECT_EQ(name_side, value_side) << row;
      if (name_side) rows.push_back(row);
    }
    return rows;
  };
  EXPECT_EQ(band_rows(), std::vector<int>{1});
  ClickRow(3);
  EXPECT_EQ(band_rows(), std::vector<int>{3});
  Press(Qt::Key_Down);
  EXPECT_EQ(band_rows(), std::vector<int>{4});
  const QColor band = window_->grab().toImage().pixelColor(2, window_->Geometry().RowTop(4) - 2);
  EXPECT_GT(band.lightness(), 200) << "light enough for the text";
}

TEST_F(DataWindowTest, EnterAndArrowsMoveBetweenRowsAndStopAtTheEnds) {
  Title().setFocus();
  Press(Qt::Key_Return);
  EXPECT_TRUE(Value().hasFocus());
  EXPECT_EQ(window_->ValueRow(), 1);
  EXPECT_EQ(row_number_, QString::fromStdString(RowNumberText(1)));
  for (int i = 0; i < 6; ++i)
    Press(i % 2 == 0 ? Qt::Key_Down : Qt::Key_Enter);
  EXPECT_EQ(window_->ValueRow(), 5);  // Enter on the last area stays there
  EXPECT_EQ(Value().text(), "5");
  for (int i = 0; i < 5; ++i)
    Press(Qt::Key_Up);
  EXPECT_TRUE(Title().hasFocus());
  Press(Qt::Key_Up);  // Up on the title row stays there
  EXPECT_TRUE(Title().hasFocus());
  EXPECT_EQ(row_number_, QString::fromStdString(RowNumberText(0)));
  EXPECT_FALSE(data().DataModified);
}

TEST_F(DataWindowTest, MovingScrollsTheCurrentRowIntoView) {
  window_->resize(400, 60);  // three rows visible
  Title().setFocus();
  for (int row = 1; row <= 5; ++row) {
    Press(Qt::Key_Down);
    EXPECT_GE(Value().y(), 0) << row;
    EXPECT_LE(Value().y() + Value().height(), 60) << row;
  }
  EXPECT_GT(ScrollOf(*window_), 0);
  for (int row = 4; row >= 0; --row)
    Press(Qt::Key_Up);
  EXPECT_EQ(ScrollOf(*window_), 0);
}

// Shorter than one row, no position shows a whole row: moving must still end,
// with the row at the top of what can be seen.
TEST_F(DataWindowTest, MovingInAGridShorterThanARowEndsWithTheRowAtTheTop) {
  window_->resize(400, 10);
  Title().setFocus();
  for (int row = 1; row <= 5; ++row) {
    Press(Qt::Key_Down);
    EXPECT_EQ(window_->ValueRow(), row);
    EXPECT_LT(Value().y(), 10) << row;
    EXPECT_GT(Value().y() + Value().height(), 0) << row;
  }
  for (int row = 4; row >= 1; --row) {
    Press(Qt::Key_Up);
    EXPECT_LT(Value().y(), 10) << row;
    EXPECT_GT(Value().y() + Value().height(), 0) << row;
  }
}

TEST_F(DataWindowTest, EnterStoresTheValueWithoutItsRemark) {
  ClickRow(1);
  Value().clear();
  Type(Value(), "12 ; note");  // the box holds 10 bytes
  Press(Qt::Key_Return);
  EXPECT_EQ(data().DataValues[0], "12");
  EXPECT_TRUE(data().DataModified);
  EXPECT_EQ(window_->ValueRow(), 2);
}

TEST_F(DataWindowTest, FocusLeavingABoxStoresItsText) {
  ClickRow(2);
  Value().clear();
  Type(Value(), "34");
  Title().setFocus();
  EXPECT_EQ(data().DataValues[1], "34");
  Type(Title(), "人口");
  Value().setFocus();
  EXPECT_EQ(data().DataTitle, Sjis("人口"));
  EXPECT_TRUE(data().DataModified);
}

TEST_F(DataWindowTest, ClickStoresTheTextAndPutsTheCaretWhereClicked) {
  ClickRow(1);
  Value().clear();
  Type(Value(), "5");
  const int row3 = window_->Geometry().RowTop(3);
  Click(window_->Geometry().ValueLeft(), row3 + 2);
  EXPECT_EQ(data().DataValues[0], "5");
  EXPECT_EQ(window_->ValueRow(), 3);
  EXPECT_TRUE(Value().hasFocus());
  EXPECT_EQ(Value().text(), "12345");
  EXPECT_EQ(Value().cursorPosition(), 0);  // clicked before the first digit
  Click(380, row3 + 2);
  EXPECT_EQ(Value().cursorPosition(), 5);
}

TEST_F(DataWindowTest, ClickBelowTheLastRowDoesNothingAndTheTitleRowFocusesTheTitle) {
  ClickRow(2);
  ClickRow(6);
  EXPECT_EQ(window_->ValueRow(), 2);
  EXPECT_TRUE(Value().hasFocus());
  Click(20, 5, Qt::RightButton);
  EXPECT_TRUE(Value().hasFocus());
  Click(20, 5);
  EXPECT_TRUE(Title().hasFocus());
  EXPECT_EQ(row_number_, QString::fromStdString(RowNumberText(0)));
}

TEST_F(DataWindowTest, BoxesRefuseTextBeyondTheirBytesAndCharactersShiftJisLacks) {
  QString refused;
  QObject::connect(window_.get(), &TDataWindow::InputRefused,
                   [&refused](const QString& message) { refused = message; });
  ClickRow(1);
  Value().clear();
  Type(Value(), "あいうえお");  // ten bytes: the limit
  EXPECT_EQ(Value().text(), "あいうえお");
  Type(Value(), "6");
  EXPECT_EQ(Value().text(), "あいうえお");
  EXPECT_FALSE(refused.isEmpty());

  Title().setFocus();
  Type(Title(), "東京");
  refused.clear();
  Type(Title(), "한");
  EXPECT_EQ(Title().text(), "東京");
  EXPECT_TRUE(refused.contains("한"));
  Press(Qt::Key_Return);
  EXPECT_EQ(data().DataTitle, Sjis("東京"));
  EXPECT_EQ(data().DataValues[0], Sjis("あいうえお"));
}

TEST_F(DataWindowTest, NumbersTypedInFullWidthOrWithSeparatorsAreStoredInAscii) {
  struct Case {
    QString typed;
    std::string stored;
  };
  // Each is longer than the box in the form typed; the box takes it whole.
  const std::vector<Case> cases = {
      {"５２２４６１４", "5224614"},  {"１，２３７，９８４", "1237984"},
      {"123,456,789", "123456789"},   {"－１２３４．５６", "-1234.56"},
      {"１２，３", Sjis("１２，３")},  // not a number: as typed
  };
  for (const Case& c : cases) {
    ClickRow(1);
    Value().clear();
    Type(Value(), c.typed);
    Press(Qt::Key_Return);
    EXPECT_EQ(data().DataValues[0], c.stored) << c.typed.toStdString();
  }
}

TEST_F(DataWindowTest, ATitleWithUndefinedBytesIsKeptUnlessEditedAndNeverTakenLossily) {
  const std::string undefined_bytes = "A\x85\x40";  // row 0x85 is empty in Shift-JIS
  data().DataTitle = undefined_bytes;
  window_->LoadEdits();
  QString refused;
  QObject::connect(window_.get(), &TDataWindow::InputRefused,
                   [&refused](const QString& message) { refused = message; });
  Title().setFocus();
  ClickRow(1);
  EXPECT_TRUE(refused.isEmpty());
  EXPECT_FALSE(data().DataModified);

  Title().setFocus();
  Type(Title(), "B");
  ClickRow(1);
  EXPECT_FALSE(refused.isEmpty());
  EXPECT_EQ(data().DataTitle, undefined_bytes);
}

TEST_F(DataWindowTest, OnlyChangedValuesAreWorthTheDiscardQuestion) {
  Values({"", "", "", "", ""});
  window_->LoadEdits();
  Title().setFocus();
  Type(Title(), "題だけ");
  EXPECT_TRUE(window_->ConfirmDiscard());
  EXPECT_TRUE(bed_.reporter.questions.empty());
  EXPECT_FALSE(data().DataModified);

  ClickRow(2);
  Type(Value(), "7");
  bed_.reporter.ok_answer = false;
  EXPECT_FALSE(window_->ConfirmDiscard());
  ASSERT_EQ(bed_.reporter.questions.size(), 1u);
  EXPECT_EQ(bed_.reporter.questions[0], "現在のデータを破棄してもよいですか？");
  bed_.reporter.ok_answer = true;
  EXPECT_TRUE(window_->ConfirmDiscard());
}

TEST_F(DataWindowTest, FindAreaMatchesAnywhereOrAtTheStartAndWrapsRound) {
  window_->FindArea(Sjis("*森"), 1);
  EXPECT_EQ(window_->ValueRow(), 2);  // 青森
  EXPECT_TRUE(Value().hasFocus());
  EXPECT_EQ(Value().text(), "2");
  window_->FindArea(Sjis("*森"), 4);
  EXPECT_EQ(window_->ValueRow(), 5);  // 大森
  window_->FindArea(Sjis("森*"), 1);
  EXPECT_EQ(window_->ValueRow(), 3);  // 森岡 begins with it
  window_->FindArea(Sjis("北"), 2);
  EXPECT_EQ(window_->ValueRow(), 1);  // found above the start row
  EXPECT_TRUE(bed_.reporter.messages.empty());

  window_->FindArea("*", 1);  // empty pattern
  EXPECT_TRUE(bed_.reporter.messages.empty());
  window_->FindArea(Sjis("京"), 1);
  EXPECT_EQ(bed_.reporter.Numbers(), std::vector<int>{17});
  EXPECT_EQ(window_->ValueRow(), 1);
}

TEST_F(DataWindowTest, FindAreaComparesWholeCharactersAndKeepsAShortSearchText) {
  bed_.workspace.area_list.AreaNames.push_back(Sjis("ーの"));  // ー ends in the code of "["
  window_->FindArea("*[", 1);
  EXPECT_EQ(bed_.reporter.Numbers(), std::vector<int>{17});

  const std::string long_text = "A" + Sjis("漢漢漢漢漢漢漢漢漢漢漢");  // 23 bytes
  window_->FindArea(long_text, 1);
  EXPECT_EQ(window_->LastSearchText(), long_text.substr(0, 21));
}

TEST_F(DataWindowTest, FindAreaKeepsWhatWasTypedOnTheRowItLeaves) {
  ClickRow(4);
  Value().clear();
  Type(Value(), "44");
  window_->FindArea(Sjis("青"), 1);
  EXPECT_EQ(data().DataValues[3], "44");
  EXPECT_EQ(Value().text(), "2");
}

TEST_F(DataWindowTest, ClearingEmptiesTheDataAndAsksToClearTheMap) {
  std::vector<bool> clear_requests;
  QObject::connect(window_.get(), &TDataWindow::ClearMapRequested,
                   [&clear_requests](bool keep) { clear_requests.push_back(keep); });
  window_->SetDataFileName("/somewhere/人口.DAT");
  EXPECT_EQ(window_->windowTitle(), "データ 人口.DAT");
  data().DataTitle = "T";
  window_->ClearDataSet();
  EXPECT_EQ(window_->windowTitle(), "データ");
  EXPECT_TRUE(data().DataTitle.empty());
  EXPECT_TRUE(data().DataValues[2].empty());
  EXPECT_TRUE(data().DataFileName.empty());
  EXPECT_EQ(data().DataValues.size(), static_cast<std::size_t>(kMaxAreas));
  EXPECT_EQ(clear_requests, std::vector<bool>{false});
  EXPECT_TRUE(Title().hasFocus());
  EXPECT_TRUE(Title().text().isEmpty());
}

TEST_F(DataWindowTest, NewDataReadsTheBaseMapOnlyWhenItChanged) {
  bed_.program_dir.Write("U.IDT", test::BaseMapBytes({"東", "西"}));
  bed_.workspace.settings.BaseMapFile = "U.IDT";
  ClickRow(5);
  ASSERT_TRUE(window_->NewDataForBaseMap());
  EXPECT_EQ(bed_.workspace.area_list.AreaNames, (std::vector<std::string>{Sjis("東"), Sjis("西")}));
  EXPECT_EQ(bed_.workspace.area_list.CurrentBaseMapFile, "U.IDT");
  EXPECT_EQ(window_->ValueRow(), 1);  // the old row is past the new areas

  bed_.workspace.settings.BaseMapFile = "MISSING.IDT";
  EXPECT_FALSE(window_->NewDataForBaseMap());
  EXPECT_EQ(bed_.reporter.Numbers(), std::vector<int>{3});
  EXPECT_EQ(bed_.reporter.messages[0].text,
            "ＩＤＴファイル：MISSING.IDT の読み込みに失敗しました！\nファイルが見つかりません");
  EXPECT_EQ(bed_.workspace.area_list.CurrentBaseMapFile, "U.IDT");
}

TEST_F(DataWindowTest, NewDataForAFileBesideTheProgramNamesItWithoutDirectory) {
  const auto path = bed_.program_dir.Write("V.IDT", test::BaseMapBytes({"一"}));
  ASSERT_TRUE(window_->NewDataForFile(path));
  EXPECT_EQ(bed_.workspace.area_list.CurrentBaseMapFile, "V.IDT");
  EXPECT_EQ(bed_.workspace.area_list.AreaCount(), 1);
}

}  // namespace
}  // namespace kartela
