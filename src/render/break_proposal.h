// Class boundaries proposed by a chosen method, as the texts the data
// information dialog shows: the method's boundaries written with the data's
// decimals, and optionally rounded to round numbers.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "model/settings.h"
#include "render/break_methods.h"
#include "render/classification.h"

namespace kartela {

struct BreakChoice {
  const BreakMethod* method = &BreakMethods().front();
  bool round = false;  // "きりのよい数値"

  // Equal counts without rounding: what ComputeDataStatistics proposes.
  bool IsDefault() const { return method == &BreakMethods().front() && !round; }
  bool operator==(const BreakChoice&) const = default;
};

// The choice remembered in the settings; equal counts when none was made.
BreakChoice BreakChoiceOf(const Settings& settings);

// Remembers `choice` in the settings; a choice equal to the one held changes
// nothing, so the settings file stays as it is. Returns whether it changed.
bool RememberBreakChoice(const BreakChoice& choice, Settings& settings);

// The text of each boundary, `width` wide with `decimals` decimals. A data
// value is written as it is; a cut as the least value with `decimals`
// decimals not below it, so that every value of the data stays on its side,
// and a cut that falls on the one before it is left out.
std::vector<std::string> BoundaryTexts(std::span<const double> boundaries, bool cuts, int width,
                                       int decimals);

// Each boundary rounded to the fewest significant digits (at most
// `decimals` decimals) that keeps the boundaries increasing and leaves every
// class that held values of `sorted` with at least one. `texts` as made by
// BoundaryTexts.
std::vector<std::string> RoundBoundaryTexts(const std::vector<std::string>& texts,
                                            std::span<const double> sorted, int width,
                                            int decimals);

// The boundary texts `choice` proposes for `values` (one per area,
// kMissingValue where an area has none) in `class_count` classes; none for
// fewer than two valid values.
std::vector<std::string> ProposeBoundaryTexts(std::span<const double> values, int class_count,
                                              const BreakChoice& choice, int width, int decimals);

// Proposes into tables.ProposedBreaks 1..7 by `choice` from the numbers and
// widths ComputeDataStatistics left, the entries after the boundaries empty.
void ProposeClassBreaks(ClassTables& tables, int area_count, int class_count,
                        const BreakChoice& choice);

}  // namespace kartela
