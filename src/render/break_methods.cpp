#include "render/break_methods.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/real48.h"

namespace kartela {
namespace {

// Distinct values with how often each occurs, and running sums over them
// for the sum of squared deviations of any run. The values are taken about
// the middle one, which keeps the squares small.
class WeightedRuns {
 public:
  explicit WeightedRuns(std::span<const double> sorted) {
    const long double shift = sorted[sorted.size() / 2];
    count_.push_back(0);
    sum_.push_back(0);
    squares_.push_back(0);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      const long double offset = sorted[i] - shift;
      if (i == 0 || sorted[i] != sorted[i - 1]) {
        values_.push_back(sorted[i]);
        count_.push_back(count_.back());
        sum_.push_back(sum_.back());
        squares_.push_back(squares_.back());
      }
      count_.back() += 1;
      sum_.back() += offset;
      squares_.back() += offset * offset;
    }
  }

  std::size_t size() const { return values_.size(); }
  double value(std::size_t i) const { return values_[i]; }

  // Squared deviations from their mean of the values of distinct values
  // first..last.
  long double Cost(std::size_t first, std::size_t last) const {
    const long double n = count_[last + 1] - count_[first];
    const long double sum = sum_[last + 1] - sum_[first];
    return squares_[last + 1] - squares_[first] - sum * sum / n;
  }

 private:
  std::vector<double> values_;
  std::vector<long double> count_;  // running sums, one entry ahead
  std::vector<long double> sum_;
  std::vector<long double> squares_;
};

// One layer of the optimal partition: the least cost of the distinct values
// 0..i in `groups` groups, and where the last group starts.
struct Layer {
  std::vector<long double> cost;
  std::vector<std::size_t> start;
};

// The next layer from `previous`. The start of the last group never moves
// left as i grows, so each middle i is solved over the starts its
// neighbours leave open (divide and conquer, O(n log n) per layer).
class NextLayer {
 public:
  NextLayer(const WeightedRuns& runs, const Layer& previous, std::size_t groups)
      : runs_(runs), previous_(previous), first_(groups - 1) {
    layer_.cost.assign(runs.size(), 0);
    layer_.start.assign(runs.size(), 0);
    Solve(first_, runs.size() - 1, first_, runs.size() - 1);
  }

  Layer Take() { return std::move(layer_); }

 private:
  void Solve(std::size_t low, std::size_t high, std::size_t start_low, std::size_t start_high) {
    if (low > high) return;
    const std::size_t middle = low + (high - low) / 2;
    std::size_t best = start_low;
    long double best_cost = INFINITY;
    for (std::size_t start = start_low; start <= std::min(start_high, middle); ++start) {
      const long double cost = previous_.cost[start - 1] + runs_.Cost(start, middle);
      if (cost < best_cost) {
        best_cost = cost;
        best = start;
      }
    }
    layer_.cost[middle] = best_cost;
    layer_.start[middle] = best;
    if (middle > low) Solve(low, middle - 1, start_low, best);
    Solve(middle + 1, high, best, start_high);
  }

  const WeightedRuns& runs_;
  const Layer& previous_;
  std::size_t first_;  // the least i that `groups` groups can cover
  Layer layer_;
};

constexpr std::array<BreakMethod, 4> kMethods = {{
    {"equal-count", EqualCountBreaks, false},
    {"equal-interval", EqualIntervalBreaks, true},
    {"jenks", NaturalBreaks, false},
    {"stddev", StandardDeviationBreaks, true},
}};

}  // namespace

std::span<const BreakMethod> BreakMethods() {
  return kMethods;
}

const BreakMethod& BreakMethodById(std::string_view id) {
  for (const BreakMethod& method : kMethods) {
    if (method.id == id) return method;
  }
  return kMethods.front();
}

std::int64_t TruncatedShare(int n, int parts, int j) {
  const long double inner = static_cast<long double>(parts) / j;
  return TruncTowardZero(n / inner);
}

std::vector<double> EqualCountBreaks(std::span<const double> sorted, int class_count) {
  const auto n = static_cast<std::int64_t>(sorted.size());
  std::vector<double> breaks;
  for (int j = 1; j < class_count; ++j) {
    const std::int64_t p =
        std::clamp<std::int64_t>(TruncatedShare(static_cast<int>(n), class_count, j) + 1, 1, n);
    breaks.push_back(sorted[static_cast<std::size_t>(p - 1)]);
  }
  return breaks;
}

std::vector<double> EqualIntervalBreaks(std::span<const double> sorted, int class_count) {
  const long double low = sorted.front();
  const long double step = (static_cast<long double>(sorted.back()) - low) / class_count;
  std::vector<double> breaks;
  for (int j = 1; j < class_count; ++j)
    breaks.push_back(static_cast<double>(low + step * j));
  return breaks;
}

std::vector<double> NaturalBreaks(std::span<const double> sorted, int class_count) {
  const WeightedRuns runs(sorted);
  const std::size_t groups =
      std::min<std::size_t>(static_cast<std::size_t>(class_count), runs.size());
  std::vector<Layer> layers(1);
  for (std::size_t i = 0; i < runs.size(); ++i)
    layers[0].cost.push_back(runs.Cost(0, i));
  for (std::size_t g = 2; g <= groups; ++g)
    layers.push_back(NextLayer(runs, layers.back(), g).Take());
  std::vector<double> breaks;
  std::size_t last = runs.size() - 1;
  for (std::size_t g = groups; g >= 2; --g) {
    const std::size_t start = layers[g - 1].start[last];
    breaks.push_back(runs.value(start));
    last = start - 1;
  }
  std::reverse(breaks.begin(), breaks.end());
  return breaks;
}

std::vector<double> StandardDeviationBreaks(std::span<const double> sorted, int class_count) {
  const auto n = static_cast<long double>(sorted.size());
  long double sum = 0;
  for (const double value : sorted)
    sum += value;
  const long double mean = sum / n;
  long double squares = 0;
  for (const double value : sorted)
    squares += (value - mean) * (value - mean);
  const long double deviation = std::sqrt(squares / (n - 1));
  std::vector<double> breaks;
  for (int j = 1; j < class_count; ++j)
    breaks.push_back(static_cast<double>(mean + (j - class_count / 2.0L) * deviation));
  return breaks;
}

}  // namespace kartela
