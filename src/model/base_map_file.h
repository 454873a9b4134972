// The base-map file (.IDT): a Shift-JIS text header followed by a binary
// stream of 16-bit point records.
//
// Header: line 1 the title; then lines "key = value" up to the end marker.
// Keys beginning with "@" are control lines (@RESOLUTION w,h;
// @INDEXPOSITION x,y; @STARTOFPOINTS ends the header); every other line,
// blank lines included, is an area: the key its name, the value up to ten
// anchors "x,y/x,y/...". The point section starts at the first 0 byte after
// the end-marker line and is a sequence of little-endian (x, y) int16 pairs.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "model/area_list.h"
#include "model/base_map.h"

namespace kartela {

enum class BaseMapStatus {
  kOk,
  kCannotOpen,     // missing or unreadable file
  kTooManyAreas,   // more than kMaxAreas area lines
  kNoEndMarker,    // the header has no @STARTOFPOINTS line
  kTooManyPoints,  // the point section needs more than the store's blocks
};

// The file a base-map reference names: a relative reference lies in the
// program directory, an absolute one or one with a drive letter is used as it
// stands. nullopt when the reference is not valid Shift-JIS.
std::optional<std::filesystem::path> ResolveBaseMapPath(const std::filesystem::path& program_dir,
                                                        std::string_view reference);

// Fills `areas` from the header of `path`. On failure `areas` is unchanged.
// CurrentBaseMapFile is left for the caller to set.
BaseMapStatus ReadBaseMapHeader(const std::filesystem::path& path, AreaList& areas);

// Fills `map` from the whole file. On failure `map` is unchanged.
// LoadedMapFile is left for the caller to set. The point stream always ends
// with a separator: one is appended when the file's does not (so an empty
// point section reads as a single separator, PointCount 0).
BaseMapStatus ReadBaseMap(const std::filesystem::path& path, BaseMap& map);

// The two readers over the bytes of a whole file already in memory.
BaseMapStatus ParseBaseMapHeader(std::string_view bytes, AreaList& areas);
BaseMapStatus ParseBaseMap(std::string_view bytes, BaseMap& map);

}  // namespace kartela
