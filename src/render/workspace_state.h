// What an undo step keeps: the parts of the workspace an action may change,
// as they were before and after it, and the move from one to the other that
// touches only what the action changed, so that whatever changed since
// (a zoom, a save, the window's place) stays as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "render/workspace.h"

namespace kartela {

// Parts of the workspace, as bits.
enum WorkspacePart : std::uint8_t {
  kPartData = 0x01,         // the data set
  kPartDecorations = 0x02,  // the two decoration lists
  kPartSettings = 0x04,     // the settings with their change bits
  kPartMap = 0x08,          // what the map shows: the view, the class tables, the circle settings
};
using WorkspaceParts = std::uint8_t;

// A copy of some parts of a workspace; the others are empty.
struct WorkspaceState {
  std::optional<DataSet> data;
  std::optional<DecorationLists> decorations;
  std::optional<Settings> settings;
  std::optional<MapView> view;
  std::optional<ClassTables> class_tables;
  std::optional<SymbolSettings> symbols;
};

WorkspaceState CaptureState(const Workspace& workspace, WorkspaceParts parts);

// The parts in which `a` and `b`, taken of the same parts, differ, member by
// member; of the class tables only what the map shows counts.
WorkspaceParts ChangedParts(const WorkspaceState& a, const WorkspaceState& b);

// Moves `workspace` from `from` to `to` (taken of the same parts): each field
// and each change bit that differs between them takes its value in `to`;
// every other keeps what it holds now. The data count as modified when
// they were saved since `from`, since they then differ from the file.
void ApplyStateChange(Workspace& workspace, const WorkspaceState& from, const WorkspaceState& to);

// How many members of each record the move covers, the specially handled
// ones (the change bits, the modified mark) included. A member added to a
// record must be added to the move too; a test holds these counts against
// the records.
struct CoveredMembers {
  std::size_t data = 0;
  std::size_t decorations = 0;
  std::size_t settings = 0;
  std::size_t view = 0;
  std::size_t class_tables = 0;
  std::size_t symbols = 0;
};
CoveredMembers CoveredMemberCounts();

}  // namespace kartela
