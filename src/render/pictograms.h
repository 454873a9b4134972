// The pictograms shipped for the picture graph: simple filled shapes drawn
// through the program's own EMF writer.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"

namespace kartela::pictograms {

struct Pictogram {
  std::string file_name;  // UTF-8, as it lies in the program directory
  std::string bytes;      // the EMF
};

// A person, a house, a factory, a car, a tree and a rice bowl; or why the
// writer could not write one of them.
StatusOr<std::vector<Pictogram>> MakePictograms();

}  // namespace kartela::pictograms
