// Why something failed: the one type every reader, writer, exporter, print
// job and import returns. The code says what kind of failure it is, so that
// each front end words it in its own language (Japanese in the dialogs, the
// option names on the command line); the detail says what and where, in the
// words of the layer that found it; binary readers add the byte offset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace kartela {

enum class StatusCode : std::uint8_t {
  kOk,
  kNotFound,          // the file or item is not there
  kPermissionDenied,  // reading or writing is not allowed
  kNoSpace,           // the disk or the user's quota is full
  kIoError,           // any other failure of the system
  kTooLarge,          // refused for its size before it was read
  kBadFormat,         // the bytes are not what the format says
  kRefused,           // an input the operation does not take
  kUnsupported,       // a valid input this program cannot handle
  kCancelled,         // the user stopped it
};

class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  Status(StatusCode code, std::string detail) : code_(code), detail_(std::move(detail)) {}
  Status(StatusCode code, std::string detail, std::uint64_t offset)
      : code_(code), detail_(std::move(detail)), offset_(offset) {}

  bool ok() const { return code_ == StatusCode::kOk; }
  StatusCode code() const { return code_; }
  const std::string& detail() const { return detail_; }
  // Where in the input the fault lies, from its start, for binary readers.
  std::optional<std::uint64_t> offset() const { return offset_; }

 private:
  StatusCode code_ = StatusCode::kOk;
  std::string detail_;
  std::optional<std::uint64_t> offset_;
};

// The status of a failed system call, its error number mapped to a code;
// `detail` names what was being done and to which file. A file that outgrows
// what the file system or the process may write (EFBIG) counts as no space:
// for the user it is a full disk.
Status StatusFromErrno(int error_number, std::string detail);
Status StatusFromErrorCode(const std::error_code& error, std::string detail);

// A value, or the status that says why there is none.
template <typename T>
class [[nodiscard]] StatusOr {
 public:
  // Implicit, so that a function can return either a value or a failure.
  StatusOr(T value) : state_(std::move(value)) {}
  StatusOr(Status status) : state_(std::move(status)) {}

  bool ok() const { return std::holds_alternative<T>(state_); }
  // As std::optional and std::expected: whether there is a value.
  explicit operator bool() const { return ok(); }
  // Success when there is a value.
  Status status() const { return ok() ? Status() : std::get<Status>(state_); }
  // The value, or `fallback` when there is none.
  T value_or(T fallback) const& { return ok() ? value() : std::move(fallback); }

  T& value() & { return std::get<T>(state_); }
  const T& value() const& { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

 private:
  std::variant<Status, T> state_;
};

}  // namespace kartela
