// A value or the failure that says why there is none: how expected failures
// (missing file, unwritable folder) travel to the edge that reports them.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/failure.h"

namespace quillon {

template <class T>
class Expected {
 public:
  // Implicit on purpose: a function returns its value or its failure.
  Expected(T value) : value_(std::move(value)) {}              // NOLINT
  Expected(Failure failure) : failure_(std::move(failure)) {}  // NOLINT

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const T& value() const& {
    if (!value_) throw std::logic_error("Expected::value on a failure: " + error());
    return *value_;
  }
  T&& value() && {
    if (!value_) throw std::logic_error("Expected::value on a failure: " + error());
    return std::move(*value_);
  }
  // Why there is no value. Precondition: !ok().
  const Failure& failure() const {
    if (!failure_) throw std::logic_error("Expected::failure on a value");
    return *failure_;
  }
  // The failure in English, as the command lines print it; "" when there is a value.
  std::string error() const { return failure_ ? FailureText(*failure_) : std::string(); }

 private:
  std::optional<T> value_;
  std::optional<Failure> failure_;
};

// For operations that give nothing back but may fail.
struct Done {};
using Status = Expected<Done>;
inline Status Success() {
  return Done{};
}

}  // namespace quillon
