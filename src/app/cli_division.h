// What kartela-cli calc and table --divide share: the division's options and
// the report of the areas it left empty.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>

#include "app/cli_options.h"
#include "model/data_division.h"

namespace kartela {

inline constexpr std::string_view kDivisionUsage = "[--times K] [--decimals D]";

// The division --times (a positive number, "1,000" as well; 1 if not given)
// and --decimals (0 to 10; 1 if not given) ask for; nullopt for other values.
std::optional<Division> DivisionOf(const CliArguments& parsed);

// The areas the division left empty or shortened, by kind, each area with its
// number and name.
nlohmann::ordered_json DescribeDivision(const AreaList& areas, const DivisionReport& report);

}  // namespace kartela
