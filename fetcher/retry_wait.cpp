#include "fetcher/retry_wait.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quillon::fetcher {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> number(std::string_view text) {
  int value = 0;
  if (!allDigits(text)) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// "Sun, 06 Nov 1994 08:49:37 GMT", the one date form servers send today; by
// hand, because the C library's month names follow the locale.
std::optional<std::int64_t> httpDateUnixMs(std::string_view text) {
  constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (text.size() != 29 || text[3] != ',' || text[4] != ' ' || text[7] != ' ' || text[11] != ' ' ||
      text[16] != ' ' || text[19] != ':' || text[22] != ':' || text.substr(25) != " GMT")
    return std::nullopt;
  const auto day = number(text.substr(5, 2));
  const auto year = number(text.substr(12, 4));
  const auto hour = number(text.substr(17, 2));
  const auto minute = number(text.substr(20, 2));
  const auto second = number(text.substr(23, 2));
  const auto month = std::find(kMonths.begin(), kMonths.end(), text.substr(8, 3));
  if (!day || !year || !hour || !minute || !second || month == kMonths.end() || *day < 1 ||
      *day > 31 || *hour > 23 || *minute > 59 || *second > 60)
    return std::nullopt;
  const std::int64_t days =
      daysFromCivil(*year, static_cast<int>(month - kMonths.begin()) + 1, *day);
  return ((days * 24 + *hour) * 60 + *minute) * 60'000 + std::int64_t{*second} * 1000;
}

}  // namespace

std::int64_t BackoffMs(int retry) {
  if (retry <= 1) return 1000;
  if (retry > 7) return kLongestBackoffMs;  // 2^6 s already passes the cap
  return std::min<std::int64_t>(std::int64_t{1000} << (retry - 1), kLongestBackoffMs);
}

std::optional<std::int64_t> RetryAfterMs(std::string_view value, std::int64_t nowUnixMs) {
  const std::string_view text = trimmed(value);
  if (allDigits(text)) {
    // Any count of seconds past the cap is the cap, however many digits it has.
    if (text.size() > 6) return kLongestRetryAfterMs;
    return std::min<std::int64_t>(std::int64_t{*number(text)} * 1000, kLongestRetryAfterMs);
  }
  const std::optional<std::int64_t> at = httpDateUnixMs(text);
  if (!at) return std::nullopt;
  return std::clamp<std::int64_t>(*at - nowUnixMs, 0, kLongestRetryAfterMs);
}

}  // namespace quillon::fetcher
