#include "ui/data/data_exchange_commands.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <functional>
#include <memory>

#include "ui/data/area_find_dialog.h"
#include "ui/data/data_paste_dialog.h"
#include "ui/data/data_window.h"
#include "ui/data_test_support.h"

namespace kartela {
namespace {

using test::DataTestBed;
using test::Sjis;

QLineEdit& Box(QWidget& parent, const char* name) {
  auto* box = parent.findChild<QLineEdit*>(name);
  EXPECT_NE(box, nullptr) << name;
  return *box;
}

QString ClipboardText() {
  return QGuiApplication::clipboard()->text();
}

void SetClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
}

// The commands over five areas. Each dialog is shown, answered by `answer_`
// (by default with OK, or TopArea for the paste dialog) and closed.
class DataExchangeCommandsTest : public testing::Test {
 protected:
  DataExchangeCommandsTest() {
    bed_.UseBaseMap("T.IDT", {"北海道", "山形", "東京", "富山", "山口"});
    bed_.workspace.area_list.LongestAreaName = 6;
    window_ = std::make_unique<TDataWindow>(bed_.context);
    window_->resize(300, 200);
    commands_ = std::make_unique<DataExchangeCommands>(bed_.context, *window_);
    commands_->SetDialogRunner([this](QDialog& dialog) { return Run(dialog); });
    QGuiApplication::clipboard()->clear();
  }

  int Run(QDialog& dialog) {
    shown_.push_back(dialog.objectName());
    dialog.show();  // activation sets the dialog up as the user sees it
    dialog.setResult(QDialog::Rejected);
    dialog.done(answer_ ? answer_(dialog) : QDialog::Accepted);
    const int result = dialog.isVisible() ? int{QDialog::Rejected} : dialog.result();
    dialog.hide();
    window_->activateWindow();  // as the modal loop gives the focus back
    QApplication::processEvents();
    return result;
  }

  DataSet& data() { return bed_.workspace.data; }
  void Values(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      data().DataValues[i] = Sjis(values[i]);
    window_->LoadEdits();
  }
  std::vector<std::string> FirstValues() const {
    const auto& values = bed_.workspace.data.DataValues;
    return {values.begin(), values.begin() + 5};
  }

  DataTestBed bed_;
  std::unique_ptr<TDataWindow> window_;
  std::unique_ptr<DataExchangeCommands> commands_;
  std::function<int(QDialog&)> answer_;
  std::vector<QString> shown_;
};

// --- Copy ---

TEST_F(DataExchangeCommandsTest, CopyGivesTheTitleAndTheValuesTakingWhatWasTyped) {
  data().DataTitle = Sjis("人口");
  Values({"5224614", "", "3.5"});
  Box(*window_, "ValueEdit").setText("42");  // typed on area 1, not yet committed
  commands_->CopyDataClick();
  EXPECT_EQ(shown_, std::vector<QString>{"TDataClipDialog"});
  EXPECT_EQ(ClipboardText(), "人口\n42\n\n3.5\n\n\n");
  EXPECT_TRUE(bed_.reporter.messages.empty());
}

TEST_F(DataExchangeCommandsTest, CopyWithNamesAndTheBoxesResetAtEveryShowing) {
  Values({"1", "2"});
  answer_ = [](QDialog& dialog) {
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("TitleON")->isChecked());
    dialog.findChild<QCheckBox*>("TitleON")->setChecked(false);
    dialog.findChild<QCheckBox*>("AreaON")->setChecked(true);
    return QDialog::Accepted;
  };
  commands_->CopyDataClick();
  EXPECT_EQ(ClipboardText(), "北海道\t1\n山形  \t2\n東京  \t\n富山  \t\n山口  \t\n");

  answer_ = [](QDialog& dialog) {
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("TitleON")->isChecked());
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("AreaON")->isChecked());
    return QDialog::Rejected;
  };
  commands_->CopyDataClick();  // cancelled: the clipboard keeps the last copy
  EXPECT_EQ(ClipboardText(), "北海道\t1\n山形  \t2\n東京  \t\n富山  \t\n山口  \t\n");
}

TEST_F(DataExchangeCommandsTest, CopyTakesAFullSizeDataSet) {
  bed_.workspace.area_list.AreaNames.assign(kMaxAreas, Sjis("市町村"));
  data().DataValues.assign(kMaxAreas, "12345678901");
  answer_ = [](QDialog& dialog) {
    dialog.findChild<QCheckBox*>("AreaON")->setChecked(true);
    return QDialog::Accepted;
  };
  commands_->CopyDataClick();
  const QByteArray copied = ClipboardText().toUtf8();
  EXPECT_GT(copied.size(), 65535);
  EXPECT_EQ(copied.count('\n'), kMaxAreas + 1);
  EXPECT_TRUE(bed_.reporter.messages.empty());
}

TEST_F(DataExchangeCommandsTest, CopyRefusesBytesShiftJisDoesNotDefine) {
  SetClipboard("before");
  data().DataValues[1] = "\x85\x40";
  window_->LoadEdits();
  commands_->CopyDataClick();
  ASSERT_EQ(bed_.reporter.messages.size(), 1u);
  EXPECT_NE(bed_.reporter.messages[0].text.find("区域 2（山形）"), std::string::npos);
  EXPECT_EQ(ClipboardText(), "before");
}

// --- Paste ---

