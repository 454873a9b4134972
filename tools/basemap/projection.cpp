#include "basemap/projection.h"

#include <proj.h>

#include <cmath>

namespace kartela::basemap {

struct Projection::Handles {
  PJ_CONTEXT* context = nullptr;
  PJ* transform = nullptr;
  ~Handles() {
    if (transform != nullptr) proj_destroy(transform);
    if (context != nullptr) proj_context_destroy(context);
  }
};

Projection::Projection(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
Projection::~Projection() = default;

Result<std::unique_ptr<Projection>> Projection::Create(const std::string& definition) {
  auto handles = std::make_unique<Handles>();
  handles->context = proj_context_create();
  if (handles->context == nullptr) return Error{"PROJ cannot start"};
  proj_log_level(handles->context, PJ_LOG_NONE);
  handles->transform = proj_create(handles->context, definition.c_str());
  if (handles->transform == nullptr) {
    const int code = proj_context_errno(handles->context);
    return Error{"projection \"" + definition +
                 "\": " + proj_context_errno_string(handles->context, code)};
  }
  if (!proj_angular_input(handles->transform, PJ_FWD) ||
      proj_angular_output(handles->transform, PJ_FWD)) {
    return Error{"projection \"" + definition +
                 "\" does not map longitude and latitude to the plane"};
  }
  return std::unique_ptr<Projection>(new Projection(std::move(handles)));
}

std::optional<PlanePoint> Projection::Forward(const GeoPoint& point) const {
  proj_errno_reset(handles_->transform);
  const PJ_COORD out =
      proj_trans(handles_->transform, PJ_FWD, proj_coord(point.lon, point.lat, 0, 0));
  if (proj_errno(handles_->transform) != 0 || !std::isfinite(out.xy.x) ||
      !std::isfinite(out.xy.y)) {
    return std::nullopt;
  }
  return PlanePoint{out.xy.x, out.xy.y};
}

}  // namespace kartela::basemap
