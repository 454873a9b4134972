#include "render/legend_clip_text.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

#include "model/data_clipboard.h"
#include "render/class_counts.h"
#include "render/legend.h"

namespace kartela {
namespace {

// A blank and the full-width wave dash (Shift-JIS 0x8160).
constexpr std::string_view kRangeSeparator = " \x81\x60";

// The legend options as the lines apply them: digits grouped, words in
// place of the separator, counts after the range.
struct ClipOptions {
  bool thousands = false;
  std::optional<BoundWords> words;
  std::optional<ClassCounts> counts;
};

ClipOptions ClipOptionsOf(const Workspace& workspace, const PaintClasses& classes) {
  const std::uint8_t options = workspace.settings.LegendOptions;
  ClipOptions clip;
  clip.thousands = (options & kLegendThousands) != 0;
  const ClassTables& tables = workspace.class_tables;
  // The lines show the boundaries as they are, never adjusted.
  if ((options & kLegendBoundWords) != 0) clip.words = BoundWordsFor(tables.DivisionMethod, false);
  if ((options & (kLegendCounts | kLegendMissingRow)) != 0) {
    const auto areas = std::min(static_cast<std::size_t>(workspace.base_map.MapAreaCount()),
                                tables.NumericValues.size());
    clip.counts = CountAreasPerClass(std::span(tables.NumericValues).first(areas), classes,
                                     tables.DivisionMethod);
  }
  return clip;
}

// One end of a class line: the boundary with its word, or blanks as wide.
std::string EndText(const std::string& boundary, bool open, std::string_view word) {
  if (open) return std::string(boundary.size() + word.size(), ' ');
  return boundary + std::string(word);
}

// The class lines of a paint map: boundary j is the normalised entry j, the
// open ends are blanks as wide as the longest entry; a last line for the
// areas without a value when the legend shows one.
void AppendClassLines(const Workspace& workspace, std::string& text) {
  // The boundaries as they are stored (the class count is theirs), then
  // normalised as where they are committed.
  ClassTables tables;
  tables.ClassBreaks = workspace.class_tables.ClassBreaks;
  const PaintClasses classes = BuildClassThresholds(tables.ClassBreaks);
  const int count = std::clamp(classes.EffectiveClassCount, 1, kMaxClassCount);
  NormaliseClassBreaks(tables);
  const ClipOptions clip = ClipOptionsOf(workspace, classes);
  // Entries 0..count-1: the boundaries and the blank entry after them.
  const auto entries = static_cast<std::size_t>(count);
  std::size_t width = 1;
  for (std::size_t e = 0; e < entries; ++e) {
    if (clip.thousands) tables.ClassBreaks[e] = WithThousands(tables.ClassBreaks[e]);
    width = std::max(width, tables.ClassBreaks[e].size());
  }
  const std::string pad(width, ' ');
  const auto bound = [&](int cls) -> const std::string& {
    if (cls < 0 || cls + 1 >= count) return pad;
    return tables.ClassBreaks[static_cast<std::size_t>(cls)];
  };
  const bool descending = LegendDescending(workspace.settings.LegendStyle);
  const std::string_view separator = clip.words ? " " : kRangeSeparator;
  for (int row = 0; row < count; ++row) {
    const int cls = descending ? count - 1 - row : row;
    text.append(EndText(bound(cls - 1), cls == 0, clip.words ? clip.words->lower : ""))
        .append(separator)
        .append(EndText(bound(cls), cls + 1 == count, clip.words ? clip.words->upper : ""));
    if (clip.counts && (workspace.settings.LegendOptions & kLegendCounts) != 0)
      text.append(
          LegendCountText(clip.counts->per_class[static_cast<std::size_t>(cls)], clip.thousands));
    text.append(kClipLineEnd);
  }
  if (clip.counts && clip.counts->missing > 0 &&
      (workspace.settings.LegendOptions & kLegendMissingRow) != 0) {
    text.append(kLegendMissingText);
    if ((workspace.settings.LegendOptions & kLegendCounts) != 0)
      text.append(LegendCountText(clip.counts->missing, clip.thousands));
    text.append(kClipLineEnd);
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
