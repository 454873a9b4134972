#include "geodata/basemap/projection.h"

#include <proj.h>

#include <cmath>
#include <numbers>

namespace kartela::basemap {

struct Projection::Handles {
  PJ_CONTEXT* context = nullptr;
  PJ* transform = nullptr;
  bool takes_degrees = false;  // a transformation between two systems works in degrees
  ~Handles() {
    if (transform != nullptr) proj_destroy(transform);
    if (context != nullptr) proj_context_destroy(context);
  }
};

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;

// A projected coordinate system (an EPSG code, a WKT text) becomes the
// transformation from its own longitude and latitude to its plane, with the
// axes in longitude, latitude and easting, northing order.
PJ* TransformationOf(PJ_CONTEXT* context, PJ* crs) {
  if (proj_get_type(crs) != PJ_TYPE_PROJECTED_CRS) return nullptr;
  PJ* geographic = proj_crs_get_geodetic_crs(context, crs);
  if (geographic == nullptr) return nullptr;
  PJ* transform = proj_create_crs_to_crs_from_pj(context, geographic, crs, nullptr, nullptr);
  proj_destroy(geographic);
  if (transform == nullptr) return nullptr;
  PJ* normalised = proj_normalize_for_visualization(context, transform);
  proj_destroy(transform);
  return normalised;
}

}  // namespace

Projection::Projection(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
Projection::~Projection() = default;

StatusOr<std::unique_ptr<Projection>> Projection::Create(const std::string& definition) {
  auto handles = std::make_unique<Handles>();
  if (definition == kPlanarProjection)
    return std::unique_ptr<Projection>(new Projection(std::move(handles)));
  handles->context = proj_context_create();
  if (handles->context == nullptr) return Status(StatusCode::kIoError, "PROJ cannot start");
  proj_log_level(handles->context, PJ_LOG_NONE);
  handles->transform = proj_create(handles->context, definition.c_str());
  if (handles->transform == nullptr) {
    const int code = proj_context_errno(handles->context);
    return Status(StatusCode::kRefused, "projection \"" + definition + "\": " +
                                            proj_context_errno_string(handles->context, code));
  }
  if (proj_is_crs(handles->transform)) {
    PJ* transform = TransformationOf(handles->context, handles->transform);
    proj_destroy(handles->transform);
    handles->transform = transform;
    handles->takes_degrees = true;
    if (transform == nullptr) {
      return Status(StatusCode::kRefused,
                    "projection \"" + definition + "\" is not a projected coordinate system");
    }
  } else if (!proj_angular_input(handles->transform, PJ_FWD) ||
             proj_angular_output(handles->transform, PJ_FWD)) {
    return Status(StatusCode::kRefused, "projection \"" + definition +
                                            "\" does not map longitude and latitude to the plane");
  }
  return std::unique_ptr<Projection>(new Projection(std::move(handles)));
}

std::optional<PlanePoint> Projection::Forward(const GeoPoint& point) const {
  if (handles_->transform == nullptr) return PlanePoint{point.lon * kDegrees, point.lat * kDegrees};
  proj_errno_reset(handles_->transform);
  const double unit = handles_->takes_degrees ? kDegrees : 1.0;
  const PJ_COORD out =
      proj_trans(handles_->transform, PJ_FWD, proj_coord(point.lon * unit, point.lat * unit, 0, 0));
  if (proj_errno(handles_->transform) != 0 || !std::isfinite(out.xy.x) ||
      !std::isfinite(out.xy.y)) {
    return std::nullopt;
  }
  return PlanePoint{out.xy.x, out.xy.y};
}

}  // namespace kartela::basemap
