#include "geodata/basemap/idt_writer.h"

#include "base/text_encoding.h"
#include "model/area_list.h"

namespace kartela::basemap {
namespace {

// A name the header reader would split, cut, trim or take for a control line.
bool IsSafeAreaName(const std::string& name) {
  if (name.empty() || name.front() == '@' || name.front() == ' ' || name.back() == ' ')
    return false;
  return name.find_first_of("=;\t\r\n") == std::string::npos;
}

std::string Pair(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

StatusOr<std::string> AreaLine(const BuiltArea& area) {
  auto name = ToSjis(area.name, "area name");
  if (!name.ok()) return name;
  if (name->size() > kMaxAreaNameBytes || !IsSafeAreaName(*name)) {
    return Status(StatusCode::kRefused,
                  "area name \"" + area.name + "\" is too long or holds = ; or a tab");
  }
  std::string line = *name + "=";
  for (std::size_t k = 0; k < area.anchors.size(); ++k) {
    line += (k > 0 ? "/" : "") + Pair(area.anchors[k].x, area.anchors[k].y);
  }
  return line;
}

StatusOr<std::string> Header(const BuiltMap& map) {
  auto title = ToSjis(map.title, "title");
  if (!title.ok()) return title;
  if (title->size() > kMaxHeaderLine || title->find_first_of("\r\n") != std::string::npos) {
    return Status(StatusCode::kRefused, "the title does not fit one header line");
  }
  std::string header = *title + "\r\n";
  header += "@RESOLUTION=" + Pair(map.resolution.width, map.resolution.height) + "\r\n";
  header += "@INDEXPOSITION=" + Pair(map.index_position.x, map.index_position.y) + "\r\n";
  for (const BuiltArea& area : map.areas) {
    auto line = AreaLine(area);
    if (!line.ok()) return line;
    header += *line + "\r\n";
  }
  return header + "@STARTOFPOINTS\r\n";
}

class PointSection {
 public:
  void Separator(std::int16_t code) { Record(0, code); }
  bool Run(const std::vector<MapPoint>& points) {
    for (const MapPoint& p : points) {
      if (p.x < 1 || p.y < 0) return false;
      Record(p.x, p.y);
    }
    return true;
  }
  std::size_t records() const { return bytes_.size() / 4; }
  const std::string& bytes() const { return bytes_; }

 private:
  void Record(std::int16_t x, std::int16_t y) {
    for (const std::int16_t value : {x, y}) {
      const auto bits = static_cast<std::uint16_t>(value);
      bytes_ += static_cast<char>(bits & 0xFF);
      bytes_ += static_cast<char>(bits >> 8);
    }
  }
  std::string bytes_;
};

StatusOr<std::string> Points(const BuiltMap& map) {
  PointSection section;
  bool inside = true;
  for (const BuiltArea& area : map.areas) {
    for (const auto& outline : area.outlines) {
      section.Separator(kPlainLine);
      inside = section.Run(outline) && !outline.empty() && inside;
    }
  }
  for (const auto& line : map.lines) {
    section.Separator(line.code);
    inside = section.Run(line.points) && inside;
  }
  section.Separator(kPlainLine);
  if (!inside) {
    return Status(StatusCode::kRefused,
                  "a run is empty or has a point left of x = 1 or above y = 0");
  }
  if (section.records() > kMaxPointRecords) {
    return Status(StatusCode::kTooLarge, std::to_string(section.records()) +
                                             " point records are more than a base map holds");
  }
  return section.bytes();
}

std::optional<std::string> CheckAreas(const BuiltMap& map) {
  if (map.areas.empty() || map.areas.size() > static_cast<std::size_t>(kMaxAreas)) {
    return std::to_string(map.areas.size()) + " areas do not fit a base map";
  }
  for (const BuiltArea& area : map.areas) {
    if (area.anchors.size() != area.outlines.size() || area.anchors.size() > kMaxOutlines) {
      return "area \"" + area.name + "\" needs one anchor per outline and at most ten";
    }
    for (const MapPoint& anchor : area.anchors) {
      if (anchor.x < 1) return "area \"" + area.name + "\" has an anchor left of x = 1";
    }
  }
  return std::nullopt;
}

}  // namespace

StatusOr<std::string> ToSjis(const std::string& utf8, const std::string& what) {
  auto text = sjis::FromUtf8(utf8);
  if (!text) {
    return Status(StatusCode::kRefused,
                  what + " \"" + utf8 + "\" has a character Shift-JIS cannot hold");
  }
  return *text;
}

StatusOr<std::string> EncodeBaseMap(const BuiltMap& map) {
  if (auto problem = CheckAreas(map)) return Status(StatusCode::kRefused, *problem);
  auto header = Header(map);
  if (!header.ok()) return header;
  auto points = Points(map);
  if (!points.ok()) return points;
  return *header + *points;
}

}  // namespace kartela::basemap
