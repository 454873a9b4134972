// Map projection through PROJ.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/status.h"
#include "geodata/basemap/geometry.h"

namespace kartela::basemap {

// The definition of no projection: the source's plane coordinates (read
// as if they were degrees) taken as they are.
inline constexpr const char* kPlanarProjection = "planar";

class Projection {
 public:
  // `definition` is a PROJ string of a projection from longitude and latitude
  // to the plane, for example "+proj=lcc +lat_1=33 +lat_2=43 +lon_0=136",
  // or a projected coordinate system such as "EPSG:6677", whose plane is
  // then reached from its own longitude and latitude, or kPlanarProjection.
  static StatusOr<std::unique_ptr<Projection>> Create(const std::string& definition);
  ~Projection();
  Projection(const Projection&) = delete;
  Projection& operator=(const Projection&) = delete;

  // Easting and northing in metres; nullopt where the projection fails.
  std::optional<PlanePoint> Forward(const GeoPoint& point) const;

 private:
  struct Handles;
  explicit Projection(std::unique_ptr<Handles> handles);
  std::unique_ptr<Handles> handles_;
};

}  // namespace kartela::basemap
