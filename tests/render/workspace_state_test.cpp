#include "render/workspace_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/settings_file.h"
#include "model/test_support.h"

namespace kartela {
namespace {

using test::Sjis;

// The number of members of an aggregate: the most initialisers it takes.
struct AnyMember {
  template <class T>
  operator T() const;  // NOLINT(google-explicit-constructor): stands for any member
};

template <class T, std::size_t... kIndexes>
constexpr bool TakesInitialisers(std::index_sequence<kIndexes...> /*count*/) {
  return requires {
    T{(void(kIndexes), AnyMember{})...};
  };
}

template <class T, std::size_t kCount = 0>
constexpr std::size_t MemberCount() {
  if constexpr (!TakesInitialisers<T>(std::make_index_sequence<kCount + 1>{})) {
    return kCount;
  } else {
    return MemberCount<T, kCount + 1>();
  }
}

TEST(WorkspaceStateTest, TheMoveCoversEveryMemberOfEachRecord) {
  const CoveredMembers covered = CoveredMemberCounts();
  const char* const hint = "a member was added: add it to the move in render/workspace_state.cpp";
  EXPECT_EQ(covered.data, MemberCount<DataSet>()) << hint;
  EXPECT_EQ(covered.decorations, MemberCount<DecorationLists>()) << hint;
  EXPECT_EQ(covered.settings, MemberCount<Settings>()) << hint;
  EXPECT_EQ(covered.view, MemberCount<MapView>()) << hint;
  EXPECT_EQ(covered.class_tables, MemberCount<ClassTables>()) << hint;
  EXPECT_EQ(covered.symbols, MemberCount<SymbolSettings>()) << hint;
}

Workspace SampleWorkspace() {
  Workspace workspace;
  workspace.data.DataTitle = Sjis("人口");
  workspace.data.DataValues[0] = "12";
  workspace.data.DataValues[1] = "7";
  workspace.view.Kind = MapKind::kPaintMap;
  workspace.class_tables.ClassBreaks[0] = "10";
  workspace.decorations.ShapeDecorations[0] = {1, 2, 30, 40, kShapeLine};
  workspace.decorations.ShapeCount = 1;
  return workspace;
}

struct Change {
  const char* name;
  WorkspaceParts parts;
  std::function<void(Workspace&)> make;
};

const Change kChanges[] = {
    {"a typed value", kPartData,
     [](Workspace& w) {
       w.data.DataValues[1] = "8";
       w.data.DataModified = true;
     }},
    {"a new title", kPartData, [](Workspace& w) { w.data.DataTitle = Sjis("面積"); }},
    {"a text added", kPartDecorations,
     [](Workspace& w) {
       w.decorations.TextDecorations[0] = {5, 6, kTextCleared, Sjis("駅")};
       w.decorations.TextDecorationCount = 1;
     }},
    {"the decorations cleared", kPartDecorations,
     [](Workspace& w) { ClearDecorations(w.decorations); }},
    {"the legend moved", kPartSettings,
     [](Workspace& w) {
       w.settings.LegendOffsetX = 40;
       w.settings.ChangedMask |= kChangedIndexFont;
     }},
    {"a pattern", kPartSettings,
     [](Workspace& w) {
       w.settings.PatternOrder[3][1] = 9;
       w.settings.ChangedMask |= kChangedPattern;
     }},
    {"a circle map", kPartMap | kPartDecorations,
     [](Workspace& w) {
       w.view.Kind = MapKind::kCircleGraph;
       w.symbols.RefRadius = 30;
       ClearDecorations(w.decorations);
     }},
    {"new boundaries", kPartMap, [](Workspace& w) { w.class_tables.ClassBreaks[0] = "11"; }},
};

// For each change: back from after gives the state before, and forth again
// the state after, including the settings file that would be written.
TEST(WorkspaceStateTest, EachChangeGoesBackAndForthExactly) {
  constexpr WorkspaceParts kAll = kPartData | kPartDecorations | kPartSettings | kPartMap;
  for (const Change& change : kChanges) {
    SCOPED_TRACE(change.name);
    Workspace workspace = SampleWorkspace();
    const WorkspaceState whole_before = CaptureState(workspace, kAll);
    const std::string file_before = FormatSettings(workspace.settings);
    const WorkspaceState before = CaptureState(workspace, change.parts);
    change.make(workspace);
    const WorkspaceState after = CaptureState(workspace, change.parts);
    EXPECT_EQ(ChangedParts(before, after), change.parts);
    const WorkspaceState whole_after = CaptureState(workspace, kAll);
    const std::string file_after = FormatSettings(workspace.settings);

    ApplyStateChange(workspace, after, before);
    EXPECT_EQ(ChangedParts(CaptureState(workspace, kAll), whole_before), 0);
    EXPECT_EQ(FormatSettings(workspace.settings), file_before);
    EXPECT_EQ(ShouldWriteSettings(workspace.settings),
              ShouldWriteSettings(whole_before.settings.value()));
    ApplyStateChange(workspace, before, after);
    EXPECT_EQ(ChangedParts(CaptureState(workspace, kAll), whole_after), 0);
    EXPECT_EQ(FormatSettings(workspace.settings), file_after);
  }
}

// What changed since, outside the step, is kept: a zoom made after the
// legend was moved stays when the move is taken back, and so do the bits of
// other changes.
TEST(WorkspaceStateTest, ChangesMadeSinceAreKept) {
  Workspace workspace = SampleWorkspace();
  workspace.settings.ChangedMask = kChangedIndexFont;  // an earlier legend change
  const WorkspaceState before = CaptureState(workspace, kPartSettings);
  workspace.settings.LegendOffsetY = 25;
  workspace.settings.TitleOffsetX = 3;
  workspace.settings.ChangedMask |= kChangedTitleFont;
  const WorkspaceState after = CaptureState(workspace, kPartSettings);

  workspace.settings.DrawResX = 2.5;
  workspace.settings.ChangedMask |= kChangedDrawSize;
  workspace.settings.WindowLeft = 300;
  ApplyStateChange(workspace, after, before);

  EXPECT_EQ(workspace.settings.LegendOffsetY, 0);
  EXPECT_EQ(workspace.settings.TitleOffsetX, 0);
  EXPECT_EQ(workspace.settings.DrawResX, 2.5);
  EXPECT_EQ(workspace.settings.WindowLeft, 300);
  EXPECT_EQ(workspace.settings.ChangedMask, kChangedIndexFont | kChangedDrawSize);
}

// Data saved after a value was typed differ from the file once the value is
// taken back, so they count as modified then; without the save the mark
// goes back with the value.
TEST(WorkspaceStateTest, DataSavedSinceCountAsModifiedWhenTakenBack) {
  for (const bool saved : {false, true}) {
    SCOPED_TRACE(saved ? "saved" : "not saved");
    Workspace workspace = SampleWorkspace();
    const WorkspaceState before = CaptureState(workspace, kPartData);
    workspace.data.DataValues[0] = "13";
    workspace.data.DataModified = true;
    const WorkspaceState after = CaptureState(workspace, kPartData);
    if (saved) {
      workspace.data.DataModified = false;
      workspace.data.DataFileName = "saved.DAT";
    }
    ApplyStateChange(workspace, after, before);
    EXPECT_EQ(workspace.data.DataValues[0], "12");
    EXPECT_EQ(workspace.data.DataModified, saved);
    EXPECT_EQ(workspace.data.DataFileName, saved ? "saved.DAT" : "");
  }
}

}  // namespace
}  // namespace kartela
