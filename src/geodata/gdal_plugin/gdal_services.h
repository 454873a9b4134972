// What the programs ask of GDAL: reading boundary files and statistics
// tables. GDAL and the hundred libraries it brings cost a program tens of
// milliseconds at every start, so the desktop program and the command-line
// tool load them only when one of these is first used, from a plugin beside
// the executable (or installed in P/lib/kartela).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "geodata/basemap/gdal_source.h"
#include "geodata/basemap/importer.h"
#include "geodata/import_problem.h"
#include "geodata/table/table_source.h"

namespace kartela::gdal {

using geodata::ImportStatusOr;

struct Services {
  ImportStatusOr<basemap::SourceLayerInfo> (*inspect_source)(const std::filesystem::path& path,
                                                             const std::string& layer);
  ImportStatusOr<basemap::ImportedMap> (*import_base_map)(const basemap::ImportOptions& options);
  ImportStatusOr<table::Table> (*read_table)(const table::TableRequest& request);
};

// The version of Services and of every type its functions take and return.
// Raise it with any change to them: the loader refuses a plugin of another
// version, which would call through another layout.
inline constexpr std::uint32_t kServicesVersion = 2;

// What the plugin's entry returns. Its layout stays as it is in every
// version, so that the loader can read any plugin's version and the size of
// its table before it touches the table.
struct PluginEntry {
  std::uint32_t version;        // kServicesVersion of the plugin's build
  std::uint32_t services_size;  // sizeof(Services) in the plugin's build
  const Services* services;
};

// The plugin's one exported function, `const PluginEntry* KartelaGdalPlugin()`,
// looked up by this name. (Plugins before the version export another name.)
inline constexpr const char* kEntrySymbol = "KartelaGdalPlugin";
inline constexpr const char* kPluginFile = "libkartela_gdal.so";

// The services of the first of `candidates` (plugin files) that loads and is
// of this version; the problems of each refused candidate otherwise
// (kPluginNotFound when none exists). Loads every time it is called.
ImportStatusOr<const Services*> LoadServicesFrom(
    const std::vector<std::filesystem::path>& candidates);

// The services, the plugin beside the executable or where an installation
// puts it loaded on first use; the problems of loading it otherwise.
ImportStatusOr<const Services*> LoadServices();

// The plugin's functions, or the problems of loading it.
ImportStatusOr<basemap::SourceLayerInfo> InspectSource(const std::filesystem::path& path,
                                                       const std::string& layer);
ImportStatusOr<basemap::ImportedMap> ImportBaseMap(const basemap::ImportOptions& options);
ImportStatusOr<table::Table> ReadTable(const table::TableRequest& request);

}  // namespace kartela::gdal
