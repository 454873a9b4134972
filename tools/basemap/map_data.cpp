#include "basemap/map_data.h"

#include "base/sjis.h"
#include "model/area_list.h"
#include "model/data_file.h"
#include "model/data_set.h"

namespace kartela::basemap {
namespace {

Result<std::string> Sjis(const std::string& utf8, const std::string& what) {
  auto text = sjis::FromUtf8(utf8);
  if (!text) return Error{what + " \"" + utf8 + "\" has a character Shift-JIS cannot hold"};
  return *text;
}

}  // namespace

Result<std::string> FormatMapData(const BuiltMap& map, const std::string& map_file_name,
                                  const std::string& title,
                                  const std::vector<std::string>& values) {
  AreaList list;
  DataSet data;
  auto reference = Sjis(map_file_name, "the base map's file name");
  if (!reference.ok()) return reference;
  auto sjis_title = Sjis(title, "the title");
  if (!sjis_title.ok()) return sjis_title;
  list.CurrentBaseMapFile = *reference;
  data.DataTitle = *sjis_title;
  for (std::size_t a = 0; a < map.areas.size(); ++a) {
    auto name = Sjis(map.areas[a].name, "the area name");
    if (!name.ok()) return name;
    list.AreaNames.push_back(*name);
    data.DataValues[a] = values[a];
  }
  if (const std::string refusal = DataFileWriteRefusal(list, data); !refusal.empty()) {
    return Error{sjis::ToUtf8Lossy(refusal)};
  }
  return FormatDataFile(list, data);
}

}  // namespace kartela::basemap
