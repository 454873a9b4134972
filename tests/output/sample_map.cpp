#include "sample_map.h"

#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/data_file.h"
#include "model/test_support.h"
#include "render/legend.h"

namespace kartela::test {

std::filesystem::path BaseMapsDir() {
  return KARTELA_BASEMAPS_DIR;
}

bool LoadSamplePaintMap(Workspace& workspace) {
  RecordingReporter reporter;
  if (!ReadDataFile(BaseMapsDir() / "人口2020.DAT", BaseMapsDir(), workspace.area_list,
                    workspace.data, reporter)) {
    return false;
  }
  if (!ClassifyAsPaintMap(workspace)) return false;
  const std::string& reference = workspace.area_list.CurrentBaseMapFile;
  const auto found = FindBaseMap(reference, BaseMapsDir());
  if (!found || !ReadBaseMap(found->path, workspace.base_map).ok()) return false;
  workspace.base_map.LoadedMapFile = reference;
  return true;
}

}  // namespace kartela::test
