// Plays an EMF or a WMF (placeable or not) into any device context, scaled
// into a target rectangle. Every record's size, count, offset and object
// index is checked against the file before use; a damaged or hostile file
// gives the offset of the record at fault and the reason, never a crash or
// a hang. A file the player cannot use is kBadFormat, with that offset; a
// sound file it cannot draw is kUnsupported.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/status.h"
#include "gdi/device_context.h"

namespace kartela::gdi {

enum class MetafileFormat : std::uint8_t { kEmf, kPlaceableWmf, kWmf };

struct MetafileInfo {
  MetafileFormat format = MetafileFormat::kEmf;
  // EMF: the device bounds of the header (inclusive, reference pixels).
  // Placeable WMF: the bounding box (logical units). Plain WMF: empty.
  Rect bounds;
  // The picture's size: the EMF frame in reference-device pixels, the
  // placeable WMF's bounding box in pixels at 96 per inch; zero for a plain
  // WMF.
  Size size;
};

// Whether `bytes` begin as an EMF does (an EMF header record); any other
// bytes are read as a WMF.
bool LooksLikeEmf(std::string_view bytes);

// Reads the header of `bytes`.
StatusOr<MetafileInfo> InspectMetafile(std::string_view bytes);

// Plays `bytes` into `dc`, the picture filling `target`. Records before a
// fault have been drawn; check a file once with CheckMetafile before keeping
// it to draw later.
Status PlayMetafile(std::string_view bytes, DeviceContext& dc, const Rect& target);

// Plays `bytes` into nothing: the whole file is checked, nothing is drawn.
Status CheckMetafile(std::string_view bytes);

}  // namespace kartela::gdi
