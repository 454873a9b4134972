// The outcome of a builder step: a value, or the message that says why there
// is none. The builder refuses bad input with a message instead of throwing.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kartela::basemap {

struct Error {
  std::string message;
};

template <typename T>
class Result {
 public:
  // Implicit, so that a step can return either a value or an Error.
  Result(T value) : value_(std::move(value)) {}
  Result(Error error) : error_(std::move(error.message)) {}

  bool ok() const { return value_.has_value(); }
  const std::string& error() const { return error_; }

  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  std::string error_;
};

}  // namespace kartela::basemap
