// The statistical data file: line 1 the base-map reference, line 2 the
// title, then one value text per area in base-map order; Shift-JIS, CR LF.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela {

class Reporter;

// Reads `path` into `data`, loading the area list of its base map (found by
// FindBaseMap from `program_dir` and the data file's directory; the area list
// keeps the reference as FindBaseMap gives it). Reports open failure
// (message 6), an unreadable base map (message 3 with the reason) and a
// malformed or too large file (message 4). On
// success CurrentBaseMapFile, the area list, DataTitle and DataValues are
// replaced; DataFileName and DataModified are left to the caller. On failure
// `areas` and `data` are unchanged.
bool ReadDataFile(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                  AreaList& areas, DataSet& data, Reporter& reporter);

// ReadDataFile on bytes already read from `path`, which names the file in
// messages.
bool ParseDataFile(std::string_view bytes, const std::filesystem::path& path,
                   const std::filesystem::path& program_dir, AreaList& areas, DataSet& data,
                   Reporter& reporter);

// The bytes of the data file for `data` on `areas`.
std::string FormatDataFile(const AreaList& areas, const DataSet& data);

// Writes the data file, replacing `path` only with a complete file. Does not
// change the data set.
bool WriteDataFile(const std::filesystem::path& path, const AreaList& areas, const DataSet& data);

}  // namespace kartela
