// Time to propose natural breaks for the largest data set (3,440 areas, all
// values distinct) in 8 classes: the data information dialog does it when
// the method is chosen, so it must stay well under 50 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "model/data_set.h"
#include "render/break_methods.h"
#include "render/break_proposal.h"

namespace kartela {
namespace {

// Skewed like populations: a few large values, many small ones.
std::vector<double> AreaValues() {
  std::mt19937 random(3440);
  std::lognormal_distribution<double> population(10.0, 1.5);
  std::vector<double> values(kMaxAreas);
  for (double& value : values)
    value = std::round(population(random));
  return values;
}

void BM_NaturalBreaks(benchmark::State& state) {
  std::vector<double> sorted = AreaValues();
  std::sort(sorted.begin(), sorted.end());
  for (auto _ : state)
    benchmark::DoNotOptimize(NaturalBreaks(sorted, 8));
}
BENCHMARK(BM_NaturalBreaks)->Unit(benchmark::kMillisecond);

// The whole proposal as the dialog makes it: sorting, the method, the texts
// and rounding.
void BM_ProposeRoundedNaturalBreaks(benchmark::State& state) {
  const std::vector<double> values = AreaValues();
  const BreakChoice choice{&BreakMethodById("jenks"), true};
  for (auto _ : state)
    benchmark::DoNotOptimize(ProposeBoundaryTexts(values, 8, choice, 8, 0));
}
BENCHMARK(BM_ProposeRoundedNaturalBreaks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kartela
