// The maps the benchmarks draw, loaded from the shipped base maps and sample
// data as the commands would load them.
#pragma once

#include <filesystem>
#include <string>

#include "model/reporter.h"
#include "render/legend.h"
#include "render/workspace.h"

namespace kartela::bench {

// The folder of the shipped base maps and sample data.
std::filesystem::path BaseMapsDir();

// A reporter that shows nothing and answers yes.
class SilentReporter : public Reporter {
 public:
  void Show(const CatalogueMessage&) override {}
  bool AskOkCancel(std::string_view, std::string_view) override { return true; }
  Answer AskYesNoCancel(std::string_view, std::string_view) override { return Answer::kYes; }
  void ShowNotice(std::string_view) override {}
};

// Each returns false when the shipped files do not load.
// The base map `reference` (Shift-JIS) as the map to draw on.
bool LoadShippedBaseMap(const std::string& reference, Workspace& workspace);
// The paint map of the population sample, classified as the command does.
bool LoadPaintMapOfJapan(Workspace& workspace);
// The white map of the US counties with the state borders thick.
bool LoadCountyWhiteMap(Workspace& workspace);
// The circle map of the counties over a made-up change in percent per county,
// from -100.0 to 100.0, with the default settings and the proposed
// reference value: both colours and circles of every size.
bool LoadCountyCircleMap(Workspace& workspace);
// The paint map of the counties over the same made-up values, classified as
// the command does.
bool LoadCountyPaintMap(Workspace& workspace);

// A paint map, generated in memory, at the base map format's limits:
// kMaxAreas areas in a grid over 1000 x 700, each one run of 445 vertices
// round its cell, and boundary lines up to the last record the point store
// holds. Meandering borders have several vertices to a pixel at scale 1, as
// densely digitised borders have; zigzag borders move at every vertex.
enum class Borders { kMeandering, kZigzag };
bool MakeLimitPaintMap(Workspace& workspace, Borders borders);

}  // namespace kartela::bench
