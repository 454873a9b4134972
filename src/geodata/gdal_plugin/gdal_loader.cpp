#include <dlfcn.h>

#include <memory>
#include <system_error>
#include <vector>

#include "geodata/gdal_plugin/gdal_services.h"

namespace kartela::gdal {
namespace {

namespace fs = std::filesystem;

using geodata::ImportProblem;
using geodata::ImportProblems;
using geodata::ProblemCode;

// Beside the executable (the build folder, a portable copy), then where an
// installation puts it.
std::vector<fs::path> PluginCandidates() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return {kPluginFile};
  const fs::path directory = executable.parent_path();
  return {directory / kPluginFile, directory / ".." / "lib" / "kartela" / kPluginFile};
}

// Closes a plugin that was refused, so that another can be tried.
struct PluginCloser {
  void operator()(void* plugin) const { dlclose(plugin); }
};
using PluginHandle = std::unique_ptr<void, PluginCloser>;

// The services of the plugin at `candidate`, or why it is refused. A plugin
// taken stays loaded until the program ends.
ImportStatusOr<const Services*> LoadCandidate(const fs::path& candidate) {
  PluginHandle plugin(dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL));
  const std::string name = candidate.string();
  if (!plugin) {
    return ImportProblem{.code = ProblemCode::kPluginNotLoadable, .name = name, .text = dlerror()};
  }
  using Entry = const PluginEntry* (*)();
  auto entry = reinterpret_cast<Entry>(dlsym(plugin.get(), kEntrySymbol));
  const PluginEntry* found = entry != nullptr ? entry() : nullptr;
  if (found == nullptr) {
    return ImportProblem{
        .code = ProblemCode::kPluginWithoutEntry, .name = name, .text = kEntrySymbol};
  }
  if (found->version != kServicesVersion) {
    return ImportProblem{.code = ProblemCode::kPluginVersion,
                         .name = name,
                         .count = found->version,
                         .limit = kServicesVersion};
  }
  if (found->services_size != sizeof(Services) || found->services == nullptr) {
    return ImportProblem{.code = ProblemCode::kPluginLayout,
                         .name = name,
                         .count = found->services_size,
                         .limit = sizeof(Services)};
  }
  plugin.release();
  return found->services;
}

}  // namespace

ImportStatusOr<const Services*> LoadServicesFrom(const std::vector<fs::path>& candidates) {
  ImportProblems problems;
  for (const fs::path& candidate : candidates) {
    std::error_code error;
    if (!fs::exists(candidate, error)) continue;
    auto services = LoadCandidate(candidate);
    if (services.ok()) return services;
    problems.insert(problems.end(), services.problems().begin(), services.problems().end());
  }
  if (problems.empty())
    return ImportProblem{.code = ProblemCode::kPluginNotFound, .text = kPluginFile};
  return problems;
}

ImportStatusOr<const Services*> LoadServices() {
  // Loaded once; the plugin stays until the program ends.
  static const ImportStatusOr<const Services*> services = LoadServicesFrom(PluginCandidates());
  return services;
}

ImportStatusOr<basemap::SourceLayerInfo> InspectSource(const std::filesystem::path& path,
                                                       const std::string& layer) {
  const auto services = LoadServices();
  if (!services.ok()) return services.problems();
  return (*services)->inspect_source(path, layer);
}

ImportStatusOr<basemap::ImportedMap> ImportBaseMap(const basemap::ImportOptions& options) {
  const auto services = LoadServices();
  if (!services.ok()) return services.problems();
  return (*services)->import_base_map(options);
}

ImportStatusOr<table::Table> ReadTable(const table::TableRequest& request) {
  const auto services = LoadServices();
  if (!services.ok()) return services.problems();
  return (*services)->read_table(request);
}

}  // namespace kartela::gdal
