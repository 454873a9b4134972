// What the programs ask of GDAL: reading boundary files and statistics
// tables. GDAL and the hundred libraries it brings cost a program tens of
// milliseconds at every start, so the desktop program and the command-line
// tool load them only when one of these is first used, from a plugin beside
// the executable (or installed in P/lib/kartela).
#pragma once

#include <filesystem>
#include <string>

#include "geodata/basemap/gdal_source.h"
#include "geodata/basemap/importer.h"
#include "geodata/basemap/result.h"
#include "geodata/table/table_source.h"

namespace kartela::gdal {

struct Services {
  basemap::Result<basemap::SourceLayerInfo> (*inspect_source)(const std::filesystem::path& path,
                                                              const std::string& layer);
  basemap::Result<basemap::ImportedMap> (*import_base_map)(const basemap::ImportOptions& options);
  basemap::Result<table::Table> (*read_table)(const table::TableRequest& request);
};

// The plugin's one exported function, looked up by this name.
inline constexpr const char* kServicesSymbol = "KartelaGdalServices";
inline constexpr const char* kPluginFile = "libkartela_gdal.so";

// The services, the plugin loaded on first use; an error naming the plugin
// and the loader's reason when it cannot be loaded.
basemap::Result<const Services*> LoadServices();

// The plugin's functions, or the error of loading it.
basemap::Result<basemap::SourceLayerInfo> InspectSource(const std::filesystem::path& path,
                                                        const std::string& layer);
basemap::Result<basemap::ImportedMap> ImportBaseMap(const basemap::ImportOptions& options);
basemap::Result<table::Table> ReadTable(const table::TableRequest& request);

}  // namespace kartela::gdal
