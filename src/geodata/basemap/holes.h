// Enclaves and the polygons that only mark them.
//
// Outlines are filled in area order, so an enclave of an earlier area would
// be painted over by the outline around it. Cutting the enclave out of that
// outline keeps it visible. Some databases also give the surrounding region a
// copy of the enclave's polygon to mark its hole ("South Africa:enclave:
// Lesoto" beside "Lesotho"); filled, such a copy would hide the enclave.
#pragma once

#include <vector>

#include "geodata/basemap/sheet.h"
#include "model/area_list.h"

namespace kartela::basemap {

// `outer` with `hole` cut out through a zero-width bridge between their
// nearest vertices; the hole is walked against the outer ring's turn, so a
// winding fill leaves it empty.
std::vector<MapPoint> CutHole(const std::vector<MapPoint>& outer, std::vector<MapPoint> hole);

// For each part, the parts among `outline_parts` of earlier areas that lie
// inside it.
std::vector<std::vector<int>> FindEnclaves(const Sheet& sheet,
                                           const std::vector<int>& outline_parts);

// The parts that only mark a hole: a part with the same boundary as a part
// of another area that lies inside another part of its own area.
std::vector<bool> FindHoleMarkers(const Sheet& sheet);

}  // namespace kartela::basemap
