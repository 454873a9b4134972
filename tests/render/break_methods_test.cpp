#include "render/break_methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "model/settings_file.h"
#include "render/break_proposal.h"
#include "render/classification.h"

namespace kartela {
namespace {

using Texts = std::vector<std::string>;

// The tables ComputeDataStatistics leaves for areas with `values`.
ClassTables TablesOf(const Texts& values, int class_count) {
  DataSet data;
  for (std::size_t i = 0; i < values.size(); ++i)
    data.DataValues[i] = values[i];
  ClassTables tables;
  EXPECT_EQ(ComputeDataStatistics(data, static_cast<int>(values.size()), class_count, tables),
            ValueSyntaxResult::kOk);
  return tables;
}

Texts Proposed(const Texts& values, int class_count, std::string_view method, bool round) {
  ClassTables tables = TablesOf(values, class_count);
  ProposeClassBreaks(tables, static_cast<int>(values.size()), class_count,
                     {&BreakMethodById(method), round});
  return Texts(tables.ProposedBreaks.begin(), tables.ProposedBreaks.begin() + 7);
}

struct ProposalCase {
  std::string_view method;
  bool round;
  int class_count;
  const Texts& values;
  Texts expected;  // the boundaries; the boxes after them stay empty
  const char* what;
};

TEST(ProposeClassBreaksTest, EachMethodOnKnownValues) {
  const Texts tenths = {"0.5", "1.2", "1.9", "2.4", "3.3", "4.0", "4.1", "7.8", "8.0", "9.6"};
  // Wang, H. and Song, M. (2011), "Ckmeans.1d.dp: Optimal k-means clustering
  // in one dimension by dynamic programming", The R Journal 3(2), 29-33:
  // the example there groups these values into {-1 x4}, {2 x3}, {4, 5, 6}.
  const Texts published = {"-1", "2", "-1", "2", "4", "5", "6", "-1", "2", "-1"};
  const Texts dense = {"10", "11", "12", "13", "14", "15", "16", "17", "18", "19"};
  const Texts spread = {"1234", "1567", "2890", "3456", "5012",
                        "6789", "7001", "8888", "9999", "12345"};
  const Texts three = {"1", "2", "3"};
  const std::vector<ProposalCase> cases = {
      {"equal-interval", false, 4, tenths, {"2.8", "5.1", "7.4"}, "2.775, 5.05, 7.325 up"},
      {"stddev", false, 4, tenths, {"1.2", "4.3", "7.5"}, "4.28 -+ 3.137 up"},
      {"jenks", false, 3, published, {"  2", "  4"}, "the published grouping"},
      {"jenks", false, 6, published, {"  2", "  4", "  5", "  6"}, "5 distinct values"},
      {"equal-interval", false, 8, three, {" 2", " 3"}, "cuts that fall together"},
      {"equal-count", true, 5, spread, {"  3000", "  5000", "  7000", " 10000"}, "1 digit"},
      {"equal-count", true, 5, dense, {" 12", " 14", " 16", " 18"}, "10 would empty a class"},
      {"stddev", true, 4, tenths, {"1.0", "4.0", "8.0"}, "rounded cuts"},
  };
  for (const ProposalCase& c : cases) {
    Texts expected = c.expected;
    expected.resize(7);
    EXPECT_EQ(Proposed(c.values, c.class_count, c.method, c.round), expected) << c.what;
  }
}

TEST(ProposeClassBreaksTest, EqualCountsMatchTheStatisticsProposal) {
  Texts eighteen;
  for (int i = 18; i >= 1; --i)
    eighteen.push_back(std::to_string(i));
  const std::vector<std::pair<Texts, int>> cases = {
      {eighteen, 6},  // the quotient that falls just below 15
      {{"3", "x", "3", "3", "1.5", "", "3", "-2"}, 4},
      {{"7", "7"}, 8},
  };
  for (const auto& [values, class_count] : cases) {
    const ClassTables tables = TablesOf(values, class_count);
    EXPECT_EQ(Proposed(values, class_count, "equal-count", false),
              Texts(tables.ProposedBreaks.begin(), tables.ProposedBreaks.begin() + 7));
  }
  EXPECT_EQ(&BreakMethodById("no-such-method"), &BreakMethodById("equal-count"));
}

// Squared deviations from the group means when `sorted` is cut at
// `breaks`, each boundary the lowest value of the group above it.
double GroupedSquares(const std::vector<double>& sorted, const std::vector<double>& breaks) {
  double total = 0;
  auto first = sorted.begin();
  for (std::size_t g = 0; g <= breaks.size(); ++g) {
    const auto last =
        g < breaks.size() ? std::lower_bound(first, sorted.end(), breaks[g]) : sorted.end();
    if (first == last) continue;
    const double mean = std::accumulate(first, last, 0.0) / static_cast<double>(last - first);
    for (auto it = first; it != last; ++it)
      total += (*it - mean) * (*it - mean);
    first = last;
  }
  return total;
}

// The least of GroupedSquares over every way to cut the distinct values
// into `groups` runs.
double LeastSquares(const std::vector<double>& sorted, int groups) {
  std::vector<double> distinct = sorted;
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  const std::size_t gaps = distinct.size() - 1;
  double least = std::numeric_limits<double>::infinity();
  for (unsigned mask = 0; mask < (1u << gaps); ++mask) {
    if (std::popcount(mask) != std::min<int>(groups - 1, static_cast<int>(gaps))) continue;
    std::vector<double> breaks;
    for (std::size_t i = 0; i < gaps; ++i) {
      if ((mask >> i) & 1u) breaks.push_back(distinct[i + 1]);
    }
    least = std::min(least, GroupedSquares(sorted, breaks));
  }
  return least;
}

// The least squared deviations of `sorted` in `groups` groups of
// neighbouring values, by the plain O(k n^2) recurrence.
double LeastSquaresByRecurrence(const std::vector<double>& sorted, int groups) {
  const std::size_t n = sorted.size();
  auto squares = [&](std::size_t first, std::size_t last) {
    return GroupedSquares(std::vector<double>(sorted.begin() + static_cast<long>(first),
                                              sorted.begin() + static_cast<long>(last) + 1),
                          {});
  };
  std::vector<double> previous(n);
  for (std::size_t i = 0; i < n; ++i)
    previous[i] = squares(0, i);
  for (int g = 2; g <= groups; ++g) {
    std::vector<double> next(n, std::numeric_limits<double>::infinity());
    for (std::size_t i = static_cast<std::size_t>(g - 1); i < n; ++i) {
      for (std::size_t start = static_cast<std::size_t>(g - 1); start <= i; ++start)
        next[i] = std::min(next[i], previous[start - 1] + squares(start, i));
    }
    previous = next;
  }
  return previous[n - 1];
}

// Natural breaks are the optimal grouping, checked against every grouping
// of small samples with repeated values.
TEST(NaturalBreaksTest, FindsTheLeastSquaredDeviationsOfAnyGrouping) {
  std::mt19937 random(15);
  std::uniform_int_distribution<int> value(0, 30);
  for (int sample = 0; sample < 200; ++sample) {
    std::vector<double> sorted(static_cast<std::size_t>(4 + sample % 9));
    for (double& v : sorted)
      v = value(random) * 0.5;
    std::sort(sorted.begin(), sorted.end());
    const int groups = 2 + sample % 5;
    const std::vector<double> breaks = NaturalBreaks(sorted, groups);
    EXPECT_TRUE(std::is_sorted(breaks.begin(), breaks.end()));
    EXPECT_NEAR(GroupedSquares(sorted, breaks), LeastSquares(sorted, groups), 1e-9)
        << "sample " << sample;
  }
  // A larger sample of distinct values, against the plain recurrence.
  std::vector<double> sorted(120);
  std::lognormal_distribution<double> skewed(3.0, 1.0);
  for (double& v : sorted)
    v = skewed(random);
  std::sort(sorted.begin(), sorted.end());
  EXPECT_NEAR(GroupedSquares(sorted, NaturalBreaks(sorted, 7)), LeastSquaresByRecurrence(sorted, 7),
              1e-6);
}

// A choice changes the settings only when it differs from the one held; the
// line is written with the class count's change bit, and reads back.
TEST(RememberBreakChoiceTest, WritesTheKeyOnlyOnceAMethodWasChosen) {
  Settings settings;
  EXPECT_FALSE(RememberBreakChoice({}, settings));
  EXPECT_EQ(settings.ChangedMask, 0);
  settings.ChangedMask = kChangedDivision;  // the class count changed
  EXPECT_EQ(FormatSettings(settings).find("BreakMethod"), std::string::npos);

  EXPECT_TRUE(RememberBreakChoice({&BreakMethodById("jenks"), true}, settings));
  const std::string text = FormatSettings(settings);
  EXPECT_NE(text.find("Division      = 5\r\nBreakMethod   = jenks,1\r\n"), std::string::npos)
      << text;
  Settings read;
  ParseSettings(text, read);
  EXPECT_EQ(BreakChoiceOf(read), (BreakChoice{&BreakMethodById("jenks"), true}));
  // Unchanged in a later run: the line passes through as read.
  read.ChangedMask = 0;
  read.SaveMask = 0;
  EXPECT_NE(FormatSettings(read).find("BreakMethod   = jenks,1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kartela
