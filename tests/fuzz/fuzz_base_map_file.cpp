// Both base-map readers over arbitrary bytes: no crash, no hang, and either a
// well-formed model or a failure that left the model as it was.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/base_map_file.h"

namespace {

using kartela::BaseMap;
using kartela::Status;
using kartela::StatusCode;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// A read map lists at most kMaxAreas areas, closes every anchor row and ends
// its point stream with a separator.
void CheckReadMap(const BaseMap& map) {
  Require(map.MapAreaCount() <= kartela::kMaxAreas);
  Require(map.AreaAnchors.size() == map.MapAreaNames.size());
  for (const auto& row : map.AreaAnchors)
    Require(row[kartela::kMaxAnchors].x == 0);
  for (const auto& name : map.MapAreaNames)
    Require(name.size() <= kartela::kMaxAreaNameBytes);
  Require(map.PointCount >= 0 && map.PointCount < map.Points.Capacity());
  Require(kartela::IsSeparator(map.Points[map.PointCount]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  kartela::AreaList areas;
  const Status header_status = kartela::ParseBaseMapHeader(bytes, areas);
  if (!header_status.ok()) Require(areas.AreaCount() == 0);

  BaseMap map;
  const Status map_status = kartela::ParseBaseMap(bytes, map);
  if (map_status.ok()) {
    CheckReadMap(map);
    Require(map.MapAreaNames == areas.AreaNames);
  } else {
    Require(map.MapAreaCount() == 0 && map.PointCount == -1);
  }
  // The header decides alike for both; only the point section can fail alone:
  // for its size (the one kTooLarge of bytes in memory) or for outlines that
  // end before the anchors' areas (kBadFormat).
  Require((map_status.code() == header_status.code() &&
           map_status.detail() == header_status.detail()) ||
          (header_status.ok() && (map_status.code() == StatusCode::kTooLarge ||
                                  map_status.code() == StatusCode::kBadFormat)));
  return 0;
}
