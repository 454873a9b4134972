#include "app/cli_commands.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "base/sjis.h"
#include "model/base_map_file.h"
#include "model/data_file.h"
#include "model/reporter.h"

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

bool OneFileArgument(const CliContext& context, const std::vector<std::string>& arguments,
                     std::string_view usage) {
  if (arguments.size() == 1) return true;
  context.out.flush();
  std::cerr << "usage: kartela-cli " << usage << '\n';
  return false;
}

}  // namespace

int RunInfoCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  if (!OneFileArgument(context, arguments, "info FILE.IDT")) return kExitUsage;
  const std::filesystem::path path(arguments[0]);
  AreaList header;
  BaseMap map;
  if (ReadBaseMapHeader(path, header) != BaseMapStatus::kOk ||
      ReadBaseMap(path, map) != BaseMapStatus::kOk) {
    ShowMessage(context.reporter, 3, arguments[0]);
    return kExitFailure;
  }
  Print(context, DescribeBaseMap(header, map));
  return kExitOk;
}

int RunDataCommand(const CliContext& context, const std::vector<std::string>& arguments) {
  if (!OneFileArgument(context, arguments, "data FILE.DAT")) return kExitUsage;
  AreaList areas;
  DataSet data;
  if (!ReadDataFile(std::filesystem::path(arguments[0]), context.program_dir, areas, data,
                    context.reporter)) {
    return kExitFailure;
  }
  Print(context, DescribeData(areas, data));
  return kExitOk;
}

}  // namespace kartela
