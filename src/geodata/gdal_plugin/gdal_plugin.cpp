// The plugin that holds everything the programs use GDAL for.
#include "geodata/gdal_plugin/gdal_services.h"

extern "C" __attribute__((visibility("default"))) const kartela::gdal::PluginEntry*
KartelaGdalPlugin() {
  static const kartela::gdal::Services services{&kartela::basemap::InspectSource,
                                                &kartela::basemap::ImportBaseMap,
                                                &kartela::table::ReadTable};
  static const kartela::gdal::PluginEntry entry{kartela::gdal::kServicesVersion,
                                                sizeof(kartela::gdal::Services), &services};
  return &entry;
}
