// The plugin that holds everything the programs use GDAL for.
#include "geodata/gdal_plugin/gdal_services.h"

extern "C" __attribute__((visibility("default"))) const kartela::gdal::Services*
KartelaGdalServices() {
  static const kartela::gdal::Services services{&kartela::basemap::InspectSource,
                                                &kartela::basemap::ImportBaseMap,
                                                &kartela::table::ReadTable};
  return &services;
}
