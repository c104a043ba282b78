// Number conversions shared by everything that turns text into numbers.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The leading decimal number of a text: leading blanks skipped, optional sign,
// digits with "." as the decimal point whatever the locale, optional exponent.
// A text that does not start with a number reads as 0.
double LeadingNumber(std::string_view text);

// True when the whole text (blanks around it aside) is a number.
bool IsNumber(std::string_view text);

// Rounds to the nearest integer, a tie going to the even neighbour.
double RoundHalfEven(double value);

// Rounds half to even and clamps into the 32-bit signed range (NaN gives 0).
std::int32_t RoundToInt32(double value);

// Clamps a 64-bit value into the 32-bit signed range.
std::int32_t ClampToInt32(std::int64_t value);

// The shortest text that reads back as the same double, in the C locale's form
// ("inf", "nan" for those that are not finite).
std::string ShortestText(double value);

// The whole text as a number of type T in the C locale's form (no blanks, no
// "+"); nothing when the text is empty, holds anything else or does not fit.
template <class T>
std::optional<T> WholeNumber(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || rest != end) return std::nullopt;
  return value;
}

}  // namespace quillon
