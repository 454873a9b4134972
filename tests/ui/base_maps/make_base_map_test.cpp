// 基本 → 基本地図の作成: a Shapefile in Shift-JIS without .cpg becomes the
// base map (and, with a value field, its data), through the dialog as a
// user fills it in; a refusal leaves the dialog open with its reason.
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "boundary_fixtures.h"
#include "model/base_map_file.h"
#include "model/data_file.h"
#include "model/settings.h"
#include "model/test_support.h"
#include "ui/base_maps/base_map_commands.h"
#include "ui/base_maps/make_base_map_dialog.h"
#include "ui/widgets/qt_text.h"

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
  // the lists show; the second time the dialog shows, notes its status and
  // closes it.
  int Fill(QDialog& dialog) {
    auto& maker = dynamic_cast<TMakeBaseMapDialog&>(dialog);
    if (++shown_ > 1) {
      reopened_status_ = maker.findChild<QLabel*>("Status")->text();
      reopened_title_ = maker.findChild<QLineEdit*>("Title")->text();
      maker.done(QDialog::Rejected);
      return maker.result();
    }
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
  int shown_ = 0;
  QString reopened_status_;
  QString reopened_title_;
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
  // The rows GDAL repaired are reported when the map is made.
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_TRUE(reporter_.messages[0].text.starts_with(
      "基本地図「九州.IDT」を作成しました。\n1 行目の図形は不正だったため修復しました。"))
      << reporter_.messages[0].text;
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
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(shown_, 2);
  EXPECT_EQ(reopened_status_, "基本地図を作成できません。\nファイルが見つかりません。");
  EXPECT_EQ(reopened_title_, "ＫＹＵＳＨＵ");
  EXPECT_EQ(workspace_.settings.BaseMapFile, Sjis("全国２.IDT"));
  EXPECT_FALSE(std::filesystem::exists(program_dir_.path() / "ＫＹＵＳＨＵ.IDT"));
}

TEST_F(MakeBaseMapTest, ATypedPathAndAValueFieldMakeTheMapAndOpenItsData) {
  std::filesystem::path opened;
  commands_.SetDataOpener([&opened](const std::filesystem::path& path) { opened = path; });
  QStringList value_items;
  commands_.SetDialogRunner([&](QDialog& dialog) {
    auto& maker = dynamic_cast<TMakeBaseMapDialog&>(dialog);
    auto* file = maker.findChild<QLineEdit*>("SourceFile");
    file->setText(PathText(source_));
    // Enter in the file box reads the file and leaves the dialog open.
    maker.show();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(file, &enter);
    EXPECT_TRUE(maker.isVisible());
    EXPECT_EQ(maker.result(), 0);
    auto* value = maker.findChild<QComboBox*>("ValueField");
    for (int i = 0; i < value->count(); ++i)
      value_items << value->itemText(i);
    value->setCurrentIndex(value->findData("POP"));
    auto* group = maker.findChild<QComboBox*>("GroupField");
    group->setCurrentIndex(group->findData("CODE"));
    maker.findChild<QLineEdit*>("Title")->setText(title_);
    maker.done(QDialog::Accepted);
    return maker.result();
  });
  commands_.MakeBaseMapClick();
  // Only numeric fields, their reals without the file's fifteen decimals.
  EXPECT_EQ(value_items, QStringList({"（なし）", "CODE（40、41、42、43、44）",
                                      "POP（40000、41000、42000、43000、44000）"}));
  EXPECT_EQ(reporter_.messages.size(), 1u);  // the rows repaired
  ASSERT_EQ(opened, program_dir_.path() / "九州.DAT");
  AreaList areas;
  DataSet data;
  ASSERT_TRUE(ReadDataFile(opened, program_dir_.path(), areas, data, reporter_));
  EXPECT_EQ(areas.AreaNames.front(), Sjis("福岡県"));
  EXPECT_EQ(data.DataValues[0], "40000");
  EXPECT_EQ(data.DataValues[6], "46000");
}

// A GeoPackage whose first field is a real area, then a region repeated
// over its rows, then the names.
std::filesystem::path AreasFirst(const std::filesystem::path& dir) {
  const std::filesystem::path path = dir / "areas.gpkg";
  GDALAllRegister();
  GDALDatasetUniquePtr dataset(GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
      path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  OGRSpatialReference lonlat;
  lonlat.importFromEPSG(4326);
  OGRLayer* layer = dataset->CreateLayer("areas", &lonlat, wkbPolygon, nullptr);
  OGRFieldDefn area("AREA", OFTReal), region("REGION", OFTString), name("NAME", OFTString);
  area.SetWidth(24);
  area.SetPrecision(15);
  for (OGRFieldDefn* field : {&area, &region, &name})
    layer->CreateField(field);
  const struct {
    double area;
    const char* region;
    const char* name;
  } rows[] = {{1, "北", "Ålesund"}, {0.25, "北", "Bodø"}, {12.5, "南", "Tromsø"}};
  double x = 10;
  for (const auto& row : rows) {
    OGRFeature feature(layer->GetLayerDefn());
    feature.SetField("AREA", row.area);
    feature.SetField("REGION", row.region);
    feature.SetField("NAME", row.name);
    OGRLinearRing ring;
    for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}})
      ring.addPoint(x + dx, 60 + dy);
    ring.closeRings();
    OGRPolygon polygon;
    polygon.addRing(&ring);
    feature.SetGeometry(&polygon);
    EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    x += 1;
  }
  return path;
}

TEST(MakeBaseMapDialogTest, ADroppedFileShowsItsFieldsWithTheNamesChosen) {
  const test::ScratchDir dir;
  TMakeBaseMapDialog dialog;
  auto* file = dialog.findChild<QLineEdit*>("SourceFile");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(PathText(AreasFirst(dir.path())))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(file, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(file, &drop);
  EXPECT_TRUE(drop.isAccepted());
  auto* name = dialog.findChild<QComboBox*>("NameField");
  // Not the real AREA nor the repeated REGION: the first text field whose
  // values differ.
  EXPECT_EQ(name->currentData().toString(), "NAME");
  EXPECT_EQ(name->itemText(0), "AREA（1、0.25、12.5）");
  const basemap::ImportOptions options = dialog.Options();
  EXPECT_EQ(options.source.path, AreasFirst(dir.path()));
  EXPECT_EQ(options.source.name_field, "NAME");
  EXPECT_TRUE(options.source.value_field.empty());
  EXPECT_FALSE(options.with_data);
}

}  // namespace
}  // namespace kartela
