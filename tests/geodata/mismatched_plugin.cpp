// Plugins built wrong on purpose, for the loader's tests: one of the next
// version, one whose function table has another size, and one from before
// the version, exporting only the old entry. The build chooses which.
#include "geodata/gdal_plugin/gdal_services.h"

namespace {

using kartela::gdal::kServicesVersion;
using kartela::gdal::PluginEntry;
using kartela::gdal::Services;

#if defined(KARTELA_NEXT_VERSION)
constexpr PluginEntry kEntry{kServicesVersion + 1, sizeof(Services), nullptr};
#elif defined(KARTELA_OTHER_TABLE)
constexpr PluginEntry kEntry{kServicesVersion, sizeof(Services) + sizeof(void*), nullptr};
#endif

}  // namespace

#if defined(KARTELA_UNVERSIONED)
extern "C" __attribute__((visibility("default"))) const Services* KartelaGdalServices() {
  return nullptr;
}
#else
extern "C" __attribute__((visibility("default"))) const PluginEntry* KartelaGdalPlugin() {
  return &kEntry;
}
#endif
