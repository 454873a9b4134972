// The statistical data file: line 1 the base-map reference, line 2 the
// title, then one value text per area in base-map order; Shift-JIS, CR LF.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela {

class Reporter;

// Reads `path` into `data`, loading the area list of its base map (found by
// FindBaseMap from `program_dir` and the data file's directory; the area list
// keeps the reference as FindBaseMap gives it). Reports open failure
// (message 6), an unreadable base map (message 3 with the reason) and a
// malformed or too large file (message 4 with a second line that says why,
// such as a value line inside the area count longer than a value may be).
// The lines after the last area's value are notes, kept whole in DataNotes.
// On success CurrentBaseMapFile, the area list, DataTitle, DataValues and
// DataNotes are replaced; DataFileName and DataModified are left to the
// caller. A file written as UTF-8 is read as well (DecodeFileText), and
// DataReadAsUtf8 says which form was read. On failure `areas` and `data` are unchanged.
bool ReadDataFile(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                  AreaList& areas, DataSet& data, Reporter& reporter);

// ReadDataFile on bytes already read from `path`, which names the file in
// messages.
bool ParseDataFile(std::string_view bytes, const std::filesystem::path& path,
                   const std::filesystem::path& program_dir, AreaList& areas, DataSet& data,
                   Reporter& reporter);

// The source line proposed for a map of data with `notes`: the first note
// beginning with "出典", else the first that is not blank, trimmed and cut to
// kMaxFurnitureTextBytes; empty without one.
std::string ProposedSourceText(const std::vector<std::string>& notes);

// "出典：" followed by `file_name` (Shift-JIS): the note of data read from a table.
std::string SourceNoteOf(std::string_view file_name);

// The bytes of the data file for `data` on `areas`: reference, title, one
// line per area, then the notes; Shift-JIS, or UTF-8 after a byte-order mark
// where the Shift-JIS bytes would read back as UTF-8 (EncodeFileText).
std::string FormatDataFile(const AreaList& areas, const DataSet& data);

// Why `data` cannot be written as a file that reads back the same: a value of
// areas 1..AreaCount longer than a value may be, or a line break in the title
// or a value, or bytes that are no Shift-JIS character yet would make the
// file read as UTF-8. The reason names the area; empty when the data can be
// written.
std::string DataFileWriteRefusal(const AreaList& areas, const DataSet& data);

// The notice after the data were saved; it says when a file read as UTF-8
// was written back as Shift-JIS, the only form the file is written in.
std::string DataSavedNotice(const AreaList& areas, const DataSet& data);

// Writes the data file, replacing `path` only with a complete file; refuses
// (kRefused, with DataFileWriteRefusal's reason as the detail), writing
// nothing, what DataFileWriteRefusal names. Does not change the data set.
Status WriteDataFile(const std::filesystem::path& path, const AreaList& areas, const DataSet& data);

}  // namespace kartela
