#include "render/legend_clip_text.h"

#include <algorithm>
#include <string_view>

#include "model/data_clipboard.h"
#include "render/legend.h"

namespace kartela {
namespace {

// A blank and the full-width wave dash (Shift-JIS 0x8160).
constexpr std::string_view kRangeSeparator = " \x81\x60";

// The class lines of a paint map: boundary j is the normalised entry j, the
// open ends are blanks as wide as the longest entry.
void AppendClassLines(const Workspace& workspace, std::string& text) {
  // The boundaries as they are stored (the class count is theirs), then
  // normalised as where they are committed.
  ClassTables tables;
  tables.ClassBreaks = workspace.class_tables.ClassBreaks;
  const int classes =
      std::clamp(BuildClassThresholds(tables.ClassBreaks).EffectiveClassCount, 1, kMaxClassCount);
  NormaliseClassBreaks(tables);
  // Entries 0..classes-1: the boundaries and the blank entry after them.
  const auto entries = static_cast<std::size_t>(classes);
  std::size_t width = 1;
  for (std::size_t e = 0; e < entries; ++e)
    width = std::max(width, tables.ClassBreaks[e].size());
  const std::string pad(width, ' ');
  const auto bound = [&](int cls) -> const std::string& {
    if (cls < 0 || cls + 1 >= classes) return pad;
    return tables.ClassBreaks[static_cast<std::size_t>(cls)];
  };
  const bool descending = LegendDescending(workspace.settings.LegendStyle);
  for (int row = 0; row < classes; ++row) {
    const int cls = descending ? classes - 1 - row : row;
    text.append(bound(cls - 1)).append(kRangeSeparator).append(bound(cls)).append(kClipLineEnd);
  }
}

void AppendReferenceLine(const Workspace& workspace, std::string& text) {
  const std::string& reference = workspace.symbols.RefValueText;
  text.append(reference.starts_with(' ') ? "=" : "= ").append(reference).append(kClipLineEnd);
}

}  // namespace

std::string LegendClipText(const Workspace& workspace) {
  std::string text = workspace.data.DataTitle;
  text.append(kClipLineEnd);
  if (!LegendShown(workspace.settings.LegendStyle)) return text;
  switch (workspace.view.Kind) {
    case MapKind::kPaintMap:
      AppendClassLines(workspace, text);
      break;
    case MapKind::kCircleGraph:
    case MapKind::kPictureGraph:
      AppendReferenceLine(workspace, text);
      break;
    case MapKind::kNone:
    case MapKind::kWhiteMap:
      break;
  }
  return text;
}

}  // namespace kartela
