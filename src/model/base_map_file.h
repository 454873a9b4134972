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

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/status.h"
#include "model/area_list.h"
#include "model/base_map.h"

namespace kartela {

// What the readers return: success, or why the file was refused, with a
// detail in words (UTF-8) to be shown under the failure message, for example
// "@STARTOFPOINTS がありません". The codes:
//   a missing or unreadable file     the system's (kNotFound, ...), "ファイルを開けません"
//   a file larger than the largest   kTooLarge
//   no @STARTOFPOINTS line           kBadFormat
//   more than kMaxAreas area lines   kUnsupported
//   a UTF-8 header with a character Shift-JIS lacks   kUnsupported
//   more points than the store holds kTooLarge (only the whole-map readers)
//   outlines, but fewer than the areas' anchors ask for: the file was cut
//                                    kBadFormat (only the whole-map readers)

// The largest base-map file read: a header of the title, every area line and
// a few control lines, each a whole line long, then as many point records as
// the store holds. A larger file is refused before it is read.
std::uintmax_t MaxBaseMapFileBytes();

// Fills `areas` from the header of `path`, reading the file only as far as
// the end marker. On failure `areas` is unchanged. CurrentBaseMapFile is left
// for the caller to set.
Status ReadBaseMapHeader(const std::filesystem::path& path, AreaList& areas);

// Fills `map` from the whole file. On failure `map` is unchanged.
// LoadedMapFile is left for the caller to set. The point stream always ends
// with a separator: one is appended when the file's does not (so an empty
// point section reads as a single separator, PointCount 0).
Status ReadBaseMap(const std::filesystem::path& path, BaseMap& map);

// The two readers over the bytes of a whole file already in memory.
Status ParseBaseMapHeader(std::string_view bytes, AreaList& areas);
Status ParseBaseMap(std::string_view bytes, BaseMap& map);

}  // namespace kartela
