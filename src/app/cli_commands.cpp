#include "app/cli_commands.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>

#include "app/cli_options.h"
#include "base/text_encoding.h"
#include "model/base_map_file.h"
#include "model/data_file.h"
#include "model/reporter.h"
#include "model/settings.h"
#include "model/value_syntax.h"
#include "render/break_proposal.h"
#include "render/classification.h"

namespace kartela {
namespace {

using Json = nlohmann::ordered_json;

void Print(const CliContext& context, const Json& result) {
  context.out << result.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

Json Text(std::string_view sjis_text) {
  return sjis::ToUtf8Lossy(sjis_text);
}

Json AnchorsOf(const std::array<MapPoint, kMaxAnchors + 1>& anchors) {
  Json list = Json::array();
  for (const MapPoint& anchor : anchors) {
    if (IsSeparator(anchor)) break;
    list.push_back({anchor.x, anchor.y});
  }
  return list;
}

Json DescribeBaseMap(const AreaList& header, const BaseMap& map) {
  Json areas = Json::array();
  for (int i = 0; i < map.MapAreaCount(); ++i) {
    areas.push_back(
        {{"name", Text(map.MapAreaNames[i])}, {"anchors", AnchorsOf(map.AreaAnchors[i])}});
  }
  return {{"title", Text(header.BaseMapTitle)},
          {"resolution", {map.Resolution.width, map.Resolution.height}},
          {"indexPosition", {map.IndexPosition.x, map.IndexPosition.y}},
          {"longestAreaName", header.LongestAreaName},
          {"points", map.PointCount + 1},
          {"areas", std::move(areas)}};
}

Json DescribeData(const AreaList& areas, const DataSet& data) {
  Json values = Json::array();
  for (int i = 0; i < areas.AreaCount(); ++i)
    values.push_back(Text(data.DataValues[i]));
  return {{"baseMap", Text(areas.CurrentBaseMapFile)},
          {"title", Text(data.DataTitle)},
          {"areaCount", areas.AreaCount()},
          {"values", std::move(values)}};
}

template <typename Texts>
Json TextArray(const Texts& texts, std::size_t count) {
  Json list = Json::array();
  for (std::size_t i = 0; i < count; ++i)
    list.push_back(Text(texts[i]));
  return list;
}

Json DescribeStatistics(ValueSyntaxResult result, const ClassTables& tables) {
  const bool computed = result == ValueSyntaxResult::kOk;
  return {{"result", static_cast<int>(result)},
          {"intWidth", tables.IntWidth},
          {"decimalDigits", tables.DecimalDigits},
          {"valueWidth", tables.ValueWidth},
          {"stats", TextArray(tables.DataStats, computed ? tables.DataStats.size() : 0)},
          {"deciles", TextArray(tables.DecileTexts, computed ? tables.DecileTexts.size() : 0)},
          {"proposedBreaks", TextArray(tables.ProposedBreaks, computed ? kMaxClassCount - 1 : 0)}};
}

}  // namespace

int UsageError(std::string_view usage) {
  std::cerr << "usage: kartela-cli " << usage << '\n';
  return kExitUsage;
}

int RunInfoCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return UsageError("info FILE.IDT");
  const std::filesystem::path path(arguments[0]);
  AreaList header;
  BaseMap map;
  Status read = ReadBaseMapHeader(path, header);
  if (read.ok()) read = ReadBaseMap(path, map);
  if (!read.ok()) {
    ShowMessageWithReason(context.reporter, kMsgIdtReadFailed, arguments[0], read.detail());
    return kExitFailure;
  }
  Print(context, DescribeBaseMap(header, map));
  return kExitOk;
}

int RunDataCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return UsageError("data FILE.DAT");
  AreaList areas;
  DataSet data;
  if (!ReadDataFile(std::filesystem::path(arguments[0]), context.program_dir, areas, data,
                    context.reporter)) {
    return kExitFailure;
  }
  Print(context, DescribeData(areas, data));
  return kExitOk;
}

namespace {

constexpr std::string_view kStatsUsage =
    "stats FILE.DAT [--classes K] [--method equal-count|equal-interval|jenks|stddev] [--round]";

// The way to propose boundaries the options ask for; none for an unknown
// method.
std::optional<BreakChoice> ChoiceOf(const CliArguments& parsed) {
  BreakChoice choice;
  choice.round = parsed.Flag("round");
  if (const auto method = parsed.Value("method")) {
    choice.method = &BreakMethodById(*method);
    if (choice.method->id != *method) return std::nullopt;
  }
  return choice;
}

}  // namespace

int RunStatsCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  const auto parsed = ParseCliArguments(arguments, {"classes", "method"}, {"round"});
  if (!parsed || parsed->files.size() != 1) return UsageError(kStatsUsage);
  const std::optional<BreakChoice> choice = ChoiceOf(*parsed);
  if (!choice) return UsageError(kStatsUsage);
  const Settings defaults;
  int class_count = defaults.ClassCount;
  if (const auto classes = parsed->Value("classes")) {
    const auto count = ParseClassCount(*classes);
    if (!count) {
      ShowMessage(context.reporter, 13);
      return kExitFailure;
    }
    class_count = *count;
  }
  AreaList areas;
  DataSet data;
  if (!ReadDataFile(std::filesystem::path(parsed->files[0]), context.program_dir, areas, data,
                    context.reporter)) {
    return kExitFailure;
  }
  ClassTables tables;
  const ValueSyntaxResult result =
      ComputeDataStatistics(data, areas.AreaCount(), class_count, tables);
  if (result == ValueSyntaxResult::kOk && !choice->IsDefault())
    ProposeClassBreaks(tables, areas.AreaCount(), class_count, *choice);
  ShowDataMessage(context.reporter, MessageNumberFor(result), data, areas);
  Json description = DescribeStatistics(result, tables);
  description["method"] = choice->method->id;
  description["round"] = choice->round;
  Print(context, description);
  return kExitOk;
}

}  // namespace kartela
