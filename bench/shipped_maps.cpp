#include "shipped_maps.h"

#include <cstdint>

#include "base/numbers.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/data_file.h"
#include "render/circle_map.h"
#include "render/circle_settings_check.h"
#include "render/classification.h"
#include "render/legend.h"

namespace kartela::bench {
namespace {

constexpr const char* kCountyMap = "\x95\xc4\x8d\x91\x8c\x53.IDT";  // 米国郡.IDT

}  // namespace

std::filesystem::path BaseMapsDir() {
  return KARTELA_BASEMAPS_DIR;
}

bool LoadShippedBaseMap(const std::string& reference, Workspace& workspace) {
  const auto found = FindBaseMap(reference, BaseMapsDir());
  if (!found || !ReadBaseMap(found->path, workspace.base_map).ok()) return false;
  workspace.base_map.LoadedMapFile = reference;
  return true;
}

bool LoadPaintMapOfJapan(Workspace& workspace) {
  SilentReporter reporter;
  return ReadDataFile(BaseMapsDir() / "人口2020.DAT", BaseMapsDir(), workspace.area_list,
                      workspace.data, reporter) &&
         ClassifyAsPaintMap(workspace) &&
         LoadShippedBaseMap(workspace.area_list.CurrentBaseMapFile, workspace);
}

bool LoadCountyWhiteMap(Workspace& workspace) {
  workspace.settings.BorderStyle = 4;
  workspace.view.Kind = MapKind::kWhiteMap;
  return LoadShippedBaseMap(kCountyMap, workspace);
}

bool LoadCountyCircleMap(Workspace& workspace) {
  if (!LoadShippedBaseMap(kCountyMap, workspace)) return false;
  const int count = workspace.base_map.MapAreaCount();
  workspace.area_list.AreaNames = workspace.base_map.MapAreaNames;
  workspace.area_list.CurrentBaseMapFile = kCountyMap;
  for (int i = 0; i < count; ++i) {
    const std::int64_t tenths = static_cast<std::int64_t>(i) * 7919 % 2001 - 1000;
    workspace.data.DataValues[static_cast<std::size_t>(i)] =
        FormatFixed(static_cast<long double>(tenths) / 10, 0, 1);
  }
  const SymbolDataStats stats =
      ScanSymbolData(workspace.data, count, workspace.class_tables.NumericValues);
  if (ApplyCircleFields(InitialCircleFields(workspace.symbols, stats), workspace.symbols) != 0) {
    return false;
  }
  StartCircleMap(workspace);
  return true;
}

bool LoadCountyPaintMap(Workspace& workspace) {
  return LoadCountyCircleMap(workspace) && ClassifyAsPaintMap(workspace);
}

}  // namespace kartela::bench
