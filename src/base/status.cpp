#include "base/status.h"

#include <cerrno>

namespace kartela {

Status StatusFromErrno(int error_number, std::string detail) {
  switch (error_number) {
    case 0:
      return {};
    case ENOENT:
    case ENOTDIR:
      return {StatusCode::kNotFound, std::move(detail)};
    case EACCES:
    case EPERM:
    case EROFS:
      return {StatusCode::kPermissionDenied, std::move(detail)};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return {StatusCode::kNoSpace, std::move(detail)};
    default:
      return {StatusCode::kIoError, std::move(detail)};
  }
}

Status StatusFromErrorCode(const std::error_code& error, std::string detail) {
  if (!error) return {};
  if (error.category() == std::generic_category() || error.category() == std::system_category())
    return StatusFromErrno(error.value(), std::move(detail));
  return {StatusCode::kIoError, std::move(detail)};
}

}  // namespace kartela
