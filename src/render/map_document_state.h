// Map documents and the workspace: the document of the map shown, saving
// it, and loading one so that the map window shows it as the map command
// that made it would.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "base/status.h"
#include "model/map_document.h"
#include "render/workspace.h"

namespace kartela {

class MetafilePicture;
class Reporter;

// A document with everything it names read, ready to replace the model.
struct LoadedDocument {
  MapDocument document;
  BaseMap base_map;
  AreaList areas;  // kinds with data only
  std::shared_ptr<const MetafilePicture> picture;
};

// The document of the map the workspace shows; a map kind of kNone gives a
// white map document (callers refuse to save without a map).
MapDocument DocumentOf(const Workspace& workspace);

// Writes the document of the shown map, replacing `path` only with a
// complete file. Refuses (kRefused, the reason as the detail), writing
// nothing, a map whose texts or counts the reader would not take back.
Status SaveMapDocument(const std::filesystem::path& path, const Workspace& workspace);

// Reads the document at `path`, finds its base map as data files find theirs
// (FindBaseMap from `program_dir` and the document's directory) and reads
// it. Any failure shows message 4 naming `path` with the reason. A picture
// graph whose picture cannot be read is read all the same, after message 4
// naming the picture.
std::optional<LoadedDocument> ReadMapDocument(const std::filesystem::path& path,
                                              const std::filesystem::path& program_dir,
                                              Reporter& reporter);

// Replaces the map kind, base map, area list, data, the kind's settings and
// the decorations by those of `loaded`; the values decide DataMin and
// DataMax, and the data belong to no data file. Does not touch MapFileName.
void ApplyMapDocument(LoadedDocument loaded, Workspace& workspace);

// ReadMapDocument, then ApplyMapDocument when it succeeds: a failed read
// changes nothing but the message.
bool LoadMapDocument(const std::filesystem::path& path, const std::filesystem::path& program_dir,
                     Workspace& workspace, Reporter& reporter);

}  // namespace kartela