TEST_F(DataExchangeCommandsTest, CommaLineFromTheFirstOrTheEditedArea) {
  SetClipboard("1,\"2,5\",3\r\n");
  commands_->PasteDataClick();
  EXPECT_EQ(shown_, std::vector<QString>{"TDataPasteDialog"});
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"1", "2,5", "3", "", ""}));
  EXPECT_TRUE(data().DataModified);
  EXPECT_EQ(Box(*window_, "ValueEdit").text(), "1");  // the boxes show the pasted data

  window_->FindArea(Sjis("富山"), 1);  // edits area 4
  answer_ = [](QDialog&) { return TDataPasteDialog::kFocusArea; };
  SetClipboard("7,8,9");  // more values than areas are left
  commands_->PasteDataClick();
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"1", "2,5", "3", "7", "8"}));
}

TEST_F(DataExchangeCommandsTest, AHeadingFirstSetsTheTitleWithoutAsking) {
  SetClipboard("人口（2020年）\n10\n 20 ; 推計\n");
  commands_->PasteDataClick();
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(data().DataTitle, Sjis("人口（2020年）"));
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"10", "20", "", "", ""}));
  EXPECT_EQ(Box(*window_, "TitleEdit").text(), "人口（2020年）");
}

TEST_F(DataExchangeCommandsTest, TabColumnsAndEmptyCellsAsCalcCopiesThem) {
  Values({"x", "x", "x", "x", "x"});
  SetClipboard("北海道\t1\n山形\t2\n");
  commands_->PasteDataClick();
  EXPECT_EQ(data().DataTitle, Sjis("北海道"));
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"1", Sjis("山形"), "2", "x", "x"}));

  SetClipboard("1\n\n3\n4\n5\n6\n7\n");  // an empty cell keeps the areas in step
  commands_->PasteDataClick();
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"1", "", "3", "4", "5"}));
}

TEST_F(DataExchangeCommandsTest, CancelLeavesTheDataAlone) {
  Values({"a", "b"});
  SetClipboard("1\n2\n");
  answer_ = [](QDialog&) { return QDialog::Rejected; };
  commands_->PasteDataClick();
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"a", "b", "", "", ""}));
  EXPECT_FALSE(data().DataModified);
}

TEST_F(DataExchangeCommandsTest, RefusalsStoreNothing) {
  Values({"a", "b"});
  SetClipboard("1\n한\n");
  commands_->PasteDataClick();
  SetClipboard("1\n123456789012\n");
  commands_->PasteDataClick();
  ASSERT_EQ(bed_.reporter.messages.size(), 2u);
  EXPECT_NE(bed_.reporter.messages[0].text.find("「한」(U+D55C)"), std::string::npos);
  EXPECT_NE(bed_.reporter.messages[1].text.find("「123456789012」"), std::string::npos);
  EXPECT_EQ(shown_, std::vector<QString>{"TDataPasteDialog"});  // asked before the length
  EXPECT_EQ(FirstValues(), (std::vector<std::string>{"a", "b", "", "", ""}));
  EXPECT_FALSE(data().DataModified);

  QGuiApplication::clipboard()->clear();
  commands_->PasteDataClick();  // nothing on the clipboard: silently nothing
  EXPECT_EQ(bed_.reporter.messages.size(), 2u);
}

// --- Search ---

TEST_F(DataExchangeCommandsTest, RepeatedSearchGoesOnAfterTheCurrentAreaAndWraps) {
  test::ShowActive(*window_);
  std::vector<QString> offered;
  answer_ = [&offered](QDialog& dialog) {
    QLineEdit& name = Box(dialog, "SearchName");
    offered.push_back(name.text());
    if (name.text().isEmpty()) name.setText("*山");
    return QDialog::Accepted;
  };
  std::vector<int> rows;
  for (int i = 0; i < 4; ++i) {
    commands_->FindAreaClick();
    rows.push_back(window_->ValueRow());
  }
  EXPECT_EQ(rows, (std::vector<int>{2, 4, 5, 2}));
  EXPECT_EQ(offered, (std::vector<QString>{"", "*山", "*山", "*山"}));
  EXPECT_TRUE(bed_.reporter.messages.empty());

  Box(*window_, "TitleEdit").setFocus();  // not on an area: from the first
  commands_->FindAreaClick();
  EXPECT_EQ(window_->ValueRow(), 2);

  answer_ = [](QDialog& dialog) {
    Box(dialog, "SearchName").setText("大阪");
    return QDialog::Accepted;
  };
  commands_->FindAreaClick();
  EXPECT_EQ(bed_.reporter.Numbers(), std::vector<int>{17});
}

TEST_F(DataExchangeCommandsTest, SearchCancelledOrRefusedMovesNothing) {
  window_->FindArea(Sjis("東京"), 1);
  answer_ = [](QDialog& dialog) {
    Box(dialog, "SearchName").setText("山");
    return QDialog::Rejected;
  };
  commands_->FindAreaClick();
  EXPECT_EQ(window_->ValueRow(), 3);

  for (const char* refused : {"한", "あいうえおかきくけこさ"}) {  // 22 bytes
    answer_ = [refused](QDialog& dialog) {
      Box(dialog, "SearchName").setText(refused);
      return QDialog::Accepted;
    };
    commands_->FindAreaClick();
  }
  EXPECT_EQ(window_->ValueRow(), 3);
  ASSERT_EQ(bed_.reporter.messages.size(), 2u);
  EXPECT_EQ(bed_.reporter.messages[0].title, "警告");
}

}  // namespace
}  // namespace kartela
