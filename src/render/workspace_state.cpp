#include "render/workspace_state.h"

#include <algorithm>
#include <array>

namespace kartela {
namespace {

// Equality of member values; the small records of the model have no
// comparison of their own.
template <class T>
bool Same(const T& a, const T& b) {
  return a == b;
}

bool Same(const ShapeDecoration& a, const ShapeDecoration& b) {
  return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2 && a.Kind == b.Kind;
}

bool Same(const TextDecoration& a, const TextDecoration& b) {
  return a.X == b.X && a.Y == b.Y && a.Style == b.Style && a.Text == b.Text;
}

bool Same(const PictureBounds& a, const PictureBounds& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Same(const PictureSize& a, const PictureSize& b) {
  return a.width == b.width && a.height == b.height;
}

template <class T, std::size_t kSize>
bool Same(const std::array<T, kSize>& a, const std::array<T, kSize>& b) {
  return std::ranges::equal(a, b, [](const T& x, const T& y) { return Same(x, y); });
}

// The members of a record that move as whole values.
template <auto... kMembers>
struct Members {
  static constexpr std::size_t kCount = sizeof...(kMembers);

  template <class Record>
  static bool Differ(const Record& a, const Record& b) {
    return (... || !Same(a.*kMembers, b.*kMembers));
  }

  // Each member that differs between `from` and `to` takes its value in `to`.
  template <class Record>
  static void Move(Record& now, const Record& from, const Record& to) {
    ((Same(from.*kMembers, to.*kMembers) ? void() : void(now.*kMembers = to.*kMembers)), ...);
  }
};

using DataMembers = Members<&DataSet::DataTitle, &DataSet::DataValues, &DataSet::DataNotes,
                            &DataSet::DataFileName, &DataSet::DataReadAsUtf8>;

using DecorationMembers =
    Members<&DecorationLists::ShapeDecorations, &DecorationLists::ShapeCount,
            &DecorationLists::TextDecorations, &DecorationLists::TextDecorationCount>;

// All but ChangedMask, which moves bit by bit.
using SettingsMembers = Members<
    &Settings::WindowLeft, &Settings::WindowTop, &Settings::WindowWidth, &Settings::WindowHeight,
    &Settings::WindowState, &Settings::ItemLength, &Settings::NextItemLength, &Settings::SaveMask,
    &Settings::DataDir, &Settings::DataExt, &Settings::BaseMapFile, &Settings::PrintSize,
    &Settings::DrawResX, &Settings::DrawResY, &Settings::DrawPosX, &Settings::DrawPosY,
    &Settings::ClassCount, &Settings::BreakMethod, &Settings::RoundBreaks, &Settings::PatternOrder,
    &Settings::UsePalette, &Settings::TitleFont, &Settings::TitleOffsetX, &Settings::TitleOffsetY,
    &Settings::IndexFont, &Settings::LegendOffsetX, &Settings::LegendOffsetY,
    &Settings::LegendStyle, &Settings::FancyFont, &Settings::AreaFont, &Settings::AreaNameFlags,
    &Settings::BorderStyle, &Settings::ColorChange, &Settings::ShowHint, &Settings::EmfMode,
    &Settings::LegendOptions, &Settings::ColorScheme, &Settings::LegendHeading,
    &Settings::SourceText, &Settings::SourceAtRight, &Settings::PrintOrientation,
    &Settings::LastFolders, &Settings::RawSettingLines>;

using ViewMembers = Members<&MapView::Kind, &MapView::Background, &MapView::BackgroundBounds,
                            &MapView::BackgroundSize, &MapView::Picture, &MapView::GlyphPictureFile,
                            &MapView::GlyphPicture, &MapView::GlyphPictureGone,
                            &MapView::ScrollReset, &MapView::MapFileName>;

using ClassTableMembers =
    Members<&ClassTables::DivisionMethod, &ClassTables::NumericValues, &ClassTables::DataMin,
            &ClassTables::DataMax, &ClassTables::IntWidth, &ClassTables::DecimalDigits,
            &ClassTables::ValueWidth, &ClassTables::DataStats, &ClassTables::DecileTexts,
            &ClassTables::ProposedBreaks, &ClassTables::ClassBreaks>;

// What of the class tables shows on the map; the statistics and proposals
// are worked out again before every draw, so a draw given up changes nothing.
using PaintedClassMembers =
    Members<&ClassTables::DivisionMethod, &ClassTables::NumericValues, &ClassTables::ClassBreaks>;

using SymbolMembers = Members<&SymbolSettings::RefRadius, &SymbolSettings::BaseValue,
                              &SymbolSettings::RefValueText, &SymbolSettings::PlusColour,
                              &SymbolSettings::MinusColour, &SymbolSettings::NestedLegend>;

void MoveData(DataSet& now, const DataSet& from, const DataSet& to) {
  if (!DataMembers::Differ(from, to)) return;
  // A mark unlike the one `from` left means a save came between.
  const bool saved_since = now.DataModified != from.DataModified;
  DataMembers::Move(now, from, to);
  now.DataModified = saved_since || to.DataModified;
}

void MoveSettings(Settings& now, const Settings& from, const Settings& to) {
  SettingsMembers::Move(now, from, to);
  const std::uint32_t moved_bits = from.ChangedMask ^ to.ChangedMask;
  now.ChangedMask = (now.ChangedMask & ~moved_bits) | (to.ChangedMask & moved_bits);
}

template <class Record>
void Keep(std::optional<Record>& slot, const Record& record, bool wanted) {
  if (wanted) slot = record;
}

// Whether two copies of a part differ: taken and different, or one taken
// and not the other.
template <class Fields, class Record>
bool PartDiffers(const std::optional<Record>& a, const std::optional<Record>& b) {
  if (a.has_value() != b.has_value()) return true;
  return a.has_value() && Fields::Differ(*a, *b);
}

bool DataDiffer(const std::optional<DataSet>& a, const std::optional<DataSet>& b) {
  return PartDiffers<DataMembers>(a, b) || (a && b && a->DataModified != b->DataModified);
}

bool SettingsDiffer(const std::optional<Settings>& a, const std::optional<Settings>& b) {
  return PartDiffers<SettingsMembers>(a, b) || (a && b && a->ChangedMask != b->ChangedMask);
}

}  // namespace

WorkspaceState CaptureState(const Workspace& workspace, WorkspaceParts parts) {
  WorkspaceState state;
  Keep(state.data, workspace.data, (parts & kPartData) != 0);
  Keep(state.decorations, workspace.decorations, (parts & kPartDecorations) != 0);
  Keep(state.settings, workspace.settings, (parts & kPartSettings) != 0);
  Keep(state.view, workspace.view, (parts & kPartMap) != 0);
  Keep(state.class_tables, workspace.class_tables, (parts & kPartMap) != 0);
  Keep(state.symbols, workspace.symbols, (parts & kPartMap) != 0);
  return state;
}

WorkspaceParts ChangedParts(const WorkspaceState& a, const WorkspaceState& b) {
  WorkspaceParts parts = 0;
  if (DataDiffer(a.data, b.data)) parts |= kPartData;
  if (PartDiffers<DecorationMembers>(a.decorations, b.decorations)) parts |= kPartDecorations;
  if (SettingsDiffer(a.settings, b.settings)) parts |= kPartSettings;
  if (PartDiffers<ViewMembers>(a.view, b.view) ||
      PartDiffers<PaintedClassMembers>(a.class_tables, b.class_tables) ||
      PartDiffers<SymbolMembers>(a.symbols, b.symbols))
    parts |= kPartMap;
  return parts;
}

void ApplyStateChange(Workspace& workspace, const WorkspaceState& from, const WorkspaceState& to) {
  if (from.data && to.data) MoveData(workspace.data, *from.data, *to.data);
  if (from.decorations && to.decorations)
    DecorationMembers::Move(workspace.decorations, *from.decorations, *to.decorations);
  if (from.settings && to.settings) MoveSettings(workspace.settings, *from.settings, *to.settings);
  if (from.view && to.view) ViewMembers::Move(workspace.view, *from.view, *to.view);
  if (from.class_tables && to.class_tables)
    ClassTableMembers::Move(workspace.class_tables, *from.class_tables, *to.class_tables);
  if (from.symbols && to.symbols)
    SymbolMembers::Move(workspace.symbols, *from.symbols, *to.symbols);
}

CoveredMembers CoveredMemberCounts() {
  return {DataMembers::kCount + 1, DecorationMembers::kCount, SettingsMembers::kCount + 1,
          ViewMembers::kCount,     ClassTableMembers::kCount, SymbolMembers::kCount};
}

}  // namespace kartela
