// 基本 → 基本地図の作成: a Shapefile in Shift-JIS without .cpg becomes the
// base map, through the dialog as a user fills it in.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "boundary_fixtures.h"
#include "model/base_map_file.h"
#include "model/settings.h"
#include "model/test_support.h"
#include "ui/base_maps/base_map_commands.h"
#include "ui/base_maps/make_base_map_dialog.h"

namespace kartela {
namespace {

using test::Sjis;

constexpr int kFukuoka = 40;
constexpr int kKagoshima = 46;

class MakeBaseMapTest : public testing::Test {
 protected:
  MakeBaseMapTest() {
    const auto rows = test::OneRowPerPart(test::ShippedPrefectures(kFukuoka, kKagoshima));
    source_ = test::WriteBoundaryFile(
        source_dir_.path(),
        {"ESRI Shapefile", "kyushu.shp", test::FixtureText::kCp932WithoutCpg, 6668}, rows);
    commands_.SetDialogRunner([this](QDialog& dialog) { return Fill(dialog); });
  }

  // Chooses the file, the name and group fields and the title, noting what
  // the lists show.
  int Fill(QDialog& dialog) {
    auto& maker = dynamic_cast<TMakeBaseMapDialog&>(dialog);
    maker.SetSource(source_);
    auto* name = maker.findChild<QComboBox*>("NameField");
    auto* group = maker.findChild<QComboBox*>("GroupField");
    name_item_ = name->itemText(name->findData("NAME"));
    name->setCurrentIndex(name->findData("NAME"));
    group->setCurrentIndex(group->findData("CODE"));
    status_ = maker.findChild<QLabel*>("Status")->text();
    maker.findChild<QLineEdit*>("Title")->setText(title_);
    maker.done(QDialog::Accepted);
    return maker.result();
  }

  test::ScratchDir program_dir_;
  test::ScratchDir source_dir_;
  std::filesystem::path source_;
  QString title_ = "九州";
  QString name_item_;
  QString status_;
  Workspace workspace_;
  test::RecordingReporter reporter_;
  AppContext context_{workspace_, ProgramPaths{program_dir_.path(), "kartela"}, reporter_,
                      TextMetrics{}};
  BaseMapCommands commands_{context_};
};

TEST_F(MakeBaseMapTest, AShiftJisShapefileBecomesTheBaseMapWithItsNamesReadRight) {
  commands_.MakeBaseMapClick();
  EXPECT_EQ(name_item_, "NAME（福岡県、佐賀県、長崎県、熊本県、大分県）");
  EXPECT_EQ(status_, "文字コード：Shift-JIS（CP932）");
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(workspace_.settings.BaseMapFile, Sjis("九州.IDT"));
  EXPECT_EQ(workspace_.settings.ChangedMask, kChangedBaseMap);
  BaseMap map;
  ASSERT_TRUE(ReadBaseMap(program_dir_.path() / "九州.IDT", map).ok());
  ASSERT_EQ(map.MapAreaCount(), 7);
  EXPECT_EQ(map.MapAreaNames.front(), Sjis("福岡県"));
  EXPECT_EQ(map.MapAreaNames.back(), Sjis("鹿児島県"));
}

TEST_F(MakeBaseMapTest, AFailedImportLeavesTheBaseMapAndSaysWhy) {
  title_ = "ＫＹＵＳＨＵ";
  workspace_.settings.BaseMapFile = Sjis("全国２.IDT");
  commands_.SetDialogRunner([this](QDialog& dialog) {
    const int result = Fill(dialog);
    std::filesystem::remove(source_);  // gone before the import reads it
    return result;
  });
  commands_.MakeBaseMapClick();
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_NE(
      reporter_.messages[0].text.find("基本地図を作成できません。\nファイルが見つかりません。"),
      std::string::npos)
      << reporter_.messages[0].text;
  EXPECT_EQ(workspace_.settings.BaseMapFile, Sjis("全国２.IDT"));
  EXPECT_FALSE(std::filesystem::exists(program_dir_.path() / "ＫＹＵＳＨＵ.IDT"));
}

}  // namespace
}  // namespace kartela
