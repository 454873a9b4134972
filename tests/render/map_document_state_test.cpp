#include "render/map_document_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/real48.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using test::RecordingReporter;
using test::ScratchDir;
using test::Sjis;

// A base map of three areas without points.
std::string BaseMapBytes() {
  return Sjis("テスト地図") + "\r\nA=10,10\r\nB=20,20\r\nC\r\n@STARTOFPOINTS\r\n" +
         std::string(4, '\0');
}

class MapDocumentStateTest : public testing::Test {
 protected:
  void SetUp() override { program_dir_.Write("T.IDT", BaseMapBytes()); }

  // A workspace showing a map of `kind` on T.IDT, with values, settings of
  // every kind and two decorations.
  Workspace MapOfKind(MapKind kind) {
    Workspace workspace;
    workspace.area_list.AreaNames = {"A", "B", "C"};
    workspace.area_list.CurrentBaseMapFile = "T.IDT";
    workspace.base_map.LoadedMapFile = "T.IDT";
    workspace.data.DataTitle = Sjis("人口");
    workspace.data.DataValues[0] = "5";
    workspace.data.DataValues[1] = " 15.5";
    workspace.data.DataValues[2] = "x";
    workspace.data.DataFileName = "/old.DAT";
    workspace.class_tables.DataMin = 5;
    workspace.class_tables.DataMax = 15.5;
    workspace.class_tables.DivisionMethod = 2;
    workspace.class_tables.ClassBreaks = {"10", " 12", "", "", "", "", "", ""};
    workspace.settings.LegendStyle = 6;
    workspace.symbols = {30, RoundToReal48(2.5L), "100", 3, 7};
    workspace.view.GlyphPictureFile = "GONE.EMF";
    workspace.view.Kind = kind;
    AddShapeDecoration(workspace.decorations, {1, 2, 3, 4, kShapeSquare + 2});
    AddTextDecoration(workspace.decorations, {5, 6, kTextTransparent, Sjis("注")});
    return workspace;
  }

  std::filesystem::path Save(const Workspace& workspace) {
    const auto path = document_dir_.path() / "MAP.KTD";
    EXPECT_TRUE(SaveMapDocument(path, workspace).ok());
    return path;
  }

  ScratchDir program_dir_;
  ScratchDir document_dir_;
  RecordingReporter reporter_;
};

TEST_F(MapDocumentStateTest, EachKindLoadsAsSavedAndSavesAgainIdentically) {
  for (const MapKind kind :
       {MapKind::kWhiteMap, MapKind::kPaintMap, MapKind::kCircleGraph, MapKind::kPictureGraph}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const Workspace saved = MapOfKind(kind);
    const auto path = Save(saved);
    const std::string bytes = document_dir_.Read("MAP.KTD");
    Workspace loaded;
    reporter_.messages.clear();
    // The bare base-map name is found in the program directory, not beside the document.
    ASSERT_TRUE(LoadMapDocument(path, program_dir_.path(), loaded, reporter_));
    EXPECT_EQ(loaded.view.Kind, kind);
    EXPECT_EQ(loaded.base_map.LoadedMapFile, "T.IDT");
    EXPECT_EQ(loaded.decorations.ShapeCount, 1);
    EXPECT_EQ(loaded.decorations.TextDecorations[0].Text, Sjis("注"));
    ASSERT_TRUE(SaveMapDocument(path, loaded).ok());
    EXPECT_EQ(document_dir_.Read("MAP.KTD"), bytes);
    if (kind == MapKind::kWhiteMap) continue;
    EXPECT_EQ(loaded.area_list.AreaCount(), 3);
    EXPECT_EQ(loaded.data.DataTitle, Sjis("人口"));
    EXPECT_EQ(loaded.data.DataValues[1], " 15.5");
    EXPECT_TRUE(loaded.data.DataFileName.empty());
    EXPECT_EQ(loaded.class_tables.NumericValues[2], kMissingValue);
  }
}

TEST_F(MapDocumentStateTest, KindSettingsComeBackAndTheValuesDecideTheExtremes) {
  Workspace stale = MapOfKind(MapKind::kPaintMap);
  stale.class_tables.DataMin = 999;
  stale.class_tables.DataMax = -999;
  Workspace paint;
  ASSERT_TRUE(LoadMapDocument(Save(stale), program_dir_.path(), paint, reporter_));
  EXPECT_EQ(paint.class_tables.DataMin, 5);
  EXPECT_EQ(paint.class_tables.DataMax, 15.5);
  EXPECT_EQ(paint.class_tables.DivisionMethod, 2);
  EXPECT_EQ(paint.class_tables.ClassBreaks[1], " 12");
  EXPECT_EQ(paint.settings.LegendStyle, 6);
  Workspace circle;
  ASSERT_TRUE(LoadMapDocument(Save(MapOfKind(MapKind::kCircleGraph)), program_dir_.path(), circle,
                              reporter_));
  EXPECT_EQ(circle.symbols.RefRadius, 30);
  EXPECT_EQ(circle.symbols.BaseValue, RoundToReal48(2.5L));
  EXPECT_EQ(circle.symbols.MinusColour, 7);
  // A picture that is gone is reported, and the document still loads.
  Workspace picture;
  reporter_.messages.clear();
  ASSERT_TRUE(LoadMapDocument(Save(MapOfKind(MapKind::kPictureGraph)), program_dir_.path(), picture,
                              reporter_));
  EXPECT_EQ(picture.view.GlyphPictureFile, "GONE.EMF");
  EXPECT_EQ(picture.view.GlyphPicture, nullptr);
  EXPECT_EQ(reporter_.Numbers(), std::vector<int>{kMsgFileReadFailed});
}

TEST_F(MapDocumentStateTest, RefusedDocumentsChangeNothingButTheMessage) {
  const std::string good = FormatMapDocument(DocumentOf(MapOfKind(MapKind::kPaintMap)));
  std::string four_values = good;
  four_values.replace(four_values.find("#\r\n3\r\n"), 6, "#\r\n4\r\n9\r\n");
  std::string other_map = good;
  other_map.replace(other_map.find("T.IDT"), 5, "NONE.IDT");
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } rows[] = {
      {"unknown kind", "@Q\r\n", "を知りません"},
      {"more values than areas", four_values, "区域の数 3 を超えています"},
      {"missing base map", other_map, "NONE.IDT"},
      {"too large", std::string(map_document::kMaxFileBytes + 1, '@'), "大きすぎます"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Workspace workspace = MapOfKind(MapKind::kPaintMap);
    const std::string before = FormatMapDocument(DocumentOf(workspace));
    reporter_.messages.clear();
    const auto path = document_dir_.Write("BAD.KTD", row.bytes);
    EXPECT_FALSE(LoadMapDocument(path, program_dir_.path(), workspace, reporter_));
    ASSERT_EQ(reporter_.Numbers(), std::vector<int>{kMsgFileReadFailed});
    EXPECT_NE(reporter_.messages[0].text.find(row.reason), std::string::npos)
        << reporter_.messages[0].text;
    EXPECT_EQ(FormatMapDocument(DocumentOf(workspace)), before);
    EXPECT_EQ(workspace.data.DataFileName, "/old.DAT");
    EXPECT_EQ(workspace.view.Kind, MapKind::kPaintMap);
  }
}

}  // namespace
}  // namespace kartela
