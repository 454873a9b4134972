// Map documents and the workspace: the document of the map shown, saving
// it, and loading one so that the map window shows it as the map command
// that made it would.
#pragma once

#include <filesystem>
#include <string>

#include "model/map_document.h"
#include "render/workspace.h"

namespace kartela {

class Reporter;

// The document of the map the workspace shows; a map kind of kNone gives a
// white map document (callers refuse to save without a map).
MapDocument DocumentOf(const Workspace& workspace);

struct DocumentSave {
  bool ok = false;
  std::string reason;  // why the map was refused; empty for a failed write
};

// Writes the document of the shown map, replacing `path` only with a
// complete file. Refuses, writing nothing, a map whose texts or counts the
// reader would not take back.
DocumentSave SaveMapDocument(const std::filesystem::path& path, const Workspace& workspace);

// Reads the document at `path`, finds its base map as data files find theirs
// (FindBaseMap from `program_dir` and the document's directory), reads it,
// and only then replaces the map kind, base map, area list, data, the kind's
// settings and the decorations; the values decide DataMin and DataMax, and
// the data belong to no data file. Any failure shows message 4 naming `path`
// with the reason and changes nothing. A picture graph whose picture cannot
// be read is loaded all the same, after message 4 naming the picture.
// Does not touch MapFileName.
bool LoadMapDocument(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                     Workspace& workspace, Reporter& reporter);

}  // namespace kartela
