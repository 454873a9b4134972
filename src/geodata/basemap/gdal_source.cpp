#include "geodata/basemap/gdal_source.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>
#include <numbers>
#include <set>
#include <unordered_map>

#include "base/file_io.h"
#include "base/numbers.h"
#include "base/text_encoding.h"
#include "geodata/basemap/land_area.h"
#include "model/area_list.h"
#include "model/data_set.h"

namespace kartela::basemap {
namespace {

constexpr std::size_t kSampleCount = 5;
constexpr int kSampleRows = 200;
constexpr long long kProgressEvery = 256;

using geodata::ImportProblem;
using geodata::ImportProblems;
using geodata::ImportStatusOr;
using geodata::ProblemCode;
using Polygons = std::vector<std::unique_ptr<OGRPolygon>>;

// While a source is open: texts are read as stored (the Shapefile driver
// would otherwise take a file without .cpg for Latin-1 and garble Shift-JIS)
// and GDAL's messages are kept for the problem they explain instead of printed.
class ReadingScope {
 public:
  ReadingScope() {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    CPLSetThreadLocalConfigOption("SHAPE_ENCODING", "");
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~ReadingScope() {
    CPLPopErrorHandler();
    CPLSetThreadLocalConfigOption("SHAPE_ENCODING", nullptr);
  }
  ReadingScope(const ReadingScope&) = delete;
  ReadingScope& operator=(const ReadingScope&) = delete;
};

struct OpenSource {
  GDALDatasetUniquePtr dataset;
  OGRLayer* layer = nullptr;
};

std::vector<std::string> LayerNames(GDALDataset& dataset) {
  std::vector<std::string> names;
  for (OGRLayer* layer : dataset.GetLayers())
    names.emplace_back(layer->GetName());
  return names;
}

ImportStatusOr<OpenSource> Open(const std::filesystem::path& path, const std::string& layer_name) {
  OpenSource source;
  source.dataset.reset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
  if (!source.dataset) {
    if (geodata::IsMissingFile(path)) return ImportProblem{.code = ProblemCode::kFileNotFound};
    return ImportProblem{.code = ProblemCode::kNotVectorFile, .text = CPLGetLastErrorMsg()};
  }
  if (source.dataset->GetLayerCount() == 0) return ImportProblem{.code = ProblemCode::kNoLayer};
  source.layer = layer_name.empty() ? source.dataset->GetLayer(0)
                                    : source.dataset->GetLayerByName(layer_name.c_str());
  if (source.layer == nullptr) {
    return ImportProblem{.code = ProblemCode::kLayerNotFound,
                         .name = layer_name,
                         .choices = LayerNames(*source.dataset)};
  }
  return source;
}

// A Shapefile read as stored bytes may name its fields in Shift-JIS.
std::string FieldNameText(const char* stored) {
  return IsValidUtf8(stored) ? std::string(stored) : sjis::ToUtf8Lossy(stored);
}

std::vector<std::string> FieldNames(OGRLayer& layer) {
  std::vector<std::string> names;
  const OGRFeatureDefn& definition = *layer.GetLayerDefn();
  for (int i = 0; i < definition.GetFieldCount(); ++i)
    names.push_back(FieldNameText(definition.GetFieldDefn(i)->GetNameRef()));
  return names;
}

int FieldIndex(OGRLayer& layer, const std::string& name) {
  if (name.empty()) return -1;
  const std::vector<std::string> names = FieldNames(layer);
  const auto found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? layer.GetLayerDefn()->GetFieldIndex(name.c_str())
                              : static_cast<int>(found - names.begin());
}

// The fields a request names, in the order name, group, order, value
// (-1 for one not asked for).
ImportStatusOr<std::vector<int>> FindFields(OGRLayer& layer, const SourceRequest& request) {
  if (request.name_field.empty()) return ImportProblem{.code = ProblemCode::kNoNameField};
  std::vector<int> indexes;
  for (const std::string* field :
       {&request.name_field, &request.group_field, &request.order_field, &request.value_field}) {
    const int index = FieldIndex(layer, *field);
    if (!field->empty() && index < 0) {
      return ImportProblem{.code = ProblemCode::kFieldNotFound,
                           .name = *field,
                           .text = layer.GetName(),
                           .choices = FieldNames(layer)};
    }
    indexes.push_back(index);
  }
  const int value = indexes[3];
  if (value >= 0) {
    const OGRFieldType type = layer.GetLayerDefn()->GetFieldDefn(value)->GetType();
    if (type != OFTInteger && type != OFTInteger64 && type != OFTReal) {
      return ImportProblem{.code = ProblemCode::kValueNotNumeric, .name = request.value_field};
    }
  }
  return indexes;
}

std::optional<ImportProblem> RefuseNonPolygons(OGRLayer& layer) {
  const OGRwkbGeometryType type = wkbFlatten(layer.GetGeomType());
  if (type == wkbUnknown || type == wkbGeometryCollection ||
      OGR_GT_IsSubClassOf(type, wkbCurvePolygon) || OGR_GT_IsSubClassOf(type, wkbMultiSurface)) {
    return std::nullopt;
  }
  return ImportProblem{.code = ProblemCode::kNotPolygons,
                       .name = layer.GetName(),
                       .text = OGRGeometryTypeToName(type)};
}

using Transformation = std::unique_ptr<OGRCoordinateTransformation>;

bool IsLongitudeLatitude(const OGREnvelope& extent) {
  return extent.MinX >= -180 && extent.MaxX <= 360 && extent.MinY >= -90 && extent.MaxY <= 90;
}

// The system the request says the source is in, or else the layer's own;
// none when neither states one.
ImportStatusOr<std::unique_ptr<OGRSpatialReference>> SourceSystem(OGRLayer& layer,
                                                                  const SourceRequest& request) {
  if (request.source_system.empty()) {
    const OGRSpatialReference* own = layer.GetSpatialRef();
    return std::unique_ptr<OGRSpatialReference>(own == nullptr ? nullptr : own->Clone());
  }
  auto system = std::make_unique<OGRSpatialReference>();
  system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  if (system->SetFromUserInput(request.source_system.c_str()) != OGRERR_NONE) {
    return ImportProblem{.code = ProblemCode::kBadSourceSystem,
                         .name = request.source_system,
                         .text = CPLGetLastErrorMsg()};
  }
  return system;
}

// To the longitude and latitude of the source's own datum; none for a
// source taken as plane coordinates or already in longitude and latitude
// without a stated system (noted in `notes`).
ImportStatusOr<Transformation> ToLongitudeLatitude(OGRLayer& layer, const SourceRequest& request,
                                                   ImportProblems& notes) {
  if (request.planar) return Transformation{};
  auto stated = SourceSystem(layer, request);
  if (!stated.ok()) return stated.problems();
  const OGRSpatialReference* system = stated->get();
  if (system == nullptr) {
    OGREnvelope extent;
    if (layer.GetExtent(&extent, TRUE) == OGRERR_NONE && IsLongitudeLatitude(extent)) {
      notes.push_back({.code = ProblemCode::kTakenAsLongitudeLatitude, .name = layer.GetName()});
      return Transformation{};
    }
    return ImportProblem{.code = ProblemCode::kNoCoordinateSystem, .name = layer.GetName()};
  }
  OGRSpatialReference geographic;
  geographic.CopyGeogCSFrom(system);
  geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  Transformation transformation(OGRCreateCoordinateTransformation(system, &geographic));
  if (!transformation) {
    return ImportProblem{.code = ProblemCode::kNoLongitudeLatitude, .name = layer.GetName()};
  }
  return transformation;
}

void CollectPolygons(const OGRGeometry& geometry, Polygons& polygons) {
  const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
  if (type == wkbPolygon) {
    polygons.emplace_back(geometry.toPolygon()->clone());
  } else if (type == wkbMultiPolygon || type == wkbGeometryCollection) {
    for (const OGRGeometry* part : *geometry.toGeometryCollection())
      CollectPolygons(*part, polygons);
  } else if (OGR_GT_IsSubClassOf(type, wkbCurvePolygon) ||
             OGR_GT_IsSubClassOf(type, wkbMultiSurface)) {
    const std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
    if (linear) CollectPolygons(*linear, polygons);
  }
}

constexpr double kHalfTurn = 180;
constexpr double kTurn = 360;

bool JumpsAcrossDateLine(const OGRLinearRing& ring) {
  for (int i = 1; i < ring.getNumPoints(); ++i) {
    if (std::fabs(ring.getX(i) - ring.getX(i - 1)) > kHalfTurn) return true;
  }
  return false;
}

// Makes the ring's longitudes continuous where it jumps across the 180th
// meridian; false for a ring that then does not close, one round a pole.
bool Unwrap(OGRLinearRing& ring) {
  double offset = 0;
  for (int i = 1; i < ring.getNumPoints(); ++i) {
    const double x = ring.getX(i) + offset, step = x - ring.getX(i - 1);
    if (step > kHalfTurn) offset -= kTurn;
    if (step < -kHalfTurn) offset += kTurn;
    ring.setPoint(i, ring.getX(i) + offset, ring.getY(i));
  }
  return ring.get_IsClosed();
}

void ShiftLongitudes(OGRLinearRing& ring, double shift) {
  for (int i = 0; i < ring.getNumPoints(); ++i)
    ring.setPoint(i, ring.getX(i) + shift, ring.getY(i));
}

// A polygon stitched across the 180th meridian (its rings jump from +180 to
// -180), as the plane cannot take it: made continuous, then cut at the
// meridian into pieces within -180..180. Nothing for a polygon that does not
// cross or goes round a pole.
Polygons CutAtDateLine(const OGRPolygon& polygon) {
  Polygons pieces;
  if (!std::any_of(polygon.begin(), polygon.end(),
                   [](const OGRLinearRing* ring) { return JumpsAcrossDateLine(*ring); })) {
    return pieces;
  }
  std::unique_ptr<OGRPolygon> continuous(polygon.clone());
  for (OGRLinearRing* ring : *continuous) {
    if (!Unwrap(*ring)) return pieces;
  }
  // Each hole made continuous on its own goes where its outer ring is.
  const double start = continuous->getExteriorRing()->getX(0);
  for (int i = 0; i < continuous->getNumInteriorRings(); ++i) {
    OGRLinearRing& hole = *continuous->getInteriorRing(i);
    ShiftLongitudes(hole, std::round((start - hole.getX(0)) / kTurn) * kTurn);
  }
  for (const double turn : {-1.0, 0.0, 1.0}) {
    OGRLinearRing window;
    const double west = turn * kTurn - kHalfTurn, east = turn * kTurn + kHalfTurn;
    for (const auto& [x, y] : {std::pair{west, -90.0}, {east, -90.0}, {east, 90.0}, {west, 90.0}})
      window.addPoint(x, y);
    window.closeRings();
    OGRPolygon box;
    box.addRing(&window);
    const std::unique_ptr<OGRGeometry> part(continuous->Intersection(&box));
    if (!part) return Polygons();
    const std::size_t first = pieces.size();
    CollectPolygons(*part, pieces);
    for (std::size_t k = first; k < pieces.size(); ++k) {
      for (OGRLinearRing* ring : *pieces[k])
        ShiftLongitudes(*ring, -turn * kTurn);
    }
  }
  return pieces;
}

// The geometry with its polygons stitched across the 180th meridian cut
// there; nothing when none is.
std::unique_ptr<OGRGeometry> WithDateLineCut(const OGRGeometry& geometry) {
  Polygons polygons;
  CollectPolygons(geometry, polygons);
  bool cut = false;
  auto result = std::make_unique<OGRMultiPolygon>();
  for (auto& polygon : polygons) {
    Polygons pieces = CutAtDateLine(*polygon);
    cut = cut || !pieces.empty();
    if (pieces.empty()) pieces.push_back(std::move(polygon));
    for (auto& piece : pieces)
      result->addGeometryDirectly(piece.release());
  }
  return cut ? std::move(result) : nullptr;
}

// How a row's geometry is read: moved to longitude and latitude by
// `transformation` (none: already there, or plane coordinates).
struct GeometryReading {
  OGRCoordinateTransformation* transformation = nullptr;
  bool planar = false;  // the numbers as they are: no 180th meridian to cut at
};

// The polygons of a row's geometry in longitude and latitude, repaired when
// invalid; what was done or left out is noted with the row.
Polygons RowPolygons(const OGRGeometry* geometry, const GeometryReading& reading, long long row,
                     ImportProblems& notes) {
  Polygons polygons;
  if (geometry == nullptr || geometry->IsEmpty()) {
    notes.push_back({.code = ProblemCode::kNoGeometry, .row = row});
    return polygons;
  }
  std::unique_ptr<OGRGeometry> copy(geometry->clone());
  if (reading.transformation != nullptr && copy->transform(reading.transformation) != OGRERR_NONE) {
    notes.push_back({.code = ProblemCode::kNotMoved, .row = row});
    return polygons;
  }
  if (auto cut = reading.planar ? nullptr : WithDateLineCut(*copy)) copy = std::move(cut);
  if (!copy->IsValid()) {
    std::unique_ptr<OGRGeometry> repaired(copy->MakeValid());
    if (!repaired || repaired->IsEmpty()) {
      notes.push_back({.code = ProblemCode::kGeometryNotRepaired, .row = row});
      return polygons;
    }
    notes.push_back({.code = ProblemCode::kGeometryRepaired, .row = row});
    copy = std::move(repaired);
  }
  CollectPolygons(*copy, polygons);
  if (polygons.empty()) notes.push_back({.code = ProblemCode::kNoPolygon, .row = row});
  return polygons;
}

// The rows of one group value.
struct Group {
  long long first_row = 0;
  long long rows = 0;
  std::string name;  // as stored
  std::string order;
  std::string value;
  Polygons polygons;
};

std::string FieldText(const OGRFeature& feature, int field) {
  if (field < 0 || !feature.IsFieldSetAndNotNull(field)) return {};
  return feature.GetFieldAsString(field);
}

// A value within the bytes a data value may have; nullopt when it cannot be.
std::optional<std::string> ValueText(const OGRFeature& feature, int field) {
  if (field < 0 || !feature.IsFieldSetAndNotNull(field)) return std::string();
  if (feature.GetFieldDefnRef(field)->GetType() != OFTReal) {
    std::string text = std::to_string(feature.GetFieldAsInteger64(field));
    if (text.size() <= kMaxValueBytes) return text;
    return std::nullopt;
  }
  const double value = feature.GetFieldAsDouble(field);
  for (int decimals = 6; decimals >= 0; --decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string trimmed = text;
    if (decimals > 0) {
      trimmed.erase(trimmed.find_last_not_of('0') + 1);
      if (trimmed.back() == '.') trimmed.pop_back();
    }
    if (trimmed.size() <= kMaxValueBytes) return trimmed;
  }
  return std::nullopt;
}

struct Table {
  std::vector<Group> groups;  // in order of first row
  ImportProblems notes;
  ImportProblems problems;
  std::vector<std::string> texts;  // the names and group values, to find the encoding
};

bool ReportProgress(const SourceRequest& request, long long done, long long total) {
  return !request.progress || done % kProgressEvery != 0 || request.progress(done, total);
}

ImportStatusOr<Table> ReadTable(OGRLayer& layer, const SourceRequest& request,
                                const std::vector<int>& fields, const GeometryReading& reading) {
  Table table;
  std::unordered_map<std::string, std::size_t> group_of;
  const long long total = layer.GetFeatureCount(TRUE);
  long long row = 0;
  layer.ResetReading();
  for (auto& feature : layer) {
    if (!ReportProgress(request, ++row, total))
      return ImportProblem{.code = ProblemCode::kCancelled};
    const std::string name = FieldText(*feature, fields[0]);
    const std::string key = fields[1] >= 0 ? FieldText(*feature, fields[1]) : name;
    const auto [entry, added] = group_of.try_emplace(key, table.groups.size());
    if (added) {
      Group& group = table.groups.emplace_back();
      group.first_row = row;
      group.name = name;
      group.order = FieldText(*feature, fields[2]);
      const auto value = ValueText(*feature, fields[3]);
      if (!value) table.problems.push_back({.code = ProblemCode::kValueTooLong, .row = row});
      group.value = value.value_or("");
      table.texts.push_back(name);
      if (fields[1] >= 0) table.texts.push_back(key);
    }
    Group& group = table.groups[entry->second];
    ++group.rows;
    for (auto& polygon : RowPolygons(feature->GetGeometryRef(), reading, row, table.notes)) {
      group.polygons.push_back(std::move(polygon));
    }
  }
  if (request.progress && !request.progress(row, total))
    return ImportProblem{.code = ProblemCode::kCancelled};
  return table;
}

std::optional<TextEncoding> CodePageBeside(const std::filesystem::path& path) {
  for (const char* extension : {".cpg", ".CPG"}) {
    std::filesystem::path cpg = path;
    cpg.replace_extension(extension);
    if (auto contents = ReadFileBytes(cpg)) return EncodingOfCodePageFile(*contents);
  }
  return std::nullopt;
}

TextEncoding ChooseEncoding(const SourceRequest& request, OGRLayer& layer,
                            const std::vector<std::string>& texts) {
  if (request.encoding != TextEncoding::kAuto) return request.encoding;
  if (layer.TestCapability(OLCStringsAsUTF8)) return TextEncoding::kUtf8;
  if (auto named = CodePageBeside(request.path)) return *named;
  return GuessEncoding(texts);
}

// `name` (CP932) as a base-map header holds it: blanks at either end, which
// its reader trims, taken off and the characters that end a name or a line
// there written full width or as a blank.
std::string HeaderSafe(std::string_view name) {
  std::string safe;
  for (const char c : name) {
    if (c == '=')
      safe += "\x81\x81";  // ＝
    else if (c == ';')
      safe += "\x81\x47";  // ；
    else
      safe += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
  }
  safe = std::string(Trim(sjis::CutToBytes(safe, kMaxAreaNameBytes), Blanks::kSpace));
  if (safe.starts_with('@')) safe.replace(0, 1, "\x81\x97");  // ＠
  return std::string(Trim(sjis::CutToBytes(safe, kMaxAreaNameBytes), Blanks::kSpace));
}

// `utf8` as a base map holds it: transliterated where Shift-JIS lacks a
// character, made safe for the header and cut at a character to the bytes
// a name may have, unless `strict`; the problem that stops it otherwise, or
// the note of a change.
struct FittedName {
  std::string utf8;
  std::optional<ImportProblem> problem;
  std::optional<ImportProblem> note;
};

FittedName FitName(const std::string& utf8, long long row, bool strict) {
  const auto sjis = strict ? sjis::FromUtf8(utf8) : sjis::FromUtf8Transliterated(utf8);
  const long long limit = static_cast<long long>(kMaxAreaNameBytes);
  if (!sjis) {
    return {{}, ImportProblem{.code = ProblemCode::kUnholdableName, .row = row, .text = utf8}, {}};
  }
  if (sjis->size() > kMaxAreaNameBytes && strict) {
    return {
        {},
        ImportProblem{.code = ProblemCode::kNameTooLong, .row = row, .text = utf8, .limit = limit},
        {}};
  }
  const std::string fitted = strict ? *sjis : HeaderSafe(*sjis);
  if (fitted.empty()) return {{}, ImportProblem{.code = ProblemCode::kEmptyName, .row = row}, {}};
  std::string written = sjis::ToUtf8(fitted).value();
  if (written == utf8) return {std::move(written), {}, {}};
  const bool cut = sjis->size() > kMaxAreaNameBytes;
  ImportProblem note{.code = cut ? ProblemCode::kNameCut : ProblemCode::kNameTransliterated,
                     .name = utf8,
                     .row = row,
                     .text = written,
                     .limit = cut ? limit : 0};
  return {std::move(written), {}, std::move(note)};
}

// Two areas whose different names became one are refused: neither could
// be told apart on the map or in a data file.
void RefuseCollisions(const std::vector<Group>& groups, const std::vector<std::string>& read,
                      ImportProblems& problems) {
  std::unordered_map<std::string, std::size_t> first_with;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const auto [entry, added] = first_with.try_emplace(groups[g].name, g);
    const std::size_t other = entry->second;
    if (added || read[other] == read[g]) continue;
    problems.push_back({.code = ProblemCode::kNamesCollide,
                        .name = read[g],
                        .row = groups[g].first_row,
                        .text = groups[g].name,
                        .choices = {read[other]},
                        .count = groups[other].first_row});
  }
}

// Each group's name in UTF-8, fitted to a base map unless the names are
// region names; problems with rows, and the names changed as notes.
void DecodeNames(std::vector<Group>& groups, TextEncoding encoding, const SourceRequest& request,
                 ImportProblems& problems, ImportProblems& notes) {
  std::vector<std::string> read;
  for (Group& group : groups) {
    const auto utf8 = DecodeText(group.name, encoding);
    const long long row = group.first_row;
    read.push_back(utf8.value_or(""));
    if (!utf8) {
      problems.push_back(
          {.code = ProblemCode::kNameNotInEncoding, .row = row, .text = EncodingName(encoding)});
      continue;
    }
    if (request.region_names) {
      group.name = *utf8;
      continue;
    }
    FittedName fitted = FitName(*utf8, row, request.strict_names);
    if (fitted.problem) problems.push_back(std::move(*fitted.problem));
    if (fitted.note) notes.push_back(std::move(*fitted.note));
    group.name = std::move(fitted.utf8);
  }
  if (problems.empty() && !request.region_names) RefuseCollisions(groups, read, problems);
}

// The parts of a group that touch or overlap become one polygon, so that no
// border is drawn inside an area.
Polygons Dissolve(Polygons polygons) {
  if (polygons.size() < 2) return polygons;
  OGRMultiPolygon parts;
  for (auto& polygon : polygons)
    parts.addGeometryDirectly(polygon.release());
  const std::unique_ptr<OGRGeometry> merged(parts.UnionCascaded());
  Polygons result;
  CollectPolygons(merged ? *merged : static_cast<const OGRGeometry&>(parts), result);
  return result;
}

std::vector<GeoPoint> RingPoints(const OGRLinearRing& stored) {
  constexpr double kRadians = std::numbers::pi / 180;
  std::vector<GeoPoint> ring;
  for (const OGRPoint& p : stored) {
    const GeoPoint point{p.getX() * kRadians, p.getY() * kRadians};
    if (ring.empty() || !(ring.back() == point)) ring.push_back(point);
  }
  while (ring.size() > 1 && ring.back() == ring.front())
    ring.pop_back();
  if (ring.size() < 3) ring.clear();
  return ring;
}

std::vector<GeoPoint> OuterRing(const OGRPolygon& polygon) {
  const OGRLinearRing* exterior = polygon.getExteriorRing();
  return exterior == nullptr ? std::vector<GeoPoint>() : RingPoints(*exterior);
}

// The polygon's area with its holes, which the map does not draw, taken out.
double LandArea(const OGRPolygon& polygon) {
  double area = RingArea(OuterRing(polygon));
  for (int i = 0; i < polygon.getNumInteriorRings(); ++i)
    area -= RingArea(RingPoints(*polygon.getInteriorRing(i)));
  return area;
}

// Numeric order when every key is a number (codes with or without leading
// zeros), else byte order.
void SortByOrder(std::vector<Group>& groups) {
  const bool numeric = std::all_of(groups.begin(), groups.end(), [](const Group& g) {
    return ParseWholeReal(g.order).has_value();
  });
  std::stable_sort(groups.begin(), groups.end(), [numeric](const Group& a, const Group& b) {
    return numeric ? *ParseWholeReal(a.order) < *ParseWholeReal(b.order) : a.order < b.order;
  });
}

std::vector<SourceArea> MakeAreas(std::vector<Group>& groups, bool ordered, ImportProblems& notes) {
  if (ordered) SortByOrder(groups);
  std::vector<SourceArea> areas;
  for (Group& group : groups) {
    if (group.name.empty()) {  // only region names may be empty: rows no recipe can name
      notes.push_back(
          {.code = ProblemCode::kNoRegionName, .row = group.first_row, .count = group.rows - 1});
      continue;
    }
    SourceArea area{group.first_row, group.name, group.value, {}, 0};
    for (const auto& polygon : Dissolve(std::move(group.polygons))) {
      area.land_area += LandArea(*polygon);
      if (auto ring = OuterRing(*polygon); !ring.empty()) area.rings.push_back(std::move(ring));
    }
    if (area.rings.empty()) {
      notes.push_back(
          {.code = ProblemCode::kAreaWithoutPolygon, .name = group.name, .row = group.first_row});
    } else {
      areas.push_back(std::move(area));
    }
  }
  return areas;
}

}  // namespace

ImportStatusOr<SourceAreas> ReadSourceAreas(const SourceRequest& request) {
  ReadingScope scope;
  auto source = Open(request.path, request.layer);
  if (!source.ok()) return source.problems();
  OGRLayer& layer = *source->layer;
  if (auto refusal = RefuseNonPolygons(layer)) return *refusal;
  const auto fields = FindFields(layer, request);
  if (!fields.ok()) return fields.problems();
  ImportProblems notes;
  auto transformation = ToLongitudeLatitude(layer, request, notes);
  if (!transformation.ok()) return transformation.problems();
  auto table = ReadTable(layer, request, *fields, {transformation->get(), request.planar});
  if (!table.ok()) return table.problems();
  SourceAreas result;
  result.encoding = ChooseEncoding(request, layer, table->texts);
  DecodeNames(table->groups, result.encoding, request, table->problems, notes);
  if (!table->problems.empty()) return std::move(table->problems);
  result.notes = std::move(notes);
  result.notes.insert(result.notes.end(), table->notes.begin(), table->notes.end());
  result.areas = MakeAreas(table->groups, !request.order_field.empty(), result.notes);
  return result;
}

// A value as the dialog shows it: a real with the decimals it needs
// ("1", "0.25"), never the width the file declares.
std::string SampleText(const OGRFeature& feature, int field) {
  if (!feature.IsFieldSetAndNotNull(field) || feature.GetFieldDefnRef(field)->GetType() != OFTReal)
    return FieldText(feature, field);
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", feature.GetFieldAsDouble(field));
  return text;
}

ImportStatusOr<SourceLayerInfo> InspectSource(const std::filesystem::path& path,
                                              const std::string& layer_name) {
  ReadingScope scope;
  auto source = Open(path, layer_name);
  if (!source.ok()) return source.problems();
  OGRLayer& layer = *source->layer;
  SourceLayerInfo info;
  info.layers = LayerNames(*source->dataset);
  const OGRFeatureDefn& definition = *layer.GetLayerDefn();
  const std::size_t count = static_cast<std::size_t>(definition.GetFieldCount());
  std::vector<std::vector<std::string>> raw(count);
  std::vector<std::set<std::string>> seen(count);
  std::vector<bool> distinct(count, true);
  std::vector<std::string> texts;
  int rows = 0;
  layer.ResetReading();
  for (auto& feature : layer) {
    if (++rows > kSampleRows) break;
    for (std::size_t f = 0; f < count; ++f) {
      std::string text = SampleText(*feature, static_cast<int>(f));
      if (definition.GetFieldDefn(static_cast<int>(f))->GetType() == OFTString)
        texts.push_back(text);
      if (text.empty() || !seen[f].insert(text).second) distinct[f] = false;
      if (raw[f].size() < kSampleCount &&
          std::find(raw[f].begin(), raw[f].end(), text) == raw[f].end()) {
        raw[f].push_back(std::move(text));
      }
    }
  }
  SourceRequest request;
  request.path = path;
  info.encoding = ChooseEncoding(request, layer, texts);
  const std::vector<std::string> names = FieldNames(layer);
  for (std::size_t f = 0; f < count; ++f) {
    SourceField& field = info.fields.emplace_back();
    field.name = names[f];
    const OGRFieldType type = definition.GetFieldDefn(static_cast<int>(f))->GetType();
    field.text = type == OFTString;
    field.numeric = type == OFTInteger || type == OFTInteger64 || type == OFTReal;
    field.distinct = distinct[f];
    for (const std::string& text : raw[f]) {
      field.samples.push_back(DecodeText(text, info.encoding).value_or(sjis::ToUtf8Lossy(text)));
    }
  }
  return info;
}

}  // namespace kartela::basemap
