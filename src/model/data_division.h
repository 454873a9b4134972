// Rates and densities: the values of one data set divided by those of another
// on the same areas (population by land area, deaths by births), times a
// factor such as 100 or 1,000, with a chosen number of decimals.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela {

struct Division {
  long double factor = 1;  // 1, 100 for percent, 1,000 for per mille, ...
  int decimals = 1;        // digits after the point, where the value has room
};

// What the division left empty or shortened, by 1-based area number.
struct DivisionReport {
  std::vector<int> without_value;    // the area's own value is missing or not a number
  std::vector<int> without_divisor;  // the divisor is missing or not a number
  std::vector<int> zero_divisor;     // the divisor is 0: left empty, never divided
  std::vector<int> too_long;         // the result does not fit a value: left empty
  std::vector<int> rounded;          // fewer decimals than asked, so that the result fits

  std::size_t LeftEmpty() const {
    return without_value.size() + without_divisor.size() + zero_divisor.size() + too_long.size();
  }
};

struct DividedValues {
  std::vector<std::string> values;  // the value text of area n at values[n - 1]
  DivisionReport report;
};

// values[n] / divisors[n] × factor for the areas 1..area_count, as value texts
// with the division's decimals. Areas without a number on either side, or
// with a divisor of 0, are left empty and listed.
DividedValues DivideValues(const std::vector<std::string>& values,
                           const std::vector<std::string>& divisors, int area_count,
                           const Division& division);

// The title proposed for a quotient: "人口 ÷ 面積" (Shift-JIS), each title
// without the remark in brackets that ends it (the unit, the year), cut to a
// title's length.
std::string DivisionTitle(std::string_view dividend_title, std::string_view divisor_title);

// Why the data on `divisor_areas` cannot divide the data on `areas`: they are
// not the areas of one base map in one order. UTF-8; empty when they are.
std::string DivisorAreasRefusal(const AreaList& areas, const AreaList& divisor_areas);

struct DataDivision {
  DataSet data;  // new and unsaved: no file name, modified, the proposed title
  DivisionReport report;
};

// `data` divided by `divisor`, both on the areas of `areas`: the one data set
// a calculation replaces the current one with.
DataDivision DivideDataSet(const AreaList& areas, const DataSet& data, const DataSet& divisor,
                           const Division& division);

// The note on what the division left empty or shortened, one line per kind
// with the count and the first areas by name (UTF-8); empty when every area
// has its quotient.
std::string DivisionNote(const AreaList& areas, const DivisionReport& report);

}  // namespace kartela
