// A builder step's status with what it concerns (a file, a part of one, the
// map being made) before its detail, as "what: detail".
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"

namespace kartela::basemap {

inline Status InContext(std::string_view what, const Status& status) {
  return Status(status.code(), std::string(what) + ": " + status.detail());
}

}  // namespace kartela::basemap
