// kartela-cli table: a statistics table matched to a base map's areas and
// written as a data file, with the match report as JSON.
#include <nlohmann/json.hpp>

#include "app/cli_commands.h"
#include "app/cli_division.h"
#include "app/cli_options.h"
#include "base/text_encoding.h"
#include "geodata/command_line_text.h"
#include "geodata/gdal_plugin/gdal_services.h"
#include "geodata/table/table_source.h"
#include "model/base_map_file.h"
#include "model/base_map_reference.h"
#include "model/data_file.h"
#include "model/messages.h"

namespace kartela {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kTableUsage =
    "table FILE --key COL --value COL [--match name|code] [--header-row N] [--sheet S] "
    "[--encoding auto|cp932|utf-8] [--base-map X.IDT] [--divide COL [--times K] [--decimals D]] "
    "--out X.DAT";

// The base map the data file will refer to; the prefecture map by default.
constexpr std::string_view kDefaultBaseMap = "全国２.IDT";

Json RowJson(const TableRow& row) {
  return {{"row", row.line}, {"key", sjis::ToUtf8Lossy(row.key)}};
}

Json RowsJson(const std::vector<TableRow>& rows, bool with_value) {
  Json list = Json::array();
  for (const TableRow& row : rows) {
    Json item = RowJson(row);
    if (with_value) item["value"] = sjis::ToUtf8Lossy(row.value);
    list.push_back(std::move(item));
  }
  return list;
}

Json AreaJson(const AreaList& areas, int area) {
  return {{"area", area}, {"name", sjis::ToUtf8Lossy(areas.AreaNames[area - 1])}};
}

Json DescribeReading(const table::Table& table, const table::TableReading& reading,
                     const AreaList& areas) {
  const TableMatch& match = reading.match;
  Json without_row = Json::array();
  for (const int area : match.areas_without_row)
    without_row.push_back(AreaJson(areas, area));
  Json conflicts = Json::array();
  for (const RowConflict& conflict : match.conflicts) {
    Json item = AreaJson(areas, conflict.area);
    item["rows"] = {RowJson(conflict.first), RowJson(conflict.second)};
    conflicts.push_back(std::move(item));
  }
  return {{"sheet", table.sheet},
          {"encoding", EncodingName(table.encoding)},
          {"baseMap", sjis::ToUtf8Lossy(areas.CurrentBaseMapFile)},
          {"title", sjis::ToUtf8Lossy(reading.title)},
          {"areaCount", areas.AreaCount()},
          {"matched", match.matched},
          {"unmatchedRows", RowsJson(match.unmatched_rows, false)},
          {"ambiguousRows", RowsJson(match.ambiguous_rows, false)},
          {"areasWithoutRow", std::move(without_row)},
          {"conflicts", std::move(conflicts)},
          {"emptiedValues", RowsJson(match.emptied_values, true)},
          {"roundedValues", RowsJson(match.rounded_values, true)},
          {"tooLongValues", RowsJson(match.too_long_values, true)},
          {"accepted", match.Accepted()}};
}

// Why the rows cannot be read: the rows that fall on one area, by number and key.
std::string ConflictReason(const TableMatch& match, const AreaList& areas) {
  std::string reason;
  for (const RowConflict& conflict : match.conflicts) {
    reason += (reason.empty() ? "" : "; ") + sjis::ToUtf8Lossy(areas.AreaNames[conflict.area - 1]) +
              " に 2 行が当たります: " + std::to_string(conflict.first.line) + " 行目「" +
              sjis::ToUtf8Lossy(conflict.first.key) + "」と " +
              std::to_string(conflict.second.line) + " 行目「" +
              sjis::ToUtf8Lossy(conflict.second.key) + "」";
  }
  return reason;
}

struct TableArguments {
  std::string key;
  std::string value;
  table::ColumnChoice choice;  // the header row and match kind; columns once the table is read
};

std::optional<TableArguments> ArgumentsOf(const CliArguments& parsed) {
  TableArguments arguments;
  const auto key = parsed.Value("key");
  const auto value = parsed.Value("value");
  if (!key || !value) return std::nullopt;
  arguments.key = *key;
  arguments.value = *value;
  const std::string kind = parsed.Value("match").value_or("name");
  if (kind != "name" && kind != "code") return std::nullopt;
  arguments.choice.kind = kind == "code" ? TableKeyKind::kCode : TableKeyKind::kName;
  const std::string header = parsed.Value("header-row").value_or("1");
  if (header.empty() || header.size() > 6 ||
      header.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  arguments.choice.header_row = std::stoi(header);
  return arguments;
}

// The column `name` stands for; nullopt after a message.
std::optional<int> FindNamedColumn(const CliContext& context, const std::string& file,
                                   const table::Table& table, int header_row,
                                   const std::string& name) {
  const auto found = table::FindColumn(table, header_row, name);
  if (!found.ok()) {
    ShowMessageWithReason(context.reporter, kMsgFileReadFailed, file,
                          geodata::CommandLineText(found.problems()));
    return std::nullopt;
  }
  return *found;
}

// The key and value columns the arguments name; false after a message.
bool FindColumns(const CliContext& context, const std::string& file, const table::Table& table,
                 TableArguments& arguments) {
  for (const auto& [name, column] : {std::pair{&arguments.key, &arguments.choice.key_column},
                                     {&arguments.value, &arguments.choice.value_column}}) {
    const auto found = FindNamedColumn(context, file, table, arguments.choice.header_row, *name);
    if (!found) return false;
    *column = *found;
  }
  return true;
}

// The area list of the base map `name` names, found as a data file's
// reference is; nullopt after a message.
std::optional<AreaList> AreasOf(const CliContext& context, const std::string& name) {
  const auto reference = sjis::FromUtf8(name);
  const auto location =
      reference ? FindBaseMap(*reference, context.program_dir, std::filesystem::current_path())
                : std::nullopt;
  if (!location) {
    ShowMessageWithReason(context.reporter, kMsgIdtReadFailed, name, kBaseMapNotFoundReason);
    return std::nullopt;
  }
  AreaList areas;
  const Status read = ReadBaseMapHeader(location->path, areas);
  if (!read.ok()) {
    ShowMessageWithReason(context.reporter, kMsgIdtReadFailed, name, read.detail());
    return std::nullopt;
  }
  areas.CurrentBaseMapFile = location->reference;
  return areas;
}

}  // namespace

int RunTableCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  const auto parsed =
      ParseCliArguments(arguments, {"key", "value", "match", "header-row", "sheet", "encoding",
                                    "base-map", "out", "divide", "times", "decimals"});
  if (!parsed || parsed->files.size() != 1 || !parsed->Value("out")) return UsageError(kTableUsage);
  auto table_arguments = ArgumentsOf(*parsed);
  const auto encoding = ParseEncodingName(parsed->Value("encoding").value_or("auto"));
  const auto division = DivisionOf(*parsed);
  if (!table_arguments || !encoding || !division) return UsageError(kTableUsage);
  const std::string& file = parsed->files[0];
  const auto table = gdal::ReadTable(
      {std::filesystem::path(file), parsed->Value("sheet").value_or(""), *encoding});
  if (!table.ok()) {
    ShowMessageWithReason(context.reporter, kMsgFileReadFailed, file,
                          geodata::CommandLineText(table.problems()));
    return kExitFailure;
  }
  const auto areas =
      AreasOf(context, parsed->Value("base-map").value_or(std::string(kDefaultBaseMap)));
  if (!areas) return kExitFailure;
  if (!FindColumns(context, file, *table, *table_arguments)) return kExitFailure;
  const auto divide = parsed->Value("divide");
  std::optional<int> divisor_column;
  if (divide) {
    divisor_column =
        FindNamedColumn(context, file, *table, table_arguments->choice.header_row, *divide);
    if (!divisor_column) return kExitFailure;
  }
  const auto reading = table::MatchTableColumns(*table, table_arguments->choice, *areas);
  Json description = DescribeReading(*table, *reading, *areas);
  if (!reading->match.Accepted()) {
    context.out << description.dump(2) << '\n';
    ShowMessageWithReason(context.reporter, kMsgFileReadFailed, file,
                          ConflictReason(reading->match, *areas));
    return kExitFailure;
  }
  DataSet data;
  data.DataTitle = reading->title;
  std::ranges::copy(reading->match.values, data.DataValues.begin());
  if (divide) {
    auto choice = table_arguments->choice;
    choice.value_column = *divisor_column;
    const auto divisors = table::MatchTableColumns(*table, choice, *areas);
    DividedValues divided =
        DivideValues(reading->match.values, divisors->match.values, areas->AreaCount(), *division);
    data.DataTitle = DivisionTitle(reading->title, divisors->title);
    std::ranges::move(divided.values, data.DataValues.begin());
    description["division"] = DescribeDivision(*areas, divided.report);
  }
  context.out << description.dump(2) << '\n';
  const Status written = WriteDataFile(*parsed->Value("out"), *areas, data);
  if (!written.ok()) {
    ShowSaveFailure(context.reporter, written);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace kartela
