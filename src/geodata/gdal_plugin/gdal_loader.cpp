#include <dlfcn.h>

#include <system_error>
#include <vector>

#include "geodata/gdal_plugin/gdal_services.h"

namespace kartela::gdal {
namespace {

namespace fs = std::filesystem;

// Beside the executable (the build folder, a portable copy), then where an
// installation puts it.
std::vector<fs::path> PluginCandidates() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return {kPluginFile};
  const fs::path directory = executable.parent_path();
  return {directory / kPluginFile, directory / ".." / "lib" / "kartela" / kPluginFile};
}

basemap::Result<const Services*> Load() {
  std::string reasons;
  for (const fs::path& candidate : PluginCandidates()) {
    std::error_code error;
    if (!fs::exists(candidate, error)) continue;
    void* plugin = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (plugin == nullptr) {
      reasons += std::string(dlerror()) + "\n";
      continue;
    }
    using Entry = const Services* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(plugin, kServicesSymbol));
    if (entry != nullptr) return entry();
    reasons += candidate.string() + ": " + kServicesSymbol + " not found\n";
  }
  return basemap::Error{std::string("GDAL plugin ") + kPluginFile + " could not be loaded" +
                        (reasons.empty() ? " (not found beside the program)" : ":\n" + reasons)};
}

}  // namespace

basemap::Result<const Services*> LoadServices() {
  // Loaded once; the plugin stays until the program ends.
  static const basemap::Result<const Services*> services = Load();
  return services;
}

basemap::Result<basemap::SourceLayerInfo> InspectSource(const std::filesystem::path& path,
                                                        const std::string& layer) {
  const auto services = LoadServices();
  if (!services.ok()) return basemap::Error{services.error()};
  return (*services)->inspect_source(path, layer);
}

basemap::Result<basemap::ImportedMap> ImportBaseMap(const basemap::ImportOptions& options) {
  const auto services = LoadServices();
  if (!services.ok()) return basemap::Error{services.error()};
  return (*services)->import_base_map(options);
}

basemap::Result<table::Table> ReadTable(const table::TableRequest& request) {
  const auto services = LoadServices();
  if (!services.ok()) return basemap::Error{services.error()};
  return (*services)->read_table(request);
}

}  // namespace kartela::gdal
