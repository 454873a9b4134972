#include "geodata/basemap/map_data.h"

#include "base/text_encoding.h"
#include "geodata/basemap/idt_writer.h"
#include "model/area_list.h"
#include "model/data_file.h"
#include "model/data_set.h"

namespace kartela::basemap {

StatusOr<std::string> FormatMapData(const BuiltMap& map, const std::string& map_file_name,
                                    const std::string& title,
                                    const std::vector<std::string>& values) {
  AreaList list;
  DataSet data;
  auto reference = ToSjis(map_file_name, "the base map's file name");
  if (!reference.ok()) return reference;
  auto sjis_title = ToSjis(title, "the title");
  if (!sjis_title.ok()) return sjis_title;
  list.CurrentBaseMapFile = *reference;
  data.DataTitle = *sjis_title;
  for (std::size_t a = 0; a < map.areas.size(); ++a) {
    auto name = ToSjis(map.areas[a].name, "the area name");
    if (!name.ok()) return name;
    list.AreaNames.push_back(*name);
    data.DataValues[a] = values[a];
  }
  if (const std::string refusal = DataFileWriteRefusal(list, data); !refusal.empty()) {
    return Status(StatusCode::kRefused, sjis::ToUtf8Lossy(refusal));
  }
  return FormatDataFile(list, data);
}

}  // namespace kartela::basemap
