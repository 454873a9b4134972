#include "model/data_division.h"

#include <algorithm>
#include <optional>

#include "base/numbers.h"
#include "base/text_encoding.h"
#include "model/value_syntax.h"

namespace kartela {
namespace {

constexpr std::size_t kNamesInNote = 10;

std::optional<long double> NumberOf(const std::vector<std::string>& values, std::size_t slot) {
  if (slot >= values.size()) return std::nullopt;
  return ParseDataValue(values[slot]);
}

int DecimalsOf(std::string_view text) {
  const std::size_t point = text.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// The quotient of area `area` as a value text, or empty after listing why.
std::string Quotient(std::optional<long double> value, std::optional<long double> divisor, int area,
                     const Division& division, DivisionReport& report) {
  if (!value) {
    report.without_value.push_back(area);
    return {};
  }
  if (!divisor) {
    report.without_divisor.push_back(area);
    return {};
  }
  if (*divisor == 0) {
    report.zero_divisor.push_back(area);
    return {};
  }
  const long double quotient = *value / *divisor * division.factor;
  auto text = FittingValueText(quotient, division.decimals);
  if (!text) {
    report.too_long.push_back(area);
    return {};
  }
  if (DecimalsOf(*text) < division.decimals) report.rounded.push_back(area);
  return std::move(*text);
}

// `title` without the remark in brackets that ends it, such as the unit or the
// year ("都道府県別人口（2020年国勢調査）" is "都道府県別人口"); the whole
// title when nothing is before the bracket.
std::string_view WithoutRemark(std::string_view title) {
  const std::string open_bracket = *sjis::FromUtf8("（");
  for (std::size_t at = 0; at < title.size();) {
    const bool bracket = title[at] == '(' || title.substr(at).starts_with(open_bracket);
    if (bracket) return at == 0 ? title : Trim(title.substr(0, at), Blanks::kSpace);
    at += sjis::IsLeadByte(static_cast<unsigned char>(title[at])) ? 2 : 1;
  }
  return title;
}

std::string NoteLine(const AreaList& areas, std::string_view what, const std::vector<int>& list) {
  if (list.empty()) return {};
  std::string line = std::string(what) + " " + std::to_string(list.size()) + " 件：";
  const std::size_t shown = std::min(list.size(), kNamesInNote);
  for (std::size_t i = 0; i < shown; ++i) {
    const auto slot = static_cast<std::size_t>(list[i] - 1);
    line += (i == 0 ? "" : "、") + sjis::ToUtf8Lossy(areas.AreaNames[slot]);
  }
  if (list.size() > shown) line += " ほか " + std::to_string(list.size() - shown) + " 件";
  return line + "\n";
}

}  // namespace

DividedValues DivideValues(const std::vector<std::string>& values,
                           const std::vector<std::string>& divisors, int area_count,
                           const Division& division) {
  DividedValues divided;
  divided.values.resize(static_cast<std::size_t>(std::max(area_count, 0)));
  for (std::size_t slot = 0; slot < divided.values.size(); ++slot) {
    divided.values[slot] = Quotient(NumberOf(values, slot), NumberOf(divisors, slot),
                                    static_cast<int>(slot) + 1, division, divided.report);
  }
  return divided;
}

std::string DivisionTitle(std::string_view dividend_title, std::string_view divisor_title) {
  const std::string title = std::string(WithoutRemark(dividend_title)) + *sjis::FromUtf8(" ÷ ") +
                            std::string(WithoutRemark(divisor_title));
  return std::string(sjis::CutToBytes(title, kMaxTitleBytes));
}

std::string DivisorAreasRefusal(const AreaList& areas, const AreaList& divisor_areas) {
  if (areas.AreaNames == divisor_areas.AreaNames) return {};
  return "割るデータの基本地図 " + sjis::ToUtf8Lossy(divisor_areas.CurrentBaseMapFile) +
         " の区域が、このデータの基本地図 " + sjis::ToUtf8Lossy(areas.CurrentBaseMapFile) +
         " の区域と違います";
}

DataDivision DivideDataSet(const AreaList& areas, const DataSet& data, const DataSet& divisor,
                           const Division& division) {
  DividedValues divided =
      DivideValues(data.DataValues, divisor.DataValues, areas.AreaCount(), division);
  DataDivision result;
  result.data.DataTitle = DivisionTitle(data.DataTitle, divisor.DataTitle);
  std::ranges::move(divided.values, result.data.DataValues.begin());
  result.data.DataModified = true;
  result.report = std::move(divided.report);
  return result;
}

std::string DivisionNote(const AreaList& areas, const DivisionReport& report) {
  return NoteLine(areas, "値のない区域", report.without_value) +
         NoteLine(areas, "割る値のない区域", report.without_divisor) +
         NoteLine(areas, "割る値が 0 の区域", report.zero_divisor) +
         NoteLine(areas, "値の桁に収まらない区域", report.too_long) +
         NoteLine(areas, "小数の桁を減らした区域", report.rounded);
}

}  // namespace kartela
