#include "common/numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quillon {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at the start of text (after blanks), 0 when none.
std::size_t numberLength(std::string_view text, std::size_t start) {
  std::size_t i = start;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  return i - start;
}

std::size_t skipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  return i;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  const std::size_t start = skipBlanks(text);
  const std::size_t length = numberLength(text, start);
  if (length == 0) return 0;
  // strtod on a copy in the "C" form; the number's characters are all ASCII.
  const std::string number(text.substr(start, length));
  char* end = nullptr;
  const double value = std::strtod(number.c_str(), &end);
  return std::isfinite(value) ? value : std::copysign(std::numeric_limits<double>::max(), value);
}

bool IsNumber(std::string_view text) {
  const std::size_t start = skipBlanks(text);
  const std::size_t length = numberLength(text, start);
  if (length == 0) return false;
  std::size_t i = start + length;
  while (i < text.size() && isBlank(text[i])) ++i;
  return i == text.size();
}

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

std::int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = RoundHalfEven(value);
  if (rounded <= std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  if (rounded >= std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

std::int32_t ClampToInt32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

std::string ShortestText(double value) {
  char text[32];  // the longest double, "-2.2250738585072014e-308", fits
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

}  // namespace quillon
