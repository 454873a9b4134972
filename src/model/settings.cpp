#include "model/settings.h"

namespace kartela {

namespace {

// "全国２.IDT" in Shift-JIS.
constexpr std::string_view kDefaultBaseMapFile = "\x91\x53\x8d\x91\x82\x51.IDT";

constexpr std::uint8_t kFirstPatternBrush = 24;

}  // namespace

PatternOrderTable DefaultPatternOrder() {
  PatternOrderTable table{};
  for (std::size_t row = 0; row < table.size(); ++row) {
    const std::size_t classes = row + kMinClassCount;
    for (std::size_t i = 0; i < classes; ++i) {
      table[row][i] = static_cast<std::uint8_t>(kFirstPatternBrush + i);
    }
  }
  return table;
}

std::uint32_t SaveBitOf(std::uint32_t changed_bit) {
  if (changed_bit == kChangedLegendOptions || changed_bit == kChangedLegendHeading ||
      changed_bit == kChangedSource)
    return kChangedIndexFont;
  if (changed_bit == kChangedColorScheme) return kChangedPattern;
  if (changed_bit == kChangedPrintOrientation) return kChangedPrintSize;
  if (changed_bit == kChangedLastFolders) return kChangedDataDir;
  return changed_bit;
}

namespace {
constexpr std::string_view kSourceRightMark = "R,";
constexpr std::string_view kSourceLeftMark = "L,";
}  // namespace

SourceLine SplitSourceLine(std::string_view stored) {
  const bool right = stored.starts_with(kSourceRightMark);
  if (right || stored.starts_with(kSourceLeftMark)) stored.remove_prefix(kSourceRightMark.size());
  return {right, stored};
}

std::string JoinSourceLine(bool right, std::string_view text) {
  const bool marked = text.starts_with(kSourceRightMark) || text.starts_with(kSourceLeftMark);
  const std::string_view mark = right ? kSourceRightMark : marked ? kSourceLeftMark : "";
  return std::string(mark) + std::string(text);
}

Settings DefaultSettings(std::string_view program_dir) {
  Settings settings;
  settings.DataDir = std::string(program_dir);
  settings.BaseMapFile = std::string(kDefaultBaseMapFile);
  settings.PatternOrder = DefaultPatternOrder();
  return settings;
}

}  // namespace kartela
