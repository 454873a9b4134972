// The map document (.KTD): a finished map kept to be shown again, with its
// kind, base map, data, the settings of its kind and the decorations. The
// layout is in map_document_format.h. Reading and writing work on a
// MapDocument value, so that a read changes nothing until it is complete.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "model/decorations.h"
#include "model/map_document_format.h"
#include "model/symbol_settings.h"

namespace kartela {

// The paint map's header: statistics, class rule, legend and boundaries.
struct PaintDocumentSettings {
  double DataMin = 0;
  double DataMax = 0;
  std::int16_t DivisionMethod = 1;
  std::int16_t LegendStyle = 1;
  std::array<std::string, map_document::kBoundaryCount> ClassBreaks;  // Shift-JIS
  std::string ColorScheme;  // the scheme's name; empty: the pattern order
};

struct MapDocument {
  map_document::Kind Kind = map_document::Kind::kWhiteMap;
  std::string DataTitle;                // empty for a white map
  std::string BaseMapFile;              // the base-map reference, as held in memory
  PaintDocumentSettings Paint;          // paint map only
  SymbolSettings Symbols;               // circle map and picture graph (colours: circle map)
  std::string GlyphPictureFile;         // picture graph: the picture's file name only
  std::vector<std::string> Values;      // none for a white map
  std::vector<ShapeDecoration> Shapes;  // at most kMaxDecorations each
  std::vector<TextDecoration> Texts;
  // The legend heading and the source line (Shift-JIS); empty: none.
  std::string LegendHeading;
  std::string SourceText;
  bool SourceAtRight = false;
};

// The document in `bytes`, or why it is refused (kBadFormat): an unknown
// kind tag, a missing line, a number that does not read or is out of its
// range, a text longer than its field (a value over 11 bytes, a boundary over
// 22), a count above its list (values 3440, decorations 240). The detail is
// "N 行目：reason" (UTF-8, lines from 1) and the offset that line's start.
// A file larger than kMaxFileBytes is refused whole (kTooLarge). Lines
// between the kind's header and the "#" are skipped; nothing after the last
// text is read.
StatusOr<MapDocument> ParseMapDocument(std::string_view bytes);

// The bytes of `document`, in the layout the reader takes.
std::string FormatMapDocument(const MapDocument& document);

// Why `document` cannot be written so that it reads back the same (a line
// break in a text, a text or count over its limit); empty when it can.
std::string MapDocumentWriteRefusal(const MapDocument& document);

}  // namespace kartela
