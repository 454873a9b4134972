#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::int64_t> allocation_count{0};

}  // namespace

// Kept out of line: inlined, GCC takes malloc() in new and free() in delete
// for a mismatch.
[[gnu::noinline]] void* operator new(std::size_t size) {
  allocation_count.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* memory) noexcept {
  std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace kartela::bench {

std::int64_t AllocationCount() {
  return allocation_count.load(std::memory_order_relaxed);
}

}  // namespace kartela::bench
