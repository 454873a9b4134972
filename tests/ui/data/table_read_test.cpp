// データ → 表から読み込み: a portal-style CSV of the population sample read
// through the dialog as a user fills it in.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <functional>
#include <memory>

#include "model/messages.h"
#include "model/portal_table.h"
#include "ui/data/data_exchange_commands.h"
#include "ui/data/data_window.h"
#include "ui/data/table_read_dialog.h"
#include "ui/data_test_support.h"

namespace kartela {
namespace {

using test::Sjis;

using test::Child;

const std::filesystem::path& kBaseMaps = test::kShippedBaseMaps;

bool OkEnabled(QDialog& dialog) {
  return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}

class TableReadTest : public testing::Test {
 protected:
  TableReadTest() {
    bed_.workspace.area_list = sample_.areas;
    window_ = std::make_unique<TDataWindow>(bed_.context);
    commands_ = std::make_unique<DataExchangeCommands>(bed_.context, *window_);
    commands_->SetDialogRunner([this](QDialog& dialog) {
      auto& table_dialog = dynamic_cast<TTableReadDialog&>(dialog);
      table_dialog.show();
      const int result = fill_(table_dialog);
      table_dialog.hide();
      return result;
    });
  }

  test::PopulationSample sample_ = test::ReadPopulationSample(kBaseMaps);
  test::DataTestBed bed_;
  std::unique_ptr<TDataWindow> window_;
  std::unique_ptr<DataExchangeCommands> commands_;
  std::function<int(TTableReadDialog&)> fill_;
};

TEST_F(TableReadTest, APortalCsvGivesTheSampleValuesAfterTheReportIsShown) {
  ASSERT_EQ(sample_.areas.AreaCount(), 47);
  const auto csv =
      bed_.program_dir.Write("人口.csv", Sjis(test::CsvOf(test::PortalTable(sample_))));
  QString report;
  fill_ = [&](TTableReadDialog& dialog) {
    dialog.SetTable(csv);
    // The header row and the columns are guessed from the table's layout.
    EXPECT_EQ(Child<QSpinBox>(dialog, "HeaderRow").value(), 4);
    EXPECT_EQ(Child<QComboBox>(dialog, "KeyColumn").currentText(), "2：地域");
    EXPECT_EQ(Child<QComboBox>(dialog, "KeyKind").currentText(), "区域名で");
    EXPECT_EQ(Child<QComboBox>(dialog, "ValueColumn").currentText(), "3：人口（人）");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Title").text(), "人口（人）");
    report = Child<QPlainTextEdit>(dialog, "Report").toPlainText();
    EXPECT_TRUE(OkEnabled(dialog));
    Child<QLineEdit>(dialog, "Title").setText("都道府県別人口");
    return int{QDialog::Accepted};
  };
  commands_->ReadTableClick();
  EXPECT_EQ(report,
            "文字コード：Shift-JIS（CP932）\n"
            "一致した区域：47 / 47\n"
            "区域に当たらない行（1）：5 行目「全国」\n"
            "値でないため空にした値（2）：40 行目「***」、48 行目「-」");
  const DataSet& data = bed_.workspace.data;
  EXPECT_EQ(data.DataTitle, Sjis("都道府県別人口"));
  EXPECT_TRUE(data.DataModified);
  for (int area = 1; area <= 47; ++area) {
    const bool marked = area == test::kDashArea || area == test::kSecretArea;
    EXPECT_EQ(data.DataValues[area - 1], marked ? "" : sample_.data.DataValues[area - 1]) << area;
  }
}

// Shown again after the base map changed, the dialog matches the same table
// to the new areas rather than offering the old match.
TEST_F(TableReadTest, ShownAgainTheDialogMatchesTheAreasOfNow) {
  const auto csv = bed_.program_dir.Write("t.csv", Sjis("地域,値\r\n東京,1\r\n大阪,2\r\n"));
  fill_ = [&](TTableReadDialog& dialog) {
    dialog.SetTable(csv);
    return int{QDialog::Accepted};
  };
  commands_->ReadTableClick();
  EXPECT_EQ(bed_.workspace.data.DataValues[12], "1");
  bed_.UseBaseMap("T.IDT", {"大阪府", "京都府"});
  QString report;
  fill_ = [&](TTableReadDialog& dialog) {
    report = Child<QPlainTextEdit>(dialog, "Report").toPlainText();
    return int{QDialog::Accepted};
  };
  commands_->ReadTableClick();
  EXPECT_TRUE(report.contains("一致した区域：1 / 2")) << report.toStdString();
  EXPECT_EQ(bed_.workspace.data.DataValues[0], "2");
  EXPECT_EQ(bed_.workspace.data.DataValues[1], "");
}

// Deaths per 1,000 births read in one step, from a table as GDAL writes
// reals; a zero and a missing divisor leave their areas empty.
TEST_F(TableReadTest, AColumnDividedByAnotherGivesARate) {
  const auto csv = bed_.program_dir.Write(
      "nc.csv",
      "NAME,SID74,BIR74\r\n北海道,2.000000000000000,0.000000000000000\r\n"
      "東京都,3.000000000000000,1000.000000000000000\r\n大阪府,5.000000000000000,\r\n"
      "京都府,0.250000000000000,500.000000000000000\r\n");
  QString report;
  fill_ = [&](TTableReadDialog& dialog) {
    dialog.SetTable(csv);
    EXPECT_EQ(Child<QComboBox>(dialog, "ValueColumn").currentText(), "2：SID74");
    EXPECT_EQ(Child<QComboBox>(dialog, "DivisorColumn").currentText(), "（割らない）");
    EXPECT_FALSE(Child<QComboBox>(dialog, "Factor").isEnabled());
    EXPECT_EQ(Child<QLabel>(dialog, "Samples").text(), "例：2、3、5、0.25");
    Child<QComboBox>(dialog, "DivisorColumn").setCurrentText("3：BIR74");
    Child<QComboBox>(dialog, "Factor").setCurrentText("1,000（‰）");
    Child<QSpinBox>(dialog, "Decimals").setValue(2);
    EXPECT_EQ(Child<QLineEdit>(dialog, "Title").text(), "SID74 ÷ BIR74");
    report = Child<QPlainTextEdit>(dialog, "Report").toPlainText();
    return int{QDialog::Accepted};
  };
  commands_->ReadTableClick();
  EXPECT_TRUE(
      report.contains("割り算で値の出た区域：2 / 47\n"
                      "値のない区域 43 件：青森県、岩手県、宮城県、秋田県、山形県、福島県、"
                      "茨城県、栃木県、群馬県、埼玉県 ほか 33 件\n"
                      "割る値のない区域 1 件：大阪府\n"
                      "割る値が 0 の区域 1 件：北海道"))
      << report.toStdString();
  const DataSet& data = bed_.workspace.data;
  EXPECT_EQ(data.DataTitle, Sjis("SID74 ÷ BIR74"));
  EXPECT_EQ(data.DataValues[0], "");
  EXPECT_EQ(data.DataValues[12], "3.00");
  EXPECT_EQ(data.DataValues[25], "0.50");
  EXPECT_EQ(data.DataValues[26], "");
}

TEST_F(TableReadTest, NothingIsReadWhileTwoRowsFallOnOneAreaOrTheTextIsMisread) {
  const auto tsv = bed_.program_dir.Write("dup.txt", Sjis("地域\t値\r\n東京\t1\r\n東京都\t3\r\n"));
  bed_.workspace.data.DataValues[12] = "99";
  QStringList reports;
  fill_ = [&](TTableReadDialog& dialog) {
    dialog.SetTable(tsv);
    reports << Child<QPlainTextEdit>(dialog, "Report").toPlainText();
    EXPECT_FALSE(OkEnabled(dialog));
    // Read as UTF-8, the Shift-JIS bytes are refused rather than garbled.
    Child<QComboBox>(dialog, "Encoding").setCurrentIndex(2);
    reports << Child<QPlainTextEdit>(dialog, "Report").toPlainText();
    EXPECT_FALSE(OkEnabled(dialog));
    return int{QDialog::Accepted};
  };
  commands_->ReadTableClick();
  ASSERT_EQ(reports.size(), 2);
  EXPECT_TRUE(
      reports[0].contains("同じ区域「東京都」に当たる行：2 行目「東京」と 3 行目「東京都」"))
      << reports[0].toStdString();
  EXPECT_TRUE(reports[1].startsWith("読み込めません：1 行目はUTF-8の文字として読めません。"))
      << reports[1].toStdString();
  EXPECT_EQ(bed_.workspace.data.DataValues[12], "99");
  EXPECT_FALSE(bed_.workspace.data.DataModified);
}

TEST_F(TableReadTest, WithoutABaseMapTheCommandSaysSo) {
  bed_.workspace.area_list = AreaList{};
  fill_ = [](TTableReadDialog&) -> int {
    ADD_FAILURE() << "the dialog opened";
    return QDialog::Rejected;
  };
  commands_->ReadTableClick();
  EXPECT_EQ(bed_.reporter.Numbers(), std::vector<int>{kMsgNoBaseMap});
}

}  // namespace
}  // namespace kartela
