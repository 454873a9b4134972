// Counts the allocations of the program through replaced global operators,
// so that a benchmark can report how many allocations a step makes.
#pragma once

#include <cstdint>

namespace kartela::bench {

// Allocations through operator new since the program started.
std::int64_t AllocationCount();

}  // namespace kartela::bench
