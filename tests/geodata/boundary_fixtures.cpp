#include "boundary_fixtures.h"

#include <cpl_string.h>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <mutex>

#include "base/text_encoding.h"
#include "geodata/basemap/map_runs.h"
#include "model/base_map_file.h"

namespace kartela::test {
namespace {

const std::filesystem::path kJapan =
    std::filesystem::path(KARTELA_SOURCE_DIR) / "basemaps" / "全国２.IDT";

// Pixels of the map to degrees, roughly where Japan lies.
std::pair<double, double> LonLat(const MapPoint& p) {
  return {122 + p.x * 0.027, 46 - p.y * 0.024};
}

GDALDriver* Driver(const char* name) {
  static std::once_flag registered;
  std::call_once(registered, [] { GDALAllRegister(); });
  return GetGDALDriverManager()->GetDriverByName(name);
}

OGRLinearRing Ring(const LonLatRing& points, OGRCoordinateTransformation* transformation) {
  OGRLinearRing ring;
  for (const auto& [lon, lat] : points) {
    double x = lon, y = lat;
    if (transformation != nullptr) transformation->Transform(1, &x, &y);
    ring.addPoint(x, y);
  }
  ring.closeRings();
  return ring;
}

OGRMultiPolygon Geometry(const BoundaryRow& row, OGRCoordinateTransformation* transformation) {
  OGRMultiPolygon geometry;
  for (const LonLatRing& points : row.polygons) {
    OGRPolygon polygon;
    OGRLinearRing ring = Ring(points, transformation);
    polygon.addRing(&ring);  // copied
    geometry.addGeometry(&polygon);
  }
  return geometry;
}

std::string StoredName(const std::string& utf8, FixtureText text) {
  return text == FixtureText::kCp932WithoutCpg ? sjis::FromUtf8(utf8).value() : utf8;
}

}  // namespace

std::vector<BoundaryRow> ShippedPrefectures(int first, int last) {
  BaseMap map;
  EXPECT_TRUE(ReadBaseMap(kJapan, map).ok());
  std::vector<BoundaryRow> rows;
  for (int a = first; a <= last; ++a) {
    rows.push_back(BoundaryRow{sjis::ToUtf8(map.MapAreaNames[a - 1]).value(), a, a * 1000.0, {}});
  }
  for (const basemap::MapRun& run : basemap::WalkRuns(map)) {
    if (run.area + 1 < first || run.area + 1 > last) continue;
    LonLatRing& ring = rows[run.area + 1 - first].polygons.emplace_back();
    for (const MapPoint& p : run.points)
      ring.push_back(LonLat(p));
  }
  return rows;
}

std::vector<BoundaryRow> OneRowPerPart(const std::vector<BoundaryRow>& rows) {
  std::vector<BoundaryRow> parts;
  for (const BoundaryRow& row : rows) {
    for (const LonLatRing& polygon : row.polygons)
      parts.push_back(BoundaryRow{row.name, row.code, row.value, {polygon}});
  }
  return parts;
}

std::filesystem::path WriteBoundaryFile(const std::filesystem::path& dir,
                                        const FixtureFormat& format,
                                        const std::vector<BoundaryRow>& rows) {
  const std::filesystem::path path = dir / format.file;
  GDALDatasetUniquePtr dataset(
      Driver(format.driver)->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  EXPECT_TRUE(dataset) << format.file;
  OGRSpatialReference lonlat, system;
  lonlat.importFromEPSG(4326);
  lonlat.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  system.importFromEPSG(format.epsg);
  system.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  std::unique_ptr<OGRCoordinateTransformation> transformation;
  if (format.epsg != 4326)
    transformation.reset(OGRCreateCoordinateTransformation(&lonlat, &system));
  CPLStringList options;
  if (format.text == FixtureText::kCp932WithoutCpg) options.SetNameValue("ENCODING", "");
  if (format.text == FixtureText::kCp932WithCpg) options.SetNameValue("ENCODING", "CP932");
  OGRLayer* layer = dataset->CreateLayer("areas", &system, wkbMultiPolygon, options.List());
  OGRFieldDefn name("NAME", OFTString), code("CODE", OFTInteger), value("POP", OFTReal);
  name.SetWidth(40);
  for (OGRFieldDefn* field : {&name, &code, &value})
    layer->CreateField(field);
  for (const BoundaryRow& row : rows) {
    OGRFeature feature(layer->GetLayerDefn());
    feature.SetField("NAME", StoredName(row.name, format.text).c_str());
    feature.SetField("CODE", row.code);
    feature.SetField("POP", row.value);
    if (!row.polygons.empty()) {
      OGRMultiPolygon geometry = Geometry(row, transformation.get());
      feature.SetGeometry(&geometry);
    }
    EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
  }
  return path;
}

std::filesystem::path WritePointFile(const std::filesystem::path& dir) {
  const std::filesystem::path path = dir / "points.geojson";
  GDALDatasetUniquePtr dataset(
      Driver("GeoJSON")->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  OGRLayer* layer = dataset->CreateLayer("points", nullptr, wkbPoint, nullptr);
  OGRFieldDefn name("NAME", OFTString);
  layer->CreateField(&name);
  OGRFeature feature(layer->GetLayerDefn());
  feature.SetField("NAME", "福岡市");
  OGRPoint point(130.4, 33.6);
  feature.SetGeometry(&point);
  EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
  return path;
}

}  // namespace kartela::test
