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

Settings DefaultSettings(std::string_view program_dir) {
  Settings settings;
  settings.DataDir = std::string(program_dir);
  settings.BaseMapFile = std::string(kDefaultBaseMapFile);
  settings.PatternOrder = DefaultPatternOrder();
  return settings;
}

}  // namespace kartela
