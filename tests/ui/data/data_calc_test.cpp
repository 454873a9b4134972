// データ → データの計算...: the shipped population divided by the land areas
// beside it, and divisors with a zero, a missing value or another base map,
// through the command as a user runs it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <functional>
#include <memory>

#include "model/data_file.h"
#include "ui/data/data_calc_dialog.h"
#include "ui/data/data_exchange_commands.h"
#include "ui/data/data_window.h"
#include "ui/data_test_support.h"

namespace kartela {
namespace {

using test::Sjis;

using test::Child;

const std::filesystem::path& kBaseMaps = test::kShippedBaseMaps;

QString Report(QDialog& dialog) {
  return Child<QPlainTextEdit>(dialog, "Report").toPlainText();
}

class DataCalcTest : public testing::Test {
 protected:
  DataCalcTest() {
    for (const char* name :
         {"全国２.IDT", "人口2020.DAT", "全国２面積.DAT", "米国.IDT", "米国面積.DAT"})
      std::filesystem::copy_file(kBaseMaps / name, bed_.program_dir.path() / name);
    Workspace& workspace = bed_.workspace;
    EXPECT_TRUE(ReadDataFile(bed_.program_dir.path() / "人口2020.DAT", bed_.program_dir.path(),
                             workspace.area_list, workspace.data, bed_.reporter));
    workspace.data.DataFileName = bed_.program_dir.path() / "人口2020.DAT";
    window_ = std::make_unique<TDataWindow>(bed_.context);
    window_->LoadEdits();
    commands_ = std::make_unique<DataExchangeCommands>(bed_.context, *window_);
    commands_->SetDialogRunner([this](QDialog& dialog) {
      auto& calc_dialog = dynamic_cast<TDataCalcDialog&>(dialog);
      calc_dialog.show();
      const int result = fill_(calc_dialog);
      calc_dialog.hide();
      return result;
    });
  }

  test::DataTestBed bed_;
  std::unique_ptr<TDataWindow> window_;
  std::unique_ptr<DataExchangeCommands> commands_;
  std::function<int(TDataCalcDialog&)> fill_;
};

TEST_F(DataCalcTest, PopulationDensityFromTheLandAreasBesideTheMap) {
  QStringList offered;
  fill_ = [&](TDataCalcDialog& dialog) {
    auto& divisor = Child<QComboBox>(dialog, "Divisor");
    for (int i = 0; i < divisor.count(); ++i)
      offered << divisor.itemText(i);
    EXPECT_EQ(divisor.currentText(),
              "都道府県別面積（平方キロメートル、2020年10月1日）（全国２面積.DAT）");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Title").text(), "都道府県別人口 ÷ 都道府県別面積");
    EXPECT_EQ(Report(dialog), "計算できる区域：47 / 47");
    Child<QSpinBox>(dialog, "Decimals").setValue(0);
    Child<QLineEdit>(dialog, "Title").setText("人口密度（人/km2）");
    return int{QDialog::Accepted};
  };
  commands_->CalcDataClick();
  // Only the data on the same base map, and not the data being divided.
  EXPECT_EQ(offered,
            QStringList{"都道府県別面積（平方キロメートル、2020年10月1日）（全国２面積.DAT）"});
  const DataSet& data = bed_.workspace.data;
  EXPECT_EQ(data.DataTitle, Sjis("人口密度（人/km2）"));
  EXPECT_EQ(data.DataValues[12], "6403");  // 東京都
  EXPECT_EQ(data.DataValues[0], "63");     // 北海道
  EXPECT_TRUE(data.DataModified);
  EXPECT_TRUE(data.DataFileName.empty());
  EXPECT_TRUE(data.DataNotes.empty());

  // The quotient is unsaved: a second calculation asks before replacing it.
  bed_.reporter.ok_answer = false;
  fill_ = [](TDataCalcDialog&) { return int{QDialog::Accepted}; };
  commands_->CalcDataClick();
  EXPECT_EQ(bed_.reporter.questions.size(), 1u);
  EXPECT_EQ(bed_.workspace.data.DataValues[12], "6403");
}

TEST_F(DataCalcTest, AreasWithoutADivisorAreNamedAndAnotherMapIsRefused) {
  std::string births = Sjis("全国２.IDT\r\n出生数（人）\r\n0\r\n\r\n");
  for (int i = 3; i <= 47; ++i)
    births += "10000\r\n";
  const auto births_file = bed_.program_dir.Write("出生.DAT", births);
  fill_ = [&](TDataCalcDialog& dialog) {
    EXPECT_FALSE(dialog.AddDivisorFile(bed_.program_dir.path() / "米国面積.DAT"));
    EXPECT_TRUE(Report(dialog).startsWith("割るデータにできません：割るデータの基本地図 米国.IDT"))
        << Report(dialog).toStdString();
    EXPECT_TRUE(dialog.AddDivisorFile(births_file));
    EXPECT_EQ(Child<QLineEdit>(dialog, "Title").text(), "都道府県別人口 ÷ 出生数");
    Child<QComboBox>(dialog, "Factor").setCurrentText("1,000（‰）");
    EXPECT_EQ(Report(dialog),
              "計算できる区域：45 / 47\n"
              "割る値のない区域 1 件：青森県\n"
              "割る値が 0 の区域 1 件：北海道");
    return int{QDialog::Accepted};
  };
  commands_->CalcDataClick();
  const DataSet& data = bed_.workspace.data;
  EXPECT_EQ(data.DataValues[0], "");
  EXPECT_EQ(data.DataValues[1], "");
  EXPECT_EQ(data.DataValues[2], "121053.4");  // 1,210,534 / 10,000 × 1,000
}

TEST_F(DataCalcTest, NothingChangesWhenCancelledOrWithoutADivisor) {
  std::filesystem::remove(bed_.program_dir.path() / "全国２面積.DAT");
  const DataSet before = bed_.workspace.data;
  fill_ = [&](TDataCalcDialog& dialog) {
    EXPECT_FALSE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_TRUE(Report(dialog).startsWith("同じ基本地図のデータファイルがありません"));
    return int{QDialog::Accepted};
  };
  commands_->CalcDataClick();
  EXPECT_EQ(bed_.workspace.data.DataValues, before.DataValues);
  EXPECT_EQ(bed_.workspace.data.DataFileName, before.DataFileName);
}

}  // namespace
}  // namespace kartela
