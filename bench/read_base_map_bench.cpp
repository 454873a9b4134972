// Time to read the largest base map the point store can hold, and the
// allocations a read makes: they follow the header and the file, never the
// number of point records.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "allocation_counter.h"
#include "model/base_map_file.h"

namespace kartela {
namespace {

constexpr int kAreas = 47;
// One record fewer than the blocks hold, so the appended closing separator
// takes the last place of the last block.
constexpr std::int32_t kRecords = PointStore::kMaxBlocks * PointStore::kBlockRecords - 1;

void AppendRecord(std::string& bytes, int x, int y) {
  for (const int v : {x, y}) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>((v >> 8) & 0xFF);
  }
}

// A header of kAreas areas with two anchors each, then kRecords records in
// runs of 100 vertices, each run after a separator; the last is a vertex.
std::string LargestMap() {
  std::string bytes = "Largest map\r\n@RESOLUTION=2000,2000\r\n@INDEXPOSITION=10,10\r\n";
  for (int n = 1; n <= kAreas; ++n) {
    bytes += "Area" + std::to_string(n) + " = " + std::to_string(n * 20) + ",100/" +
             std::to_string(n * 20) + ",300 ; comment\r\n";
  }
  bytes += "@STARTOFPOINTS\r\n";
  bytes.reserve(bytes.size() + static_cast<std::size_t>(kRecords) * 4);
  for (std::int32_t i = 0; i < kRecords; ++i) {
    if (i % 101 == 0) {
      AppendRecord(bytes, 0, i % 7 == 0 ? -1 : 0);
    } else {
      AppendRecord(bytes, 1 + i % 1999, 1 + (i * 7) % 1999);
    }
  }
  return bytes;
}

// The map written once to the temporary directory, removed at exit.
class LargestMapFile {
 public:
  LargestMapFile()
      : path_(std::filesystem::temp_directory_path() /
              ("kartela-bench-" + std::to_string(std::random_device()()) + ".IDT")) {
    const std::string bytes = LargestMap();
    std::ofstream(path_, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ~LargestMapFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  LargestMapFile(const LargestMapFile&) = delete;
  LargestMapFile& operator=(const LargestMapFile&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void BM_ReadLargestBaseMap(benchmark::State& state) {
  static const LargestMapFile file;
  BaseMap map;
  // The first read grows the store to its hundred blocks; later reads reuse them.
  if (!ReadBaseMap(file.path(), map).ok() || map.PointCount != kRecords) {
    state.SkipWithError("the largest map does not read");
    return;
  }
  const std::int64_t allocations_before = bench::AllocationCount();
  for (auto _ : state) {
    if (!ReadBaseMap(file.path(), map).ok()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(map.PointCount);
  }
  const auto reads = static_cast<double>(state.iterations());
  state.counters["allocs_per_read"] =
      static_cast<double>(bench::AllocationCount() - allocations_before) / reads;
  state.counters["records"] = map.PointCount + 1;
}
BENCHMARK(BM_ReadLargestBaseMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela
