#include "app/cli_division.h"

#include "base/numbers.h"
#include "base/text_encoding.h"
#include "model/value_syntax.h"

namespace kartela {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kMaxDecimals = 10;

Json AreaListJson(const AreaList& areas, const std::vector<int>& list) {
  Json items = Json::array();
  for (const int area : list)
    items.push_back({{"area", area}, {"name", sjis::ToUtf8Lossy(areas.AreaNames[area - 1])}});
  return items;
}

}  // namespace

std::optional<Division> DivisionOf(const CliArguments& parsed) {
  Division division;
  if (const auto times = parsed.Value("times")) {
    const auto factor = ParseDataValue(NormalizeTypedNumber(*times));
    if (!factor || *factor <= 0) return std::nullopt;
    division.factor = *factor;
  }
  if (const auto decimals = parsed.Value("decimals")) {
    if (decimals->empty() || decimals->size() > 2 ||
        decimals->find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(*decimals) > kMaxDecimals)
      return std::nullopt;
    division.decimals = std::stoi(*decimals);
  }
  return division;
}

Json DescribeDivision(const AreaList& areas, const DivisionReport& report) {
  return {{"leftEmpty", report.LeftEmpty()},
          {"withoutValue", AreaListJson(areas, report.without_value)},
          {"withoutDivisor", AreaListJson(areas, report.without_divisor)},
          {"zeroDivisor", AreaListJson(areas, report.zero_divisor)},
          {"tooLong", AreaListJson(areas, report.too_long)},
          {"rounded", AreaListJson(areas, report.rounded)}};
}

}  // namespace kartela
