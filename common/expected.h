// A value or the message that says why there is none: how expected failures
// (missing file, unwritable folder) travel to the edge that reports them.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace quillon {

struct Failure {
  std::string message;  // one sentence naming the file and the reason
};

template <class T>
class Expected {
 public:
  Expected(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
  Expected(Failure failure) : failure_(std::move(failure.message)) {}  // NOLINT

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const T& value() const& {
    if (!value_) throw std::logic_error("Expected::value on a failure: " + failure_);
    return *value_;
  }
  T&& value() && {
    if (!value_) throw std::logic_error("Expected::value on a failure: " + failure_);
    return std::move(*value_);
  }
  const std::string& error() const { return failure_; }

 private:
  std::optional<T> value_;
  std::string failure_;
};

// For operations that give nothing back but may fail.
struct Done {};
using Status = Expected<Done>;
inline Status Success() {
  return Done{};
}

}  // namespace quillon
